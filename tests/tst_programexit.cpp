// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/programforms.h"
#include "support/fakes.h"
#include "support/program.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

// The whole program, as main() runs it: a round through every exercise, then
// "ESCI" in the chooser ends it with status 0.
class ProgramExitTest : public QObject
{
    Q_OBJECT

    FakePlatform fakes;

private slots:
    void roundTripThenExitEndsWithStatusZero()
    {
        QStringList visited;
        QTimer::singleShot(0, this, [&] {
            for (auto [option, id, exit] : {std::tuple{"Option1", FormId::RecognitionDrill, "Command4"},
                                            std::tuple{"Option2", FormId::SequenceDrill, "Command4"},
                                            std::tuple{"Option3", FormId::WordOrder, "Command2"}}) {
                program::click(program::find<QRadioButton>(FormId::Chooser, option));
                visited << program::window(id)->objectName();
                program::click(program::find<QPushButton>(id, exit));
            }
            program::click(program::find<QPushButton>(FormId::Chooser, "Command1"));
        });
        QCOMPARE(runProgram(), 0);
        QCOMPARE(visited, (QStringList{"RecognitionDrillForm", "SequenceDrillForm", "WordOrderForm"}));
        for (FormId id : {FormId::Chooser, FormId::RecognitionDrill, FormId::SequenceDrill, FormId::WordOrder})
            QVERIFY(!Forms::instance().isLoaded(id));
    }
};

QTEST_MAIN(ProgramExitTest)
#include "tst_programexit.moc"
