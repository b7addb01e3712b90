// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace wordorder {

// How two neighbouring words of the pupil's list stand, compared character by
// character on their Windows-1252 codes: capitals before small letters, a
// blank before both, accented letters after all plain ones. A word that is the
// start of the other counts as in order.
enum class PairVerdict {
    NotCompared,   // one of the words is empty: no character was compared
    InOrder,
    Misplaced,
};

PairVerdict comparePair(const QString &first, const QString &second);

// Where a word goes in a list kept in the reference order: alphabetical,
// case-blind, by Italian rules on every machine; after any equal words, so
// that equal words keep the order in which they were entered.
int sortedInsertIndex(const QStringList &sorted, const QString &word);

} // namespace wordorder
