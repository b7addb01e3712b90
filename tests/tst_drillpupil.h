// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A pupil at a letter drill window: opens it from the chooser, clicks, types
// into whatever has the focus and reads the captions.

#include "platform/textcodes.h"
#include "support/program.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class DrillPupil
{
public:
    explicit DrillPupil(FormId drill) : m_drill(drill) {}

    void open()
    {
        const char *option = m_drill == FormId::RecognitionDrill ? "Option1" : "Option2";
        program::click(program::find<QRadioButton>(FormId::Chooser, option));
        QVERIFY(QTest::qWaitForWindowActive(window()));
    }

    QWidget *window() const { return program::window(m_drill); }
    template <class T> T *find(const char *name) const { return program::find<T>(m_drill, name); }
    QString caption(const char *label) const { return find<QLabel>(label)->text(); }
    bool shows(const char *label) const { return !find<QLabel>(label)->isHidden(); }
    QString letter() const { return caption("Label1"); }
    bool canClick(const char *button) const { return find<QPushButton>(button)->isEnabled(); }
    QString focusedName() const { return window()->focusWidget() ? window()->focusWidget()->objectName() : QString(); }

    void click(const char *name) { program::click(find<QWidget>(name)); }
    void choose(const char *item) { program::choose(m_drill, item); }
    void pressEnter() { QTest::keyClick(window()->focusWidget(), Qt::Key_Return); }
    // Types each character as the keyboard sends it, signs outside Latin-1 included.
    void answer(const QString &typed)
    {
        for (QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, window()->focusWidget(), Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
        pressEnter();
    }

    // Shows the results if they are hidden, and reads the three counters.
    QStringList results()
    {
        if (!shows("Label3"))
            click("Command5");
        return {caption("Label3"), caption("Label4"), caption("Label5")};
    }
    static QStringList counters(const QString &exercise, int right, int wrong)
    {
        return {exercise, "RISPOSTE ESATTE " + text::numberText(right - wrong),
                "RISPOSTE ERRATE " + text::numberText(wrong)};
    }

    // Answers all ten letters of a recognition session right, each with a
    // pause after it; no answer may wait on the sound.
    void answerASessionRightWithoutWaiting(int pauseMs = 0)
    {
        for (int i = 1; i <= 10; ++i) {
            QElapsedTimer answering;
            answering.start();
            answer(letter());
            QVERIFY2(answering.elapsed() < 1000, qPrintable(QString::number(answering.elapsed())));
            QCOMPARE(caption("Label6"), QStringLiteral(" ESATTO "));
            QTest::qWait(pauseMs);
            pressEnter();
        }
    }

private:
    FormId m_drill;
};
