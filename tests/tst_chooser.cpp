// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chooserform.h"
#include "app/programforms.h"
#include "support/fakes.h"
#include "support/program.h"

#include <QFrame>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {

QRadioButton *option(const char *name)
{
    return program::find<QRadioButton>(FormId::Chooser, name);
}

bool noOptionSelected()
{
    return !option("Option1")->isChecked() && !option("Option2")->isChecked() && !option("Option3")->isChecked();
}

// The exit button of each exercise window.
QPushButton *exitButton(FormId id)
{
    return program::find<QPushButton>(id, id == FormId::WordOrder ? "Command2" : "Command4");
}

// A window that counts its load and its activations, to watch the registry.
class CountingForm : public QWidget, public Form
{
public:
    QWidget *widget() override { return this; }
    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }
    static inline int loads = 0;
    static inline int activations = 0;
};

} // namespace

class ChooserTest : public QObject
{
    Q_OBJECT

    FakePlatform fakes;

private slots:
    void init()
    {
        fakes.clear();
        program::start();
    }
    void cleanup() { program::stop(); }

    void startsAloneWithNothingChosen()
    {
        QCOMPARE(program::visibleCount(), 1);
        QWidget *chooser = program::window(FormId::Chooser);
        QCOMPARE(chooser->objectName(), QStringLiteral("ChooserForm"));
        QCOMPARE(chooser->windowTitle(), QStringLiteral("LUPREDA"));
        QCOMPARE(chooser->size(), QSize(798, 593));
        QCOMPARE(chooser->geometry().topLeft(), QPoint(113, 74));
        QCOMPARE(chooser->palette().color(QPalette::Window), QColor(255, 255, 192));
        QVERIFY(!chooser->findChild<QMenuBar *>());
        QVERIFY(!Forms::instance().isLoaded(FormId::RecognitionDrill));
        QVERIFY(!Forms::instance().isLoaded(FormId::WordOrder));
        QVERIFY(noOptionSelected());
    }

    void layoutMatchesTheDesign()
    {
        auto *frame = program::find<QFrame>(FormId::Chooser, "Frame1");
        QCOMPARE(frame->geometry(), QRect(152, 56, 505, 329));
        QCOMPARE(frame->palette().color(QPalette::Window), QColor(128, 255, 255));
        const char *names[] = {"Option1", "Option2", "Option3"};
        const char *captions[] = {"Riconoscere le lettere dell'alfabeto, Maiuscole o minuscole",
                                  "Mettere in sequenza le lettere dell'alfabeto, Maiuscole o minuscole",
                                  "Ordinare alfabeticamente dei nomi, prelevati da una lista o digitati da tastiera"};
        for (int i = 0; i < 3; ++i) {
            QRadioButton *o = option(names[i]);
            QCOMPARE(o->parentWidget(), frame);
            QCOMPARE(o->text(), QString::fromUtf8(captions[i]));
            QCOMPARE(o->geometry(), QRect(32, 32 + 96 * i, 433, 57));
            QCOMPARE(o->font().pointSizeF(), 13.5);
            QCOMPARE(o->font().weight(), QFont::Bold);
            QCOMPARE(o->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        }
        auto *exit = program::find<QPushButton>(FormId::Chooser, "Command1");
        QCOMPARE(exit->text(), QStringLiteral("&ESCI"));
        QCOMPARE(exit->geometry().right() + 1, frame->geometry().right() + 1);
        QCOMPARE(exit->font().pointSizeF(), 8.25);

        // Tab order: ESCI, then the options from the second.
        QWidget *w = exit;
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            order << w->objectName();
            do
                w = w->nextInFocusChain();
            while (w->focusPolicy() == Qt::NoFocus);
        }
        QCOMPARE(order, (QStringList{"Command1", "Option2", "Option3", "Option1"}));
    }

    void eachOptionOpensItsExerciseAndComesBackCleared_data()
    {
        QTest::addColumn<QString>("optionName");
        QTest::addColumn<int>("exercise");
        QTest::addColumn<QString>("title");
        QTest::newRow("recognition") << "Option1" << int(FormId::RecognitionDrill)
                                     << "RICONOSCERE LE LETTERE DELL'ALFABETO";
        QTest::newRow("sequence") << "Option2" << int(FormId::SequenceDrill)
                                  << "METTERE IN SEQUENZA LE LETTERE DELL'ALFABETO";
        QTest::newRow("word order") << "Option3" << int(FormId::WordOrder) << "ORDINAMENTO ALFABETICO";
    }
    void eachOptionOpensItsExerciseAndComesBackCleared()
    {
        QFETCH(QString, optionName);
        QFETCH(int, exercise);
        QFETCH(QString, title);
        const auto id = FormId(exercise);

        program::click(option(qPrintable(optionName)));
        QVERIFY(program::isVisible(id));
        QVERIFY(!program::isVisible(FormId::Chooser));
        QCOMPARE(program::visibleCount(), 1);
        QCOMPARE(program::window(id)->windowTitle(), title);
        QPointer<QWidget> first = program::window(id);

        program::click(exitButton(id));
        QVERIFY(program::isVisible(FormId::Chooser));
        QCOMPARE(program::visibleCount(), 1);
        QVERIFY(noOptionSelected());

        program::click(option(qPrintable(optionName)));
        QVERIFY(program::isVisible(id));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (id == FormId::WordOrder)
            QVERIFY2(!first, "the word-ordering window is loaded afresh");
        else
            QCOMPARE(program::window(id), first.data());
    }

    void escapeInAnExerciseReturnsToTheChooser()
    {
        for (auto [name, id] : {std::pair{"Option1", FormId::RecognitionDrill},
                                std::pair{"Option2", FormId::SequenceDrill}, std::pair{"Option3", FormId::WordOrder}}) {
            program::click(option(name));
            QVERIFY(QTest::qWaitForWindowActive(program::window(id)));
            QTest::keyClick(program::window(id), Qt::Key_Escape);
            QVERIFY(program::isVisible(FormId::Chooser));
            QVERIFY(!program::isVisible(id));
        }
    }

    void closeBoxOfAnExerciseActsAsItsExit()
    {
        program::click(option("Option2"));
        program::window(FormId::SequenceDrill)->close();
        QVERIFY(program::isVisible(FormId::Chooser));
        QVERIFY(Forms::instance().isLoaded(FormId::SequenceDrill));
        program::click(option("Option3"));
        program::window(FormId::WordOrder)->close();
        QVERIFY(program::isVisible(FormId::Chooser));
        QVERIFY(!Forms::instance().isLoaded(FormId::WordOrder));
    }

    void exitUnloadsEveryWindow_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("visitFirst");
        QTest::newRow("click at start") << "click" << false;
        QTest::newRow("click after visiting all") << "click" << true;
        QTest::newRow("Esc") << "esc" << true;
        QTest::newRow("Alt+E") << "alt" << false;
        QTest::newRow("close box") << "close" << true;
    }
    void exitUnloadsEveryWindow()
    {
        QFETCH(QString, how);
        QFETCH(bool, visitFirst);
        if (visitFirst) {
            for (auto [name, id] : {std::pair{"Option1", FormId::RecognitionDrill},
                                    std::pair{"Option2", FormId::SequenceDrill},
                                    std::pair{"Option3", FormId::WordOrder}}) {
                program::click(option(name));
                program::click(exitButton(id));
            }
            QVERIFY(Forms::instance().isLoaded(FormId::RecognitionDrill));
            QVERIFY(Forms::instance().isLoaded(FormId::SequenceDrill));
        }
        QSignalSpy ended(&Forms::instance(), &Forms::allUnloaded);
        QWidget *chooser = program::window(FormId::Chooser);
        QVERIFY(QTest::qWaitForWindowActive(chooser));
        if (how == QLatin1String("click"))
            program::click(program::find<QPushButton>(FormId::Chooser, "Command1"));
        else if (how == QLatin1String("esc"))
            QTest::keyClick(chooser, Qt::Key_Escape);
        else if (how == QLatin1String("alt"))
            QTest::keyClick(chooser, Qt::Key_E, Qt::AltModifier);
        else
            chooser->close();
        // An access key clicks its button with a short visible press.
        QTRY_COMPARE(ended.size(), 1);
        for (FormId id : {FormId::Chooser, FormId::RecognitionDrill, FormId::SequenceDrill, FormId::WordOrder})
            QVERIFY(!Forms::instance().isLoaded(id));
        QCOMPARE(program::visibleCount(), 0);
    }

    void keyboardChoiceOpensTheExercise()
    {
        QRadioButton *third = option("Option3");
        third->setFocus();
        QTest::keyClick(third, Qt::Key_Space);
        QVERIFY(program::isVisible(FormId::WordOrder));
        QVERIFY(!program::isVisible(FormId::Chooser));
    }

    void loadRunsOnceAndActivationOnEveryShow()
    {
        CountingForm::loads = CountingForm::activations = 0;
        Forms::instance().setFactory(FormId::RecognitionDrill, [] { return new CountingForm; });
        program::click(option("Option1"));
        QCOMPARE(CountingForm::loads, 1);
        QCOMPARE(CountingForm::activations, 1);

        // Showing it again while it is the active window is no new activation.
        Forms::instance().show(FormId::RecognitionDrill);
        QCOMPARE(CountingForm::activations, 1);

        Forms::instance().hide(FormId::RecognitionDrill);
        Forms::instance().show(FormId::Chooser);
        QVERIFY(noOptionSelected());
        program::click(option("Option1"));
        QCOMPARE(CountingForm::loads, 1);
        QCOMPARE(CountingForm::activations, 2);
        registerProgramForms();
    }
};

QTEST_MAIN(ChooserTest)
#include "tst_chooser.moc"
