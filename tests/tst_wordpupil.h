// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A pupil at the word window: opens it from the chooser, types words, clicks
// them from one list to the other, and reads the lists and captions.

#include "support/program.h"
#include "support/wordlists.h"
#include "wordorder/wordorderform.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class WordPupil
{
public:
    void open()
    {
        program::click(program::find<QRadioButton>(FormId::Chooser, "Option3"));
        QVERIFY(program::isVisible(FormId::WordOrder));
        QVERIFY(QTest::qWaitForWindowActive(window()));
    }

    QWidget *window() const { return program::window(FormId::WordOrder); }
    WordOrderForm *form() const { return qobject_cast<WordOrderForm *>(window()); }
    template <class T> T *find(const char *name) const { return program::find<T>(FormId::WordOrder, name); }
    QString caption(const char *label) const { return find<QLabel>(label)->text(); }
    bool shows(const char *name) const { return find<QWidget>(name)->isVisible(); }
    QListWidget *list(const char *name) const { return find<QListWidget>(name); }
    QLineEdit *entryBox() const { return find<QLineEdit>("Text1"); }
    QStringList words(const char *listName) const { return wordlists::itemsOf(list(listName)); }

    void click(const char *name) { program::click(find<QWidget>(name)); }
    void choose(const char *item) { program::choose(FormId::WordOrder, item); }
    void check() { click("Command3"); }
    void leave() { click("Command2"); }
    void drawRandomList() { click("Label2"); }

    // Types the word key by key, signs outside ASCII as the keyboard sends
    // them, then Enter.
    void type(const QString &word)
    {
        for (QChar c : word) {
            if (c.unicode() < 128)
                QTest::keyClick(entryBox(), char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, entryBox(), Qt::Key(c.toUpper().unicode()), QString(c), {});
        }
        QTest::keyClick(entryBox(), Qt::Key_Return);
    }
    void typeWords(const QStringList &words)
    {
        for (const QString &word : words)
            type(word);
    }

    // Clicks the word at a row of a list, as a pupil would.
    void clickRow(const char *listName, int row)
    {
        QListWidget *box = list(listName);
        QVERIFY2(row < box->count(), listName);
        box->scrollToItem(box->item(row));
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(box->item(row)).center());
    }
    // Clicks the first word of the list that reads word.
    void clickWord(const char *listName, const QString &word)
    {
        const QList<QListWidgetItem *> found = list(listName)->findItems(word, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(word));
        clickRow(listName, list(listName)->row(found.front()));
    }
    // Clicks the first word left in List1, which moves it to the end of List2.
    void placeFirst() { clickRow("List1", 0); }

    // With the keyboard: Tab into the list and take its first word with an arrow.
    void takeFirstWithArrow(const char *listName)
    {
        list(listName)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list(listName), Qt::Key_Down);
    }
};
