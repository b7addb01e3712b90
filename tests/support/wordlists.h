// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The word window's lists as a pupil reads them, and the order they must
// come to: written here once for every test that reads them.

#include <QCollator>
#include <QListWidget>
#include <QLocale>
#include <QStringList>

#include <algorithm>

namespace wordlists {

// The words of a list, top to bottom.
inline QStringList itemsOf(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

// Italian alphabetical order blind to letter case, equal words in the order
// they came: the order the hidden reference list keeps.
inline QStringList italianOrder(QStringList words)
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Italian, QLocale::Italy));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    std::stable_sort(words.begin(), words.end(),
                     [](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    return words;
}

} // namespace wordlists
