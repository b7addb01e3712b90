// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordorder/wordorderform.h"

#include "platform/mediacontrol.h"
#include "platform/messagebox.h"
#include "platform/soundcue.h"
#include "platform/textcodes.h"
#include "ui/controlbuilder.h"
#include "ui/handler.h"
#include "ui/widgets.h"
#include "wordorder/alphabeticalorder.h"
#include "wordorder/wordcontrols.h"
#include "wordorder/wordorderkeys.h"
#include "wordorder/wordorderlayout.h"
#include "wordorder/wordordernarrator.h"

#include <QAction>
#include <QCloseEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace names = wordcontrols;

namespace {

const QString kNewList = QStringLiteral("NUOVO ELENCO");
const QString kImmediateCheck = QStringLiteral("Verifica Immediata");
const QString kFinalCheck = QStringLiteral("Verifica Intermedia o Finale");
const QString kPlacedChime = QStringLiteral("C:\\WINDOWS\\Media\\chimes.wav");
const QString kCheckedChime = QStringLiteral("C:\\WINDOWS\\Media\\Chimes.wav");


int selectedRow(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

// Our own removals must not read as the pupil choosing another word, and the
// list must not keep a selection that the next keystroke would move.
void removeRow(QListWidget *list, int row)
{
    const QSignalBlocker blocker(list);
    delete list->takeItem(row);
    list->selectionModel()->clear();
}

void clearList(QListWidget *list)
{
    const QSignalBlocker blocker(list);
    list->clear();
}

// The tables that mirror List1 and List2 take a word at the end and close up
// behind a removed one, exactly as their lists do.
template <std::size_t N>
void appendSlot(std::array<QString, N> &table, Int16 &count, const QString &word)
{
    table[count] = word;
    ++count;
}

template <std::size_t N>
void removeSlot(std::array<QString, N> &table, Int16 &count, int slot)
{
    --count;
    std::move(table.begin() + slot + 1, table.begin() + count + 1, table.begin() + slot);
    table[count].clear();
}

// Moves the word in row of one list, and of the table that mirrors it, to the
// end of the other list and its table.
template <std::size_t N>
void moveWord(int row, QListWidget *from, std::array<QString, N> &fromTable, Int16 &fromCount, QListWidget *to,
              std::array<QString, N> &toTable, Int16 &toCount)
{
    const QString word = fromTable[row];
    to->addItem(word);
    appendSlot(toTable, toCount, word);
    removeRow(from, row);
    removeSlot(fromTable, fromCount, row);
}

QStringList itemTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

} // namespace

WordOrderForm::WordOrderForm()
{
    using namespace wordorderlayout;
    ui::buildMenuWindow(this, kWindow, controls(), menus());
    new MediaControl(this);
    ui::setTabOrder(this, {names::Text1, names::Command1, names::Command2, names::List1, names::List2, names::Command3, names::List3, names::Text2});
    findControls();
    connectHandlers();
    accessibility::describe(this, wordOrderDescription());
    new WordOrderKeys(this);
    Text1->setFocus();
}

void WordOrderForm::findControls()
{
    using ui::control;
    Text1 = control<QLineEdit>(this, names::Text1);
    Text2 = control<QPlainTextEdit>(this, names::Text2);
    List1 = control<QListWidget>(this, names::List1);
    List2 = control<QListWidget>(this, names::List2);
    List3 = control<QListWidget>(this, names::List3);
    Label1 = control<ClickableLabel>(this, names::Label1);
    Label3 = control<ClickableLabel>(this, names::Label3);
    Label4 = control<ClickableLabel>(this, names::Label4);
    Label5 = control<ClickableLabel>(this, names::Label5);
    Label6 = control<ClickableLabel>(this, names::Label6);
    Label7 = control<ClickableLabel>(this, names::Label7);
    Label8 = control<ClickableLabel>(this, names::Label8);
    Label9 = control<ClickableLabel>(this, names::Label9);
    Label10 = control<ClickableLabel>(this, names::Label10);
    Command3 = control<QPushButton>(this, names::Command3);
}

void WordOrderForm::connectHandlers()
{
    using ui::control;
    onClicked(this, names::Command1, &WordOrderForm::Command1_Click);
    onClicked(this, names::Command2, &WordOrderForm::Command2_Click);
    onClicked(this, names::Command3, &WordOrderForm::Command3_Click);

    auto *label2 = control<ClickableLabel>(this, names::Label2);
    connect(label2, &ClickableLabel::clicked, this, guarded(label2, [this] { Label2_Click(); }));
    connect(Label7, &ClickableLabel::clicked, this, guarded(Label7, [this] { Label7_Click(); }));

    // A selection made by mouse or keyboard is the pupil's move. The current
    // row alone is not: a list given the focus by Tab gets one without a choice.
    connect(List1, &QListWidget::itemSelectionChanged, this, guarded(List1, [this] { List1_Click(); }));
    connect(List2, &QListWidget::itemSelectionChanged, this, guarded(List2, [this] { List2_Click(); }));

    onKeyPress(Text1, [this](Int16 &keyAscii) { Text1_KeyPress(keyAscii); });

    onChosen(this, names::liv1, &WordOrderForm::liv1_Click);
    onChosen(this, names::liv2, &WordOrderForm::liv2_Click);
    onChosen(this, names::It, &WordOrderForm::It_Click);
    onChosen(this, names::En, &WordOrderForm::En_Click);
    onChosen(this, "info", &WordOrderForm::info_Click);
}

void WordOrderForm::Form_Load()
{
    PoolCount = 0;
    PlacedCount = 0;
    Text1->clear();
    ErrorCount = 0;
    Level = Verification::Immediate;
    Label1->setText(kImmediateCheck);
    Label5->clear();
    Label7->show();
    Label8->show();
    Command3->hide();
    Text2->hide();
    LastCompareOk = false;
    ItalianWords = true;
    for (int slot = 0; slot < kCapacity; ++slot)
        WordBank[slot] = QString::fromUtf8(wordbank::word(slot));
}

// ---- Word sources --------------------------------------------------------

void WordOrderForm::Command1_Click()
{
    clearList(List1);
    clearList(List2);
    clearList(List3);
    PoolCount = 0;
    PlacedCount = 0;
    Text1->setFocus();
    Label3->setText(kNewList);
    Label7->show();
    Label8->show();
    Label5->clear();
    Text2->clear();
    Text2->hide();
    Label4->clear();
    Label6->clear();
    for (int slot = 0; slot < kCapacity - 1; ++slot)
        WordUsed[slot] = false;
    CorrectionCount = 0;
    ErrorCount = 0;
    MoveCount = 0;
    CorrectCount = 0;
}

void WordOrderForm::Label2_Click()
{
    Command1_Click();
    const auto language = ItalianWords ? wordbank::Language::Italian : wordbank::Language::English;
    for (int n = 0; n < wordbank::kListLength; ++n) {
        const int slot = wordbank::drawUnusedSlot(language, WordUsed);
        // A drawn word goes in the way a typed one does: through the entry box.
        Text1->setText(WordBank[slot]);
        enterWord(Text1->text());
        Text1->clear();
    }
    Label7->hide();
    Label8->hide();
}

void WordOrderForm::Label7_Click()
{
    Label2_Click();
}

void WordOrderForm::Text1_KeyPress(Int16 &keyAscii)
{
    if (keyAscii >= 'a' && keyAscii <= 'z')
        keyAscii -= text::kCapitalToSmall;
    if (keyAscii != text::kEnterCode || Text1->text().isEmpty())
        return;
    // List3 holds every word entered in the exercise.
    if (List3->count() >= kCapacity) {
        // The word stays in the box, so nothing typed is lost.
        Label5->setText(QStringLiteral("Elenco pieno: al massimo %1 parole").arg(kCapacity));
        return;
    }
    enterWord(Text1->text());
    Text1->clear();
}

void WordOrderForm::enterWord(const QString &word)
{
    List1->addItem(word);
    List3->insertItem(wordorder::sortedInsertIndex(itemTexts(List3), word), word);
    appendSlot(PoolWords, PoolCount, word);
}

void WordOrderForm::It_Click()
{
    ItalianWords = true;
    Command1_Click();
}

void WordOrderForm::En_Click()
{
    ItalianWords = false;
    Command1_Click();
}

// ---- Moves ---------------------------------------------------------------

void WordOrderForm::List1_Click()
{
    ++MoveCount;
    showMoveCount();
    const int s = selectedRow(List1);
    if (s >= 0) {
        moveWord(s, List1, PoolWords, PoolCount, List2, PlacedWords, PlacedCount);
        if (Level == Verification::Immediate)
            CheckPositions();
        Text1->setFocus();
    }
    Text2->clear();
    if (Level == Verification::OnRequest)
        Label3->setText(kNewList);
    Label4->clear();
    if (List1->count() == 0)
        Label6->setText(QStringLiteral("Correzioni  ") + QString::number(CorrectionCount));
}

void WordOrderForm::List2_Click()
{
    const int s = selectedRow(List2);
    if (s >= 0) {
        // Back at the end of List1, not at its former place.
        moveWord(s, List2, PlacedWords, PlacedCount, List1, PoolWords, PoolCount);
        Text1->setFocus();
        if (Level == Verification::Immediate)
            CheckPositions();
        if (Level == Verification::OnRequest) {
            Label3->setText(kNewList);
            Label5->clear();
        }
    }
    if (List2->count() == 0) {
        Label3->setText(kNewList);
        Label5->clear();
    }
    Text2->hide();
    Text2->clear();
    Label4->clear();
    ++CorrectionCount;
    --MoveCount;
    showMoveCount();
}

void WordOrderForm::showMoveCount()
{
    Label9->setText(QString::number(MoveCount));
}

QStringList WordOrderForm::poolWords() const
{
    return QStringList(PoolWords.begin(), PoolWords.begin() + PoolCount);
}

QStringList WordOrderForm::placedWords() const
{
    return QStringList(PlacedWords.begin(), PlacedWords.begin() + PlacedCount);
}

// ---- Checks --------------------------------------------------------------

void WordOrderForm::CheckPositions()
{
    LastCompareOk = false;
    ErrorCount = 0;
    CorrectCount = 0;
    for (int i = 0; i < PlacedCount; ++i) {
        if (PlacedWords[i] == List3->item(i)->text()) {
            ++CorrectCount;
            LastCompareOk = true;
            Label10->setText(QString::number(CorrectCount));
        } else {
            ++ErrorCount;
            ErrorText = QStringLiteral(" - ") + PlacedWords[i];
        }
        ShowVerdict();
    }
    if (MoveCount == CorrectCount)
        platform::SoundCue(this, kPlacedChime);
}

void WordOrderForm::Command3_Click()
{
    ErrorCount = 0;
    ErrorText.clear();
    Label3->clear();
    Label5->clear();
    Text2->clear();
    Label4->clear();
    CheckPairs();
    if (ErrorCount < 1)
        platform::SoundCue(this, kCheckedChime);
    else
        Text2->show();
    if (List2->count() < 2) {
        Label3->setText(QStringLiteral("Un solo termine?"));
        Label4->clear();
    }
    if (List2->count() == 0) {
        Label3->setText(QStringLiteral("Lista Vuota !"));
        Label4->clear();
    }
}

void WordOrderForm::CheckPairs()
{
    for (int i = 0; i + 1 < PlacedCount; ++i) {
        const QString &first = PlacedWords[i];
        const QString &second = PlacedWords[i + 1];
        switch (wordorder::comparePair(first, second)) {
        case wordorder::PairVerdict::NotCompared:
            break;
        case wordorder::PairVerdict::InOrder:
            LastCompareOk = true;
            break;
        case wordorder::PairVerdict::Misplaced:
            LastCompareOk = false;
            ErrorText += QStringLiteral(" - ") + second + QStringLiteral(" precede ") + first + QLatin1Char('\r');
            ++ErrorCount;
            break;
        }
    }
    ShowVerdict();
}

void WordOrderForm::ShowVerdict()
{
    // The immediate check runs this once per placed word, so each box gets
    // its final text in one write instead of being emptied and refilled.
    QString verdict;
    QString errors;
    QString praise;
    if (ErrorCount > 0) {
        verdict = QStringLiteral("LISTA ERRATA");
        errors = text::displayLines(ErrorText);
        Label5->setText(QStringLiteral("Clicca sul termine errato per rimuoverlo"));
    } else if (LastCompareOk) {
        verdict = QStringLiteral("LISTA ORDINATA");
        Label5->clear();
        praise = QStringLiteral("ESATTO");
        Text2->hide();
    }
    Label3->setText(verdict);
    if (Text2->toPlainText() != errors)
        Text2->setPlainText(errors);
    Label4->setText(praise);
}

// ---- Menus and leaving ---------------------------------------------------

void WordOrderForm::liv1_Click()
{
    Level = Verification::Immediate;
    Command1_Click();
    Command3->hide();
    Text2->hide();
    Label1->setText(kImmediateCheck);
}

void WordOrderForm::liv2_Click()
{
    Level = Verification::OnRequest;
    Command1_Click();
    Command3->show();
    Label1->setText(kFinalCheck);
}

void WordOrderForm::info_Click()
{
    platform::AboutBox();
}

void WordOrderForm::Command2_Click()
{
    Forms::instance().unload(this);
    Forms::instance().showHome();
}

void WordOrderForm::closeEvent(QCloseEvent *event)
{
    // The close box leaves the exercise as "ESCI" does.
    event->ignore();
    runHandler(this, [this] { Command2_Click(); });
}
