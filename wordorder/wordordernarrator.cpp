// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordorder/wordordernarrator.h"

#include "accessibility/narratortools.h"
#include "wordorder/wordcontrols.h"
#include "wordorder/wordorderform.h"

#include <QPlainTextEdit>
#include <QWidget>

namespace names = wordcontrols;

using namespace narration;

namespace {

const QString kNewListHeading = QStringLiteral("NUOVO ELENCO");
const QString kClickAdvice = QStringLiteral("Clicca sul termine errato per rimuoverlo");
const QString kKeyAdvice = QStringLiteral("Per togliere una parola, Maiuscolo più F6 porta alle parole messe in "
                                          "ordine, Control più le frecce la scelgono, Spazio la toglie");
const QString kOpening = QStringLiteral("Scrivi una parola e premi Invio, oppure premi F5 per un elenco casuale. "
                                        "F6 passa da una lista all'altra");

// A word as it is heard: the blanks a drawn word may carry on screen are no part of it.
QStringList heard(QStringList words)
{
    for (QString &word : words)
        word = word.trimmed();
    return words;
}

// "A", "A e B", "A, B e C".
QString listed(const QStringList &words)
{
    if (words.size() < 2)
        return words.join(QString());
    return words.mid(0, words.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" e ") + words.back();
}

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
    state.insert(QString::fromLatin1(names::List3), items(window, names::List3).join(QLatin1Char('\n')));
    state.insert(QStringLiteral("open"), flag(window->isVisible()));
    // Not shown on screen: the language of random lists, as the Lingua menu chose it.
    if (const auto *form = qobject_cast<const WordOrderForm *>(window))
        state.insert(QStringLiteral("italian"), flag(form->italianWords()));
    return state;
}

QHash<QString, Spoken> WordOrderNarrator::standing(const Snapshot &state) const
{
    // Each word says its place as the focus reaches it: a screen reader does
    // not tell the position of an item by default.
    const auto placed = [](const QString &joined) {
        const QStringList words = heard(wordsOf(joined));
        QStringList said;
        for (int i = 0; i < words.size(); ++i)
            said << QStringLiteral("%1, %2 di %3").arg(words[i]).arg(i + 1).arg(words.size());
        return said;
    };
    Spoken pool = named("Parole da ordinare"), ordered = named("Parole messe in ordine");
    pool.items = placed(state.value(names::List1));
    ordered.items = placed(state.value(names::List2));
    const bool advice = state.value(names::Label5) == kClickAdvice;
    // The level chosen, as Label1 shows it.
    const bool immediate = state.value(names::Label1) == QLatin1String("Verifica Immediata");
    Spoken level1, level2, italian, english;
    level1.chosen = immediate ? 1 : 0;
    level2.chosen = immediate ? 0 : 1;
    italian.chosen = state.value("italian").isEmpty() ? 0 : 1;
    english.chosen = 1 - italian.chosen;
    return {
        {QString::fromLatin1(names::liv1), level1},
        {QString::fromLatin1(names::liv2), level2},
        {QString::fromLatin1(names::It), italian},
        {QString::fromLatin1(names::En), english},
        {QString::fromLatin1(names::Text1), named("Parola da aggiungere")},
        {QString::fromLatin1(names::List1), pool},
        {QString::fromLatin1(names::List2), ordered},
        {QString::fromLatin1(names::Text2), named("Coppie fuori posto")},
        // Read in a review of the window: a mouse instruction, and an ellipsis
        // that would be read as a word. An empty name lets the caption speak.
        {QString::fromLatin1(names::Label5), {advice ? kKeyAdvice : QStringLiteral(""), QString()}},
        {QString::fromLatin1(names::Label8), named("Oppure inserisci")},
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
    if (before.value("open").isEmpty() && !after.value("open").isEmpty())
        parts << kOpening;
    if (move.kind == Move::NewList)
        parts << heading;
    parts << move.said;
    if (verdictShown && (checked || moved || changed(names::Label3)))
        parts << heading;
    if (checked || changed(names::Label4))
        parts << after.value(names::Label4);
    const bool advised = after.value(names::Label5) == kClickAdvice;
    const QString pairs = misplacedPairs(after.value("errors"));
    if (checked || changed(names::Label5) || (moved && verdictShown)) {
        // What is out of place, then how to take it back with the keys.
        if (advised)
            parts << (pairs.isEmpty() ? outOfPlace(after) : pairs) << kKeyAdvice;
        else
            parts << after.value(names::Label5);
    }
    if ((checked || changed("errors")) && !advised)
        parts << pairs;
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
        return {Move::Placed, QStringLiteral("%1 va al posto %2").arg(placedNow.back().trimmed()).arg(placedNow.size())};
    if (poolNow.size() == pool.size() + 1 && poolNow.mid(0, pool.size()) == pool) {
        const QString word = poolNow.back();
        if (placedNow == placed)
            return {Move::Added, QStringLiteral("Aggiunta la parola %1").arg(word.trimmed())};
        if (withoutOne(placed, word, placedNow))
            return {Move::Returned, QStringLiteral("%1 torna tra le parole da ordinare").arg(word.trimmed())};
    }
    // Anything else starts a new exercise, with the words drawn if any.
    if (poolNow.isEmpty())
        return {Move::NewList, QString()};
    return {Move::NewList, QStringLiteral("%1 parole da ordinare. %2")
                               .arg(poolNow.size())
                               .arg(heard(poolNow).join(QStringLiteral(", ")))};
}

// The words placed where the reference order has another, as the check after
// every move compares them.
QString WordOrderNarrator::outOfPlace(const Snapshot &state)
{
    const QStringList placed = wordsOf(state.value(names::List2)), reference = wordsOf(state.value(names::List3));
    QStringList wrong;
    for (int i = 0; i < placed.size(); ++i)
        if (i >= reference.size() || placed[i] != reference[i])
            wrong << placed[i].trimmed();
    if (wrong.isEmpty())
        return {};
    return wrong.size() == 1 ? QStringLiteral("%1 è fuori posto").arg(wrong.front())
                             : QStringLiteral("Sono fuori posto %1").arg(listed(wrong));
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
