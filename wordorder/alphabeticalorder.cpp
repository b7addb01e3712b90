// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordorder/alphabeticalorder.h"

#include "platform/textcodes.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace wordorder {

PairVerdict comparePair(const QString &first, const QString &second)
{
    const qsizetype n = std::min(first.size(), second.size());
    for (qsizetype k = 0; k < n; ++k) {
        const int a = text::ansiCode(first[k]);
        const int b = text::ansiCode(second[k]);
        if (a < b)
            return PairVerdict::InOrder;
        if (a > b)
            return PairVerdict::Misplaced;
    }
    return n > 0 ? PairVerdict::InOrder : PairVerdict::NotCompared;
}

namespace {

const QCollator &referenceCollator()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Italian, QLocale::Italy));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

} // namespace

int sortedInsertIndex(const QStringList &sorted, const QString &word)
{
    const QCollator &collator = referenceCollator();
    const auto at = std::upper_bound(sorted.begin(), sorted.end(), word,
                                     [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    return int(at - sorted.begin());
}

} // namespace wordorder
