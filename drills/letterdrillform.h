// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "accessibility/accessibility.h"
#include "ui/controlbuilder.h"
#include "ui/forms.h"
#include "platform/checkedint.h"

#include <QMainWindow>
#include <QString>

#include <cstdint>
#include <span>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// What tells one letter drill window from the other; the rest of the design
// and the whole session are shared.
struct LetterDrillDesign
{
    const accessibility::WindowDescription *description;   // what a screen reader hears of the window
    ui::WindowDesign window;
    int label8Left, label8Top;
    int label9Left, label9Top;
    std::span<const ui::ControlDesign> ownControls;   // the alphabet label, and the sequence label if any
    const char *alphabetLabel;
    const char *sequenceLabel;                      // null: the window shows no sequence
    const char *capitalsItem;
    const char *smallLettersItem;
    const char *instruction;
    const char *chimePath;
    int italianLimit, englishLimit;                 // letters asked in a session
};

// The window shared by the two letter drills, with the session they share: the
// counters, the clock, pause, results, options and the answer check. Each drill
// says how the next letter is chosen.
class LetterDrillForm : public QMainWindow, public Form
{
    Q_OBJECT
public:
    QWidget *widget() override { return this; }
    void Form_Load() override;
    void Form_Activate() override;

    void Command1_Click();   // NUOVO
    void Command2_Click();   // SOSPENDI / CONTINUA
    void Command3_Click();   // TERMINA
    void Command4_Click();   // ESCI
    void Command5_Click();   // RISULTATI
    void Label2_Click();
    void Label3_Click();
    void Label4_Click();
    void Label5_Click();
    void Timer1_Timer();
    void Text1_KeyPress(Int16 &keyAscii);
    void Text2_KeyPress(Int16 &keyAscii);
    void Mnu_Italiano_Click();
    void Mnu_Inglese_Click();
    void Mnu_Maiuscole_Click();
    void Mnu_minuscole_Click();
    void Mnu_Informazioni_Click();

protected:
    explicit LetterDrillForm(const LetterDrillDesign &design);
    void closeEvent(QCloseEvent *event) override;

    // Shows the next letter on Label1 and sets ExpectedAnswer.
    virtual void PresentLetter() = 0;
    // Puts the drill's own walk back to its start (load, activation, NUOVO).
    virtual void RewindLetters() {}
    // The drill's own bookkeeping of a right answer, before the pupil is asked for Enter.
    virtual void RecordRightAnswer() {}

    QLabel *promptLabel() const { return Label1; }
    QLabel *sequenceLabel() const { return SequenceLabel; }
    bool capitals() const { return LetterCase == Case::Capitals; }

    // The shared window-level state.
    Int16 PromptsGiven;
    Int16 ExerciseNumber;
    Int16 RightCount;
    Int16 WrongCount;
    Int16 ElapsedSeconds;
    Int16 ElapsedMinutes;
    Int16 ElapsedHours;
    bool ClockRunning = true;
    bool ResultsShown = false;
    bool SessionOver = false;
    bool SessionActive = false;
    bool ItalianAlphabet = true;
    // The letters asked: capitals or small letters.
    enum class Case : std::uint8_t { Capitals = 1, SmallLetters = 2 };
    Case LetterCase = Case::Capitals;
    bool CaseRetryPending = false;
    QString ExpectedAnswer;

private:
    void buildWindow();
    void findControls();
    void connectHandlers();

    void LoadAndActivate();
    void NextPrompt();
    void EndSessionAtLimit();
    void AnswerRight();
    void AnswerWrongCase(const char *hint);
    void AnswerWrong();
    void MoveFocusByAnswer();
    void ShowOptions();
    void SetSessionControlsEnabled(bool enabled);
    void EnableTimer();

    const LetterDrillDesign m_design;

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
    QLabel *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr;
    QLabel *AlphabetLabel = nullptr;
    QLabel *SequenceLabel = nullptr;   // null where the window shows no sequence
    QLineEdit *Text1 = nullptr, *Text2 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr,
                *Command5 = nullptr;
    QAction *Mnu_Risultati = nullptr, *Mnu_Sospendi = nullptr, *Mnu_Termina = nullptr;
    QTimer *Timer1 = nullptr;
};
