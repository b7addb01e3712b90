// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QStringList>

class QWidget;
class SoundLog;
class WordOrderForm;

namespace monkey {

// Follows the word-ordering window through a run: it keeps the words entered
// in the current exercise, in the order they came, and after every event
// checks the lists, the tables behind them, the captions that depend on them
// and the chime against that record.
class WordChecks
{
public:
    // What the next event is compared with.
    void before(WordOrderForm *form, const SoundLog &sound);
    // The problems found after the event; a draw of a random list is allowed
    // only when the event clicked one of the labels that draw it.
    QStringList after(WordOrderForm *form, const SoundLog &sound, bool clickedDrawLabel);

    int wordsTyped = 0;
    int wordsDrawn = 0;
    int wordsRefused = 0;
    int longestExercise = 0;

private:
    QStringList checkEntries(WordOrderForm *form, bool clickedDrawLabel);
    QStringList checkLists(WordOrderForm *form) const;
    QStringList checkCaptions(WordOrderForm *form) const;
    QStringList checkErrorList(WordOrderForm *form) const;
    QStringList checkMove(WordOrderForm *form, const SoundLog &sound) const;

    QPointer<WordOrderForm> m_form;
    QStringList m_entered;           // the words of the exercise, in the order entered
    QStringList m_reference;         // List3 after the last event
    bool m_exerciseChanged = false;  // by this event: words entered, or a new exercise
    QStringList m_placedBefore;      // List2 before this event
    QString m_entryBefore;           // Text1 before this event
    qsizetype m_soundBefore = 0;
};

} // namespace monkey
