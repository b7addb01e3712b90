// SPDX-License-Identifier: GPL-3.0-or-later
#include "monkey/wordchecks.h"

#include "monkey/windowreading.h"

#include "support/fakes.h"
#include "support/wordlists.h"
#include "wordorder/wordorderform.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace monkey {

namespace {

QStringList items(const WordOrderForm *form, const char *list)
{
    return wordlists::itemsOf(form->findChild<QListWidget *>(QLatin1String(list)));
}

QString entryText(const WordOrderForm *form) { return form->findChild<QLineEdit *>("Text1")->text(); }

bool levelTwo(const WordOrderForm *form) { return caption(form, "Label1") == QLatin1String("Verifica Intermedia o Finale"); }

// The reference order: Italian alphabetical order blind to letter case, equal
// words in the order they were entered.
QStringList referenceOrder(const QStringList &words)
{
    return wordlists::italianOrder(words);
}

QStringList sortedPlainly(QStringList words)
{
    words.sort();
    return words;
}

// The word that after holds and before lacks, when after is before with one
// word inserted; a null string otherwise.
QString insertedWord(const QStringList &before, const QStringList &after)
{
    if (after.size() != before.size() + 1)
        return {};
    qsizetype at = 0;
    while (at < before.size() && before[at] == after[at])
        ++at;
    QStringList rest = after;
    const QString word = rest.takeAt(at);
    return rest == before ? word : QString();
}

} // namespace

void WordChecks::before(WordOrderForm *form, const SoundLog &sound)
{
    m_placedBefore = items(form, "List2");
    m_entryBefore = entryText(form);
    m_soundBefore = sound.entries.size();
}

QStringList WordChecks::after(WordOrderForm *form, const SoundLog &sound, bool clickedDrawLabel)
{
    QStringList problems = checkEntries(form, clickedDrawLabel);
    problems += checkLists(form);
    problems += checkCaptions(form);
    problems += checkErrorList(form);
    problems += checkMove(form, sound);
    longestExercise = std::max(longestExercise, int(m_entered.size()));
    return problems;
}

// Between two events the exercise either stays as it was, takes the word that
// was in the entry box, or starts afresh: empty, or with a random list of ten.
QStringList WordChecks::checkEntries(WordOrderForm *form, bool clickedDrawLabel)
{
    QStringList problems;
    const QStringList reference = items(form, "List3");
    if (m_form != form) {
        // A freshly loaded window: the event that opened it made no move there.
        m_form = form;
        m_entered.clear();
        m_reference.clear();
        m_placedBefore = items(form, "List2");
        m_entryBefore = entryText(form);
    }
    m_exerciseChanged = reference != m_reference;
    if (!m_exerciseChanged)
        return problems;

    const QString added = insertedWord(m_reference, reference);
    if (!added.isNull() && !clickedDrawLabel) {
        if (added != m_entryBefore)
            problems << QStringLiteral("the word entered is %1, but the entry box held %2").arg(quoted(added), quoted(m_entryBefore));
        if (!entryText(form).isEmpty())
            problems << QStringLiteral("the entry box still holds %1 after its word was entered").arg(quoted(entryText(form)));
        m_entered.append(added);
        ++wordsTyped;
    } else {
        // A new exercise: List2 is empty and List1 holds its words in the order entered.
        if (!items(form, "List2").isEmpty())
            problems << QStringLiteral("List3 changed from %1 words to %2 without a new exercise")
                            .arg(m_reference.size()).arg(reference.size());
        m_entered = items(form, "List1");
        if (!m_entered.isEmpty() && !(clickedDrawLabel && m_entered.size() == 10))
            problems << QStringLiteral("the exercise changed to %1 words without a draw").arg(m_entered.size());
        if (clickedDrawLabel)
            wordsDrawn += int(m_entered.size());
    }
    m_reference = reference;
    return problems;
}

QStringList WordChecks::checkLists(WordOrderForm *form) const
{
    QStringList problems;
    const QStringList pool = items(form, "List1");
    const QStringList placed = items(form, "List2");
    if (form->poolWords() != pool)
        problems << QStringLiteral("the table behind List1 holds %1, List1 shows %2").arg(form->poolWords().join('|'), pool.join('|'));
    if (form->placedWords() != placed)
        problems << QStringLiteral("the table behind List2 holds %1, List2 shows %2").arg(form->placedWords().join('|'), placed.join('|'));
    if (sortedPlainly(pool + placed) != sortedPlainly(m_entered))
        problems << QStringLiteral("List1 and List2 hold %1 and %2, but the words entered are %3")
                        .arg(pool.join('|'), placed.join('|'), m_entered.join('|'));
    if (m_reference != referenceOrder(m_entered))
        problems << QStringLiteral("List3 reads %1, the reference order is %2")
                        .arg(m_reference.join('|'), referenceOrder(m_entered).join('|'));
    for (QChar c : entryText(form)) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
            problems << QStringLiteral("the entry box holds a small letter: %1").arg(quoted(entryText(form)));
            break;
        }
    }
    return problems;
}

QStringList WordChecks::checkCaptions(WordOrderForm *form) const
{
    QStringList problems;
    const bool level2 = levelTwo(form);
    if (shown(form, "Command3") != level2)
        problems << QStringLiteral("VERIFICA L'ORDINAMENTO is %1 at level %2").arg(level2 ? "hidden" : "shown").arg(level2 ? 2 : 1);
    if (shown(form, "Text2") && !level2)
        problems << QStringLiteral("the list of errors is shown at level 1");
    if (shown(form, "Label7") != shown(form, "Label8"))
        problems << QStringLiteral("\"Clicca\" and \"Oppure  Inserisci ...\" are not shown together");
    if (caption(form, "Label4") == QLatin1String("ESATTO")) {
        if (!level2)
            problems << QStringLiteral("\"ESATTO\" stays on screen at level 1");
        if (caption(form, "Label3") != QLatin1String("LISTA ORDINATA"))
            problems << QStringLiteral("\"ESATTO\" without \"LISTA ORDINATA\" but %1").arg(quoted(caption(form, "Label3")));
    }
    return problems;
}

// The list of errors names neighbours of List2, the second before the first.
QStringList WordChecks::checkErrorList(WordOrderForm *form) const
{
    QStringList problems;
    const QString errors = form->findChild<QPlainTextEdit *>("Text2")->toPlainText();
    if (errors.isEmpty())
        return problems;
    if (!levelTwo(form))
        return {QStringLiteral("the list of errors holds %1 at level 1").arg(quoted(errors))};
    const QStringList placed = items(form, "List2");
    for (const QString &line : errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList pair = line.mid(3).split(QStringLiteral(" precede "));
        bool neighbours = line.startsWith(QLatin1String(" - ")) && pair.size() == 2;
        for (qsizetype i = 0; neighbours && i + 1 < placed.size(); ++i) {
            if (placed[i] == pair[1] && placed[i + 1] == pair[0])
                break;
            if (i + 2 == placed.size())
                neighbours = false;
        }
        if (!neighbours || placed.size() < 2)
            problems << QStringLiteral("the error %1 names no misplaced neighbours of List2 (%2)").arg(quoted(line), placed.join('|'));
    }
    return problems;
}

// After a move the focus is back in the entry box; at level 1 the chime sounds
// after a move into List2 exactly when every placed word is in its place.
QStringList WordChecks::checkMove(WordOrderForm *form, const SoundLog &sound) const
{
    QStringList problems;
    const QStringList placed = items(form, "List2");
    const bool movedIn = placed.size() == m_placedBefore.size() + 1 && placed.mid(0, m_placedBefore.size()) == m_placedBefore;
    const bool movedBack = placed.size() + 1 == m_placedBefore.size();
    if (m_exerciseChanged || (!movedIn && !movedBack))
        return problems;
    // Every click on a list moves a word, so the moves counted are the words placed.
    if (caption(form, "Label9") != QString::number(placed.size()))
        problems << QStringLiteral("Label9 counts %1 moves with %2 words placed").arg(caption(form, "Label9")).arg(placed.size());
    if (QApplication::focusWidget() != form->findChild<QLineEdit *>("Text1"))
        problems << QStringLiteral("after a move the focus is on %1, not in the entry box")
                        .arg(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QStringLiteral("nothing"));
    if (levelTwo(form))
        return problems;
    const bool chimed = sound.entries.mid(m_soundBefore).contains(QLatin1String("play"));
    const bool allInPlace = placed == m_reference.mid(0, placed.size());
    if (movedIn && chimed != allInPlace)
        problems << QStringLiteral("a move into List2 %1 the chime with %2 placed and %3 in order")
                        .arg(chimed ? "sounded" : "did not sound", placed.join('|'), m_reference.join('|'));
    if (movedBack && chimed)
        problems << QStringLiteral("the chime sounded after a word went back to List1");
    return problems;
}

} // namespace monkey
