// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility/narration.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>

// What each of the program's windows says to a screen reader. Everything
// spoken comes from the windows' own captions and lists; the few words of
// our own only say what a caption is about.
namespace narration {

namespace {

const QString kNewListHeading = QStringLiteral("NUOVO ELENCO");

QString caption(const QWidget *window, const char *label)
{
    const auto *found = window->findChild<QLabel *>(QLatin1String(label));
    return found ? found->text().trimmed() : QString();
}

QString flag(bool on) { return on ? QStringLiteral("1") : QString(); }

bool shown(const QWidget *window, const char *control)
{
    const auto *found = window->findChild<QWidget *>(QLatin1String(control));
    return found && !found->isHidden();
}

QStringList items(const QWidget *window, const char *list)
{
    QStringList texts;
    if (const auto *found = window->findChild<QListWidget *>(QLatin1String(list)))
        for (int i = 0; i < found->count(); ++i)
            texts << found->item(i)->text();
    return texts;
}

// Sentences joined for speech: each ends with a stop, empty ones left out.
QString sentences(const QStringList &parts)
{
    QStringList kept;
    for (QString part : parts) {
        part = part.trimmed();
        if (part.isEmpty())
            continue;
        if (!part.endsWith(QLatin1Char('.')) && !part.endsWith(QLatin1Char('?')) && !part.endsWith(QLatin1Char('!')))
            part += QLatin1Char('.');
        kept << part;
    }
    return kept.join(QLatin1Char(' '));
}

Spoken named(const char *name) { return {QString::fromUtf8(name), QString()}; }

// ---- The letter drills ----------------------------------------------------

class LetterDrillNarrator : public WindowNarrator
{
public:
    LetterDrillNarrator(const char *alphabetLabel, const char *sequenceLabel)
        : m_alphabetLabel(alphabetLabel), m_sequenceLabel(sequenceLabel)
    {
    }

    Snapshot read(const QWidget *window) const override
    {
        Snapshot state;
        for (const char *label : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8", "Label10"})
            state.insert(QLatin1String(label), caption(window, label));
        state.insert(QStringLiteral("alphabet"), caption(window, m_alphabetLabel));
        if (m_sequenceLabel)
            state.insert(QStringLiteral("sequence"), caption(window, m_sequenceLabel));
        state.insert(QStringLiteral("results"), flag(shown(window, "Label3")));
        const auto *nuovo = window->findChild<QWidget *>(QStringLiteral("Command1"));
        state.insert(QStringLiteral("idle"), flag(nuovo && nuovo->isEnabled()));
        return state;
    }

    QHash<QString, Spoken> standing(const Snapshot &state) const override
    {
        return {
            {QStringLiteral("Text1"), {QStringLiteral("Risposta"), prompt(state)}},
            {QStringLiteral("Text2"), {verdict(state), QString()}},
            // Once a session has ended, NUOVO is where the focus rests by the results.
            {QStringLiteral("Command1"),
             {QString(), !state.value("results").isEmpty() && !state.value("idle").isEmpty() ? results(state)
                                                                                                : QString()}},
        };
    }

    QString news(const Snapshot &before, const Snapshot &after, const QString &) const override
    {
        QStringList parts;
        if (!after.value("results").isEmpty() && before.value("results").isEmpty())
            parts << results(after);
        for (const char *option : {"alphabet", "Label8"})
            if (after.value(option) != before.value(option))
                parts << after.value(option);
        return sentences(parts);
    }

private:
    // The letter asked, in words that tell its case, then the instruction.
    static QString prompt(const Snapshot &state)
    {
        const QString letter = state.value("Label1");
        if (letter.size() != 1)
            return {};
        const QChar c = letter.front();
        const QString kind = c.isUpper() ? QStringLiteral("maiuscola") : QStringLiteral("minuscola");
        QStringList parts{QStringLiteral("Lettera %1 %2").arg(letter, kind), state.value("Label10")};
        const QString sequence = state.value("sequence");
        if (!sequence.isEmpty())
            parts << QStringLiteral("Sequenza: %1").arg(spelled(sequence));
        return sentences(parts);
    }

    // Letter by letter, so that a speech synthesiser does not read a word.
    static QString spelled(const QString &letters)
    {
        QStringList spaced;
        for (QChar c : letters)
            spaced << QString(c);
        return spaced.join(QLatin1Char(' '));
    }

    // The verdict on the answer and the request to press Enter; the box that
    // waits for Enter has nothing else to say.
    static QString verdict(const Snapshot &state)
    {
        const QString said = sentences({state.value("Label6"), state.value("Label7")});
        return said.isEmpty() ? QStringLiteral("Invio per continuare") : said;
    }

    static QString results(const Snapshot &state)
    {
        return sentences({state.value("Label3"), state.value("Label4"), state.value("Label5"), state.value("Label2")});
    }

    const char *m_alphabetLabel;
    const char *m_sequenceLabel;
};

// ---- The word ordering exercise --------------------------------------------

class WordOrderNarrator : public WindowNarrator
{
public:
    Snapshot read(const QWidget *window) const override
    {
        Snapshot state;
        for (const char *label : {"Label1", "Label3", "Label4", "Label5", "Label6"})
            state.insert(QLatin1String(label), caption(window, label));
        state.insert(QStringLiteral("List1"), items(window, "List1").join(QLatin1Char('\n')));
        state.insert(QStringLiteral("List2"), items(window, "List2").join(QLatin1Char('\n')));
        const auto *errors = window->findChild<QPlainTextEdit *>(QStringLiteral("Text2"));
        state.insert(QStringLiteral("errors"), errors && !errors->isHidden() ? errors->toPlainText() : QString());
        return state;
    }

    QHash<QString, Spoken> standing(const Snapshot &) const override
    {
        return {
            {QStringLiteral("Text1"), named("Parola da aggiungere")},
            {QStringLiteral("List1"), named("Parole da ordinare")},
            {QStringLiteral("List2"), named("Parole messe in ordine")},
            {QStringLiteral("Text2"), named("Coppie fuori posto")},
        };
    }

    QString news(const Snapshot &before, const Snapshot &after, const QString &origin) const override
    {
        const Move move = moveBetween(before, after);
        const bool checked = origin == QLatin1String("Command3");
        const bool moved = move.kind == Move::Placed || move.kind == Move::Returned;
        auto changed = [&](const char *key) { return before.value(key) != after.value(key); };

        // The heading of the pupil's list shows a verdict after a check, and
        // the heading itself again once a new exercise starts.
        const QString heading = after.value("Label3");
        const bool verdictShown = !heading.isEmpty() && heading != kNewListHeading;
        QStringList parts;
        if (move.kind == Move::NewList)
            parts << heading;
        parts << move.said;
        if (verdictShown && (checked || moved || changed("Label3")))
            parts << heading;
        if (checked || changed("Label4"))
            parts << after.value("Label4");
        if (checked || changed("Label5") || (moved && verdictShown))
            parts << after.value("Label5");
        if (checked || changed("errors"))
            parts << misplacedPairs(after.value("errors"));
        for (const char *label : {"Label6", "Label1"})
            if (changed(label))
                parts << after.value(label);
        return sentences(parts);
    }

private:
    struct Move
    {
        enum Kind { None, Placed, Returned, Added, NewList } kind = None;
        QString said;
    };

    static QStringList wordsOf(const QString &joined)
    {
        return joined.isEmpty() ? QStringList() : joined.split(QLatin1Char('\n'));
    }

    static bool withoutOne(QStringList list, const QString &word, const QStringList &expected)
    {
        return list.removeOne(word) && list == expected;
    }

    // The change of the two lists, told by the word that moved and where it went.
    static Move moveBetween(const Snapshot &before, const Snapshot &after)
    {
        const QStringList pool = wordsOf(before.value("List1")), placed = wordsOf(before.value("List2"));
        const QStringList poolNow = wordsOf(after.value("List1")), placedNow = wordsOf(after.value("List2"));
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
    static QString misplacedPairs(const QString &errors)
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
};

class ChooserNarrator : public WindowNarrator
{
public:
    Snapshot read(const QWidget *) const override { return {}; }
    QHash<QString, Spoken> standing(const Snapshot &) const override
    {
        return {{QStringLiteral("Frame1"), named("Scegli l'esercizio")}};
    }
    QString news(const Snapshot &, const Snapshot &, const QString &) const override { return {}; }
};

} // namespace

const WindowNarrator *narratorFor(const QWidget *window)
{
    static const ChooserNarrator chooser;
    static const LetterDrillNarrator recognition("Label11", nullptr);
    static const LetterDrillNarrator sequence("Label12", "Label11");
    static const WordOrderNarrator wordOrder;
    if (!window)
        return nullptr;
    const QString name = window->objectName();
    if (name == QLatin1String("ChooserForm"))
        return &chooser;
    if (name == QLatin1String("RecognitionDrillForm"))
        return &recognition;
    if (name == QLatin1String("SequenceDrillForm"))
        return &sequence;
    if (name == QLatin1String("WordOrderForm"))
        return &wordOrder;
    return nullptr;
}

} // namespace narration
