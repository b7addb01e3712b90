// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "accessibility/accessibility.h"
#include "accessibility/narration.h"

#include <QStringList>

// What the word ordering window says to a screen reader: each word that moves
// and where it goes, the verdicts and the misplaced pairs.
class WordOrderNarrator : public narration::WindowNarrator
{
public:
    narration::Snapshot read(const QWidget *window) const override;
    QHash<QString, narration::Spoken> standing(const narration::Snapshot &state) const override;
    QString news(const narration::Snapshot &before, const narration::Snapshot &after,
                 const QString &origin) const override;

private:
    struct Move
    {
        enum Kind { None, Placed, Returned, Added, NewList } kind = None;
        QString said;
    };

    static QStringList wordsOf(const QString &joined);
    static bool withoutOne(QStringList list, const QString &word, const QStringList &expected);
    static Move moveBetween(const narration::Snapshot &before, const narration::Snapshot &after);
    static QString misplacedPairs(const QString &errors);
    static QString outOfPlace(const narration::Snapshot &state);
};

// The word ordering window's roles and narrator, for the whole run.
const accessibility::WindowDescription &wordOrderDescription();
