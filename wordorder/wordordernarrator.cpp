// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordorder/wordordernarrator.h"

#include "accessibility/narratortools.h"
#include "wordorder/wordcontrols.h"

#include <QPlainTextEdit>
#include <QWidget>

namespace names = wordcontrols;

using namespace narration;

namespace {

const QString kNewListHeading = QStringLiteral("NUOVO ELENCO");

} // namespace

Snapshot WordOrderNarrator::read(const QWidget *window) const
{
    Snapshot state;
    for (const char *label : {names::Label1, names::Label3, names::Label4, names::Label5, names::Label6})
        state.insert(QLatin1String(label), caption(window, label));
    state.insert(QString::fromLatin1(names::List1), items(window, names::List1).join(QLatin1Char('\n')));
    state.insert(QString::fromLatin1(names::List2), items(window, names::List2).join(QLatin1Char('\n')));
    const auto *errors = window->findChild<QPlainTextEdit *>(QString::fromLatin1(names::Text2));
    state.insert(QStringLiteral("errors"), errors && !errors->isHidden() ? errors->toPlainText() : QString());
    return state;
}

QHash<QString, Spoken> WordOrderNarrator::standing(const Snapshot &) const
{
    return {
        {QString::fromLatin1(names::Text1), named("Parola da aggiungere")},
        {QString::fromLatin1(names::List1), named("Parole da ordinare")},
        {QString::fromLatin1(names::List2), named("Parole messe in ordine")},
        {QString::fromLatin1(names::Text2), named("Coppie fuori posto")},
    };
}

QString WordOrderNarrator::news(const Snapshot &before, const Snapshot &after, const QString &origin) const
{
    const Move move = moveBetween(before, after);
    const bool checked = origin == QLatin1String(names::Command3);
    const bool moved = move.kind == Move::Placed || move.kind == Move::Returned;
    auto changed = [&](const char *key) { return before.value(key) != after.value(key); };

    // The heading of the pupil's list shows a verdict after a check, and
    // the heading itself again once a new exercise starts.
    const QString heading = after.value(names::Label3);
    const bool verdictShown = !heading.isEmpty() && heading != kNewListHeading;
    QStringList parts;
    if (move.kind == Move::NewList)
        parts << heading;
    parts << move.said;
    if (verdictShown && (checked || moved || changed(names::Label3)))
        parts << heading;
    if (checked || changed(names::Label4))
        parts << after.value(names::Label4);
    if (checked || changed(names::Label5) || (moved && verdictShown))
        parts << after.value(names::Label5);
    if (checked || changed("errors"))
        parts << misplacedPairs(after.value("errors"));
    for (const char *label : {names::Label6, names::Label1})
        if (changed(label))
            parts << after.value(label);
    return sentences(parts);
}


QStringList WordOrderNarrator::wordsOf(const QString &joined)
{
    return joined.isEmpty() ? QStringList() : joined.split(QLatin1Char('\n'));
}

bool WordOrderNarrator::withoutOne(QStringList list, const QString &word, const QStringList &expected)
{
    return list.removeOne(word) && list == expected;
}

// The change of the two lists, told by the word that moved and where it went.
WordOrderNarrator::Move WordOrderNarrator::moveBetween(const Snapshot &before, const Snapshot &after)
{
    const QStringList pool = wordsOf(before.value(names::List1)), placed = wordsOf(before.value(names::List2));
    const QStringList poolNow = wordsOf(after.value(names::List1)), placedNow = wordsOf(after.value(names::List2));
    if (pool == poolNow && placed == placedNow)
        return {};
    if (placedNow.size() == placed.size() + 1 && placedNow.mid(0, placed.size()) == placed
        && withoutOne(pool, placedNow.back(), poolNow))
        return {Move::Placed, QStringLiteral("%1 va al posto %2").arg(placedNow.back()).arg(placedNow.size())};
    if (poolNow.size() == pool.size() + 1 && poolNow.mid(0, pool.size()) == pool) {
        const QString word = poolNow.back();
        if (placedNow == placed)
            return {Move::Added, QStringLiteral("Parola aggiunta: %1").arg(word)};
        if (withoutOne(placed, word, placedNow))
            return {Move::Returned, QStringLiteral("%1 torna tra le parole da ordinare").arg(word)};
    }
    // Anything else starts a new exercise, with the words drawn if any.
    if (poolNow.isEmpty())
        return {Move::NewList, QString()};
    return {Move::NewList, QStringLiteral("Parole da ordinare: %1").arg(poolNow.join(QStringLiteral(", ")))};
}

// The entries of the error box, one sentence each, without their dashes.
QString WordOrderNarrator::misplacedPairs(const QString &errors)
{
    QStringList pairs;
    for (QString line : errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('-')))
            line = line.mid(1).trimmed();
        pairs << line;
    }
    return sentences(pairs);
}

const accessibility::WindowDescription &wordOrderDescription()
{
    using accessibility::Role;
    static const accessibility::ControlRole roles[] = {
        {names::Label2, Role::ActionLabel}, {names::Label7, Role::ActionLabel},
        {names::List3, Role::NeverShown},   {names::Label9, Role::NeverShown}, {names::Label10, Role::NeverShown},
    };
    static const WordOrderNarrator narrator;
    static const accessibility::WindowDescription description{roles, &narrator};
    return description;
}
