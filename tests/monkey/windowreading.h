// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the monkey reads off a window, by control name.

#include "support/programtexts.h"

#include <QLabel>
#include <QString>
#include <QWidget>

namespace monkey {

inline bool shown(const QWidget *window, const char *name)
{
    return window->findChild<QWidget *>(QLatin1String(name))->isVisible();
}

inline QString caption(const QWidget *window, const char *label)
{
    return window->findChild<QLabel *>(QLatin1String(label))->text();
}

inline QString quoted(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

// The drills' two alphabets, in capitals.
inline const QString &kItalianLetters = expected::kItalianAlphabet;
inline const QString &kEnglishLetters = expected::kEnglishAlphabet;

} // namespace monkey
