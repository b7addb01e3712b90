// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/forms.h"
#include "platform/checkedint.h"
#include "wordorder/wordbank.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <cstdint>

class ClickableLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The word-ordering exercise: the pupil gathers words (drawn at random or
// typed), moves them one by one from List1 into List2 in alphabetical order,
// and has the order checked after every move (level 1) or on request (level 2).
class WordOrderForm : public QMainWindow, public Form
{
    Q_OBJECT
public:
    // Words one exercise can hold; every table has this many slots.
    static constexpr int kCapacity = wordbank::kSlots;

    WordOrderForm();

    QWidget *widget() override { return this; }
    void Form_Load() override;

    // The window's event handlers; handlers also run one another directly.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Label2_Click();
    void Label7_Click();
    void Text1_KeyPress(Int16 &keyAscii);
    void List1_Click();
    void List2_Click();
    void liv1_Click();
    void liv2_Click();
    void It_Click();
    void En_Click();
    void info_Click();

    // The filled slots of the tables that mirror List1 and List2.
    QStringList poolWords() const;
    QStringList placedWords() const;
    // Whether random lists come from the Italian words (Lingua menu).
    bool italianWords() const { return ItalianWords; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void CheckPositions();
    void CheckPairs();
    void ShowVerdict();

    void findControls();
    void connectHandlers();
    void enterWord(const QString &word);
    void showMoveCount();

    // Controls the handlers work on.
    QLineEdit *Text1 = nullptr;
    QPlainTextEdit *Text2 = nullptr;
    QListWidget *List1 = nullptr;
    QListWidget *List2 = nullptr;
    QListWidget *List3 = nullptr;
    ClickableLabel *Label1 = nullptr;
    ClickableLabel *Label3 = nullptr;
    ClickableLabel *Label4 = nullptr;
    ClickableLabel *Label5 = nullptr;
    ClickableLabel *Label6 = nullptr;
    ClickableLabel *Label7 = nullptr;
    ClickableLabel *Label8 = nullptr;
    ClickableLabel *Label9 = nullptr;
    ClickableLabel *Label10 = nullptr;
    QPushButton *Command3 = nullptr;

    // Word sources.
    std::array<QString, kCapacity> WordBank;
    wordbank::UsedSlots WordUsed{};
    bool ItalianWords = true;

    // List1 and List2, slot i being item i.
    std::array<QString, kCapacity> PoolWords;
    Int16 PoolCount;
    std::array<QString, kCapacity> PlacedWords;
    Int16 PlacedCount;

    // Checking.
    // When the order is checked: after every move, or when the pupil asks.
    enum class Verification : std::int16_t { Immediate = 1, OnRequest = 2 };
    Verification Level = Verification::Immediate;
    Int16 MoveCount;
    Int16 CorrectCount;
    Int16 CorrectionCount;
    Int16 ErrorCount;
    QString ErrorText;
    bool LastCompareOk = false;
};
