// SPDX-License-Identifier: GPL-3.0-or-later
#include "drills/letterdrillform.h"

#include "drills/drillcontrols.h"
#include "drills/letterdrilllayout.h"
#include "platform/mediacontrol.h"
#include "platform/messagebox.h"
#include "platform/random.h"
#include "platform/soundcue.h"
#include "platform/textcodes.h"
#include "ui/handler.h"
#include "ui/widgets.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace names = drillcontrols;

namespace {

using namespace ui;

constexpr int kResultsThreshold = 10;

const char *const kRight = " ESATTO ";
const char *const kCapitalHint = "LA LETTERA E' MAIUSCOLA ";
const char *const kSmallHint = "la lettera \u00e8 minuscola ";
const char *const kPressEnter = "PREMERE INVIO PER CONTINUARE";

// The hint for the expected letter typed in the other case; null for anything
// else, so a digit or a sign 32 codes away from the letter is simply wrong.
const char *caseHint(const QString &expected, const QString &typed)
{
    if (expected.size() != 1 || typed.size() != 1)
        return nullptr;
    const int wanted = text::ansiCode(expected.front());
    const int got = text::ansiCode(typed.front());
    if (wanted >= 'A' && wanted <= 'Z' && got == wanted + text::kCapitalToSmall)
        return kCapitalHint;
    if (wanted >= 'a' && wanted <= 'z' && got == wanted - text::kCapitalToSmall)
        return kSmallHint;
    return nullptr;
}

} // namespace

LetterDrillForm::LetterDrillForm(const LetterDrillDesign &design) : m_design(design)
{
    buildWindow();
    findControls();
    connectHandlers();
    accessibility::describe(this, *m_design.description);
}

void LetterDrillForm::buildWindow()
{
    QWidget *client = buildMenuWindow(this, m_design.window, letterdrilllayout::controls(m_design),
                                      letterdrilllayout::menus(m_design));
    ui::setTabOrder(client, {names::Command1, names::Command2, names::Command3, names::Command4, names::Text1, names::Command5, names::Text2});
    // The pupil never sees Text2, so neither a right click nor the Menu key
    // may open an edit menu on it.
    control<QWidget>(this, names::Text2)->setContextMenuPolicy(Qt::PreventContextMenu);

    auto *timer = new QTimer(this);
    timer->setObjectName(QString::fromLatin1(names::Timer1));
    timer->setInterval(1000);
    timer->start();
    new MediaControl(this);
    control<QWidget>(this, names::Command1)->setFocus();
}

void LetterDrillForm::findControls()
{
    QLabel **labels[] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label7, &Label8, &Label9, &Label10};
    for (int i = 0; i < 10; ++i)
        *labels[i] = control<QLabel>(this, qPrintable(QStringLiteral("Label%1").arg(i + 1)));
    AlphabetLabel = control<QLabel>(this, m_design.alphabetLabel);
    SequenceLabel = m_design.sequenceLabel ? control<QLabel>(this, m_design.sequenceLabel) : nullptr;
    Text1 = control<QLineEdit>(this, names::Text1);
    Text2 = control<QLineEdit>(this, names::Text2);
    Command1 = control<QPushButton>(this, names::Command1);
    Command2 = control<QPushButton>(this, names::Command2);
    Command3 = control<QPushButton>(this, names::Command3);
    Command4 = control<QPushButton>(this, names::Command4);
    Command5 = control<QPushButton>(this, names::Command5);
    Mnu_Risultati = control<QAction>(this, names::Mnu_Risultati);
    Mnu_Sospendi = control<QAction>(this, names::Mnu_Sospendi);
    Mnu_Termina = control<QAction>(this, names::Mnu_Termina);
    Timer1 = control<QTimer>(this, names::Timer1);
}

void LetterDrillForm::connectHandlers()
{
    onClicked(this, names::Command1, &LetterDrillForm::Command1_Click);
    onClicked(this, names::Command2, &LetterDrillForm::Command2_Click);
    onClicked(this, names::Command3, &LetterDrillForm::Command3_Click);
    onClicked(this, names::Command4, &LetterDrillForm::Command4_Click);
    onClicked(this, names::Command5, &LetterDrillForm::Command5_Click);

    auto clicks = [](QLabel *label) { return static_cast<ClickableLabel *>(label); };
    connect(clicks(Label2), &ClickableLabel::clicked, this, guarded(Label2, [this] { Label2_Click(); }));
    connect(clicks(Label3), &ClickableLabel::clicked, this, guarded(Label3, [this] { Label3_Click(); }));
    connect(clicks(Label4), &ClickableLabel::clicked, this, guarded(Label4, [this] { Label4_Click(); }));
    connect(clicks(Label5), &ClickableLabel::clicked, this, guarded(Label5, [this] { Label5_Click(); }));
    connect(Timer1, &QTimer::timeout, this, guarded(Timer1, [this] { Timer1_Timer(); }));

    onKeyPress(Text1, [this](Int16 &k) { Text1_KeyPress(k); });
    onKeyPress(Text2, [this](Int16 &k) { Text2_KeyPress(k); });

    // A menu item runs its button's handler directly, so it works even while
    // the button is disabled.
    onChosen(this, names::Mnu_Nuovo, &LetterDrillForm::Command1_Click);
    onChosen(this, names::Mnu_Risultati, &LetterDrillForm::Command5_Click);
    onChosen(this, names::Mnu_Sospendi, &LetterDrillForm::Command2_Click);
    onChosen(this, names::Mnu_Termina, &LetterDrillForm::Command3_Click);
    onChosen(this, names::Mnu_Esci, &LetterDrillForm::Command4_Click);
    onChosen(this, names::Mnu_Maiuscole, &LetterDrillForm::Mnu_Maiuscole_Click);
    onChosen(this, names::Mnu_minuscole, &LetterDrillForm::Mnu_minuscole_Click);
    onChosen(this, names::Mnu_Italiano, &LetterDrillForm::Mnu_Italiano_Click);
    onChosen(this, names::Mnu_Inglese, &LetterDrillForm::Mnu_Inglese_Click);
    onChosen(this, names::Mnu_Informazioni, &LetterDrillForm::Mnu_Informazioni_Click);
}

// --- load and activation -------------------------------------------------

void LetterDrillForm::Form_Load() { LoadAndActivate(); }
void LetterDrillForm::Form_Activate() { LoadAndActivate(); }

// Every activation starts from the defaults: the Italian alphabet in capitals.
void LetterDrillForm::LoadAndActivate()
{
    LetterCase = Case::Capitals;
    RewindLetters();
    for (QLabel *result : {Label2, Label3, Label4, Label5})
        result->hide();
    PromptsGiven = ExerciseNumber = WrongCount = 0;
    ElapsedSeconds = ElapsedMinutes = ElapsedHours = 0;
    EnableTimer();
    Command2->setText(QStringLiteral("&SOSPENDI"));
    SessionOver = false;
    ResultsShown = false;
    ClockRunning = true;
    ItalianAlphabet = true;
    ShowOptions();
}

void LetterDrillForm::ShowOptions()
{
    AlphabetLabel->setText(ItalianAlphabet ? QStringLiteral("Alfabeto Italiano") : QStringLiteral("Alfabeto Inglese"));
    Label8->setText(capitals() ? QStringLiteral("Lettere Maiuscole") : QStringLiteral("lettere minuscole"));
}

void LetterDrillForm::EnableTimer()
{
    // Enabling a running clock leaves its beat alone.
    if (!Timer1->isActive())
        Timer1->start();
}

void LetterDrillForm::SetSessionControlsEnabled(bool enabled)
{
    for (QPushButton *button : {Command2, Command3, Command5})
        button->setEnabled(enabled);
    for (QAction *item : {Mnu_Sospendi, Mnu_Termina, Mnu_Risultati})
        item->setEnabled(enabled);
}

// --- the five buttons ----------------------------------------------------

void LetterDrillForm::Command1_Click()
{
    platform::ReseedRandom();
    SetSessionControlsEnabled(true);
    Text1->setEnabled(true);
    RewindLetters();
    if (SequenceLabel)
        SequenceLabel->clear();
    PromptsGiven = ExerciseNumber = WrongCount = RightCount = 0;
    ElapsedSeconds = ElapsedMinutes = ElapsedHours = 0;
    EnableTimer();
    Command2->setText(QStringLiteral("&SOSPENDI"));
    ClockRunning = true;
    SessionOver = false;
    Label6->clear();
    // The results toggle then hides the results of the last session.
    ResultsShown = true;
    SessionActive = true;
    Command5_Click();
    Command1->setEnabled(false);
    ShowOptions();
    NextPrompt();
}

void LetterDrillForm::Command2_Click()
{
    if (ClockRunning) {
        Timer1->stop();
        Command2->setText(QStringLiteral("&CONTINUA"));
        ClockRunning = false;
    } else {
        EnableTimer();
        Command2->setText(QStringLiteral("&SOSPENDI"));
        ClockRunning = true;
        Text1->setFocus();
    }
}

// Ends the session but keeps the counters, the results and the last letter:
// Text1 stays enabled, and Enter there is still checked.
void LetterDrillForm::Command3_Click()
{
    SetSessionControlsEnabled(false);
    Timer1->stop();
    Label1->clear();
    Text1->clear();
    for (QLabel *label : {Label6, Label7, Label9, Label10})
        label->clear();
    if (SequenceLabel)
        SequenceLabel->clear();
    SessionActive = false;
    ResultsShown = true;
    Command1->setEnabled(true);
    Command1->setFocus();
}

void LetterDrillForm::Command4_Click()
{
    Command3_Click();
    Forms::instance().hide(this);
    Forms::instance().showHome();
}

void LetterDrillForm::Command5_Click()
{
    if (ResultsShown) {
        for (QLabel *result : {Label2, Label3, Label4, Label5})
            result->hide();
        if (!SessionOver)
            MoveFocusByAnswer();
        ResultsShown = false;
        return;
    }
    Label2->show();
    Label2_Click();
    Label3->show();
    Label3_Click();
    Label4->show();
    Label4_Click();
    Label5->show();
    Label5_Click();
    if (!SessionOver)
        MoveFocusByAnswer();
    ResultsShown = true;
}

// Back to the answer box when it holds no number, which is always the case
// for a letter; a number there sends the focus to Text2.
void LetterDrillForm::MoveFocusByAnswer()
{
    if (text::leadingNumber(Text1->text()) == 0)
        Text1->setFocus();
    else
        Text2->setFocus();
}

// --- counters and clock --------------------------------------------------

void LetterDrillForm::Label2_Click() { Timer1_Timer(); }

void LetterDrillForm::Label3_Click()
{
    if (ExerciseNumber <= kResultsThreshold)
        Label3->setText(QStringLiteral("ESERCIZIO NUMERO ") + text::numberText(ExerciseNumber));
    else
        Label3->setText(QStringLiteral("ESERCIZI ESEGUITI ") + text::numberText(PromptsGiven));
}

// Right answers less wrong ones: the two figures add up to the right answers.
void LetterDrillForm::Label4_Click()
{
    Int16 net = RightCount;
    net -= WrongCount;
    Label4->setText(QStringLiteral("RISPOSTE ESATTE ") + text::numberText(net));
}

void LetterDrillForm::Label5_Click()
{
    Label5->setText(QStringLiteral("RISPOSTE ERRATE ") + text::numberText(WrongCount));
}

void LetterDrillForm::Timer1_Timer()
{
    ElapsedSeconds += 1;
    if (ElapsedSeconds == 60) {
        ElapsedSeconds = 0;
        ElapsedMinutes += 1;
        if (ElapsedMinutes == 60) {
            ElapsedMinutes = 0;
            ElapsedHours += 1;
        }
    }
    Label2->setText(QStringLiteral("TEMPO TRASCORSO ") + text::numberText(ElapsedHours) + QStringLiteral(" : ")
                    + text::numberText(ElapsedMinutes) + QStringLiteral(" : ") + text::numberText(ElapsedSeconds));
    Label3_Click();
    Label4_Click();
    Label5_Click();
}

// --- prompts and answers -------------------------------------------------

void LetterDrillForm::NextPrompt()
{
    Label7->clear();
    Label6->clear();
    Label10->setText(QString::fromUtf8(m_design.instruction));
    ExerciseNumber += 1;
    const int limit = ItalianAlphabet ? m_design.italianLimit : m_design.englishLimit;
    if (PromptsGiven == limit) {
        EndSessionAtLimit();
        return;
    }
    PresentLetter();
    Text1->setFocus();
    Text1->clear();
    PromptsGiven += 1;
}

// The results stay on view until the next NUOVO; the focus stays on NUOVO.
void LetterDrillForm::EndSessionAtLimit()
{
    Command3_Click();
    SessionOver = true;
    ResultsShown = false;
    Command5_Click();
}

void LetterDrillForm::Text1_KeyPress(Int16 &keyAscii)
{
    if (keyAscii != text::kEnterCode)
        return;
    const QString typed = Text1->text();
    if (typed == ExpectedAnswer)
        AnswerRight();
    else if (const char *hint = caseHint(ExpectedAnswer, typed))
        AnswerWrongCase(hint);
    else
        AnswerWrong();
}

void LetterDrillForm::AnswerRight()
{
    platform::SoundCue(this, QString::fromUtf8(m_design.chimePath));
    Label6->setText(QString::fromUtf8(kRight));
    RightCount += 1;
    Label10->clear();
    RecordRightAnswer();
    Label7->setText(QString::fromUtf8(kPressEnter));
    Text2->setFocus();
}

// Neither counted right nor wrong: Enter in Text2 asks the same letter again.
void LetterDrillForm::AnswerWrongCase(const char *hint)
{
    Label6->setText(QString::fromUtf8(hint));
    Label10->clear();
    Label7->setText(QString::fromUtf8(kPressEnter));
    CaseRetryPending = true;
    Text2->setFocus();
}

void LetterDrillForm::AnswerWrong()
{
    Text1->clear();
    Label6->clear();
    Label10->clear();
    platform::ShowMessage(QStringLiteral("RIPROVA"), QStringLiteral("ATTENTO"));
    Label10->setText(QString::fromUtf8(m_design.instruction));
    WrongCount += 1;
}

void LetterDrillForm::Text2_KeyPress(Int16 &keyAscii)
{
    if (keyAscii != text::kEnterCode)
        return;
    keyAscii = 0;
    if (CaseRetryPending) {
        Text1->clear();
        Label6->clear();
        Label7->clear();
        Label10->setText(QString::fromUtf8(m_design.instruction));
        Text1->setFocus();
        CaseRetryPending = false;
    } else if (SessionActive) {
        NextPrompt();
    }
}

// --- menus ---------------------------------------------------------------

// A change of option ends the session; it applies from the next NUOVO.
void LetterDrillForm::Mnu_Italiano_Click()
{
    ItalianAlphabet = true;
    AlphabetLabel->setText(QStringLiteral("Alfabeto Italiano"));
    Command3_Click();
}

void LetterDrillForm::Mnu_Inglese_Click()
{
    ItalianAlphabet = false;
    AlphabetLabel->setText(QStringLiteral("Alfabeto Inglese"));
    Command3_Click();
}

void LetterDrillForm::Mnu_Maiuscole_Click()
{
    LetterCase = Case::Capitals;
    Label8->setText(QStringLiteral("Lettere Maiuscole"));
    Command3_Click();
}

void LetterDrillForm::Mnu_minuscole_Click()
{
    LetterCase = Case::SmallLetters;
    Label8->setText(QStringLiteral("lettere minuscole"));
    Command3_Click();
}

void LetterDrillForm::Mnu_Informazioni_Click()
{
    platform::AboutBox();
}

void LetterDrillForm::closeEvent(QCloseEvent *event)
{
    // The close box leaves the drill as "ESCI" does.
    event->ignore();
    runHandler(this, [this] { Command4_Click(); });
}
