// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets.h"
#include "support/fakes.h"
#include "support/program.h"
#include "tst_wordpupil.h"
#include "wordorder/wordbank.h"
#include "wordorder/wordorderform.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>

namespace {

const QString kPlacedChime = QStringLiteral("C:\\WINDOWS\\Media\\chimes.wav");
const QString kCheckedChime = QStringLiteral("C:\\WINDOWS\\Media\\Chimes.wav");

QStringList bankWords(int first, int count)
{
    QStringList words;
    for (int slot = first; slot < first + count; ++slot)
        words.append(QString::fromUtf8(wordbank::word(slot)));
    return words;
}

// Error entries as Text2 shows them, one per line.
QString errorLines(const QStringList &entries)
{
    QString text;
    for (const QString &entry : entries)
        text += entry + QLatin1Char('\n');
    return text;
}

} // namespace

class WordOrderTest : public QObject
{
    Q_OBJECT

    FakePlatform fakes;
    WordPupil pupil;

    // Clicks the first word of the list that reads word; after each move the
    // lists must still agree.
    void clickWord(const char *listName, const QString &word)
    {
        pupil.clickWord(listName, word);
        verifyListsAgree();
    }

    void place(const QStringList &words)
    {
        for (const QString &word : words) {
            clickWord("List1", word);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Every word entered is in exactly one of List1 and List2, the tables
    // mirror those lists, and List3 holds all of them in reference order.
    void verifyListsAgree()
    {
        QCOMPARE(pupil.form()->poolWords(), pupil.words("List1"));
        QCOMPARE(pupil.form()->placedWords(), pupil.words("List2"));
        QStringList placedOrNot = pupil.words("List1") + pupil.words("List2");
        QStringList reference = pupil.words("List3");
        QCOMPARE(reference, wordlists::italianOrder(reference));
        placedOrNot.sort();
        reference.sort();
        QCOMPARE(placedOrNot, reference);
    }

    void verifyFreshExercise()
    {
        QVERIFY(pupil.words("List1").isEmpty());
        QVERIFY(pupil.words("List2").isEmpty());
        QVERIFY(pupil.words("List3").isEmpty());
        QCOMPARE(pupil.caption("Label1"), QStringLiteral("Verifica Immediata"));
        QVERIFY(pupil.shows("Label7"));
        QVERIFY(pupil.shows("Label8"));
        QVERIFY(!pupil.shows("Command3"));
        QVERIFY(!pupil.shows("Text2"));
        QVERIFY(pupil.entryBox()->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), pupil.entryBox());
    }

private slots:
    void init()
    {
        fakes.clear();
        program::start();
        pupil.open();
    }

    void cleanup() { program::stop(); }

    void opensEmptyWithItsControlsAndMenus()
    {
        verifyFreshExercise();
        QWidget *window = pupil.window();
        QCOMPARE(window->windowTitle(), QStringLiteral("ORDINAMENTO ALFABETICO"));
        QCOMPARE(window->findChild<QWidget *>("Text1")->parentWidget()->size(), QSize(778, 569));
        QCOMPARE(pupil.find<QWidget>("List1")->geometry(), QRect(144, 88, 177, 222));
        QCOMPARE(pupil.find<QWidget>("Label1")->font().weight(), QFont::Normal);
        QCOMPARE(pupil.find<QWidget>("Label3")->font().weight(), QFont::Bold);
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("NUOVO ELENCO "));
        for (const char *hidden : {"List3", "Label9", "Label10"})
            QVERIFY2(!pupil.shows(hidden), hidden);

        QStringList menuBar;
        for (QAction *action : qobject_cast<QMainWindow *>(window)->menuBar()->actions())
            menuBar.append(action->text());
        QCOMPARE(menuBar, QStringList({"&Livelli", "Lingua", "&Informazioni"}));
        QCOMPARE(pupil.find<QAction>("liv2")->text(), QStringLiteral("Verifica Intermedia o Finale"));
        QCOMPARE(pupil.find<QAction>("En")->text(), QStringLiteral("Inglese"));

        pupil.choose("info");
        QCOMPARE(fakes.messages.shown.size(), 1);
        QCOMPARE(fakes.messages.shown.front().second, QStringLiteral("Lupreda"));
    }

    void tabVisitsTheVisibleControlsInOrder()
    {
        QStringList visited;
        for (int tab = 0; tab < 5; ++tab) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(visited, QStringList({"Command1", "Command2", "List1", "List2", "Text1"}));
        QVERIFY(pupil.words("List2").isEmpty());
    }

    // An access key clicks its button a moment later, as a pressed button shows.
    void accessKeysClickOnlyVisibleButtons()
    {
        auto altKey = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier); };
        pupil.typeWords({"uno", "due"});
        place({"DUE"});
        altKey(Qt::Key_V);
        QTest::qWait(300);
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("LISTA ORDINATA"));
        QCOMPARE(fakes.sound.playedFiles(), QStringList({kPlacedChime}));
        // An Alt key that clicks nothing types nothing either.
        QVERIFY(pupil.entryBox()->text().isEmpty());

        pupil.choose("liv2");
        pupil.type("uno");
        place({"UNO"});
        altKey(Qt::Key_V);
        QTRY_COMPARE(pupil.caption("Label3"), QStringLiteral("Un solo termine?"));
        QCOMPARE(fakes.sound.playedFiles().last(), kCheckedChime);

        altKey(Qt::Key_N);
        QTRY_VERIFY(pupil.words("List2").isEmpty());
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("NUOVO ELENCO"));
        altKey(Qt::Key_E);
        QTRY_VERIFY(!Forms::instance().isLoaded(FormId::WordOrder));
    }

    void randomListsHoldTenDifferentWordsOfTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("bank");
        QTest::addColumn<int>("draws");
        QTest::newRow("Italiano") << "It" << bankWords(wordbank::kItalianFirst, wordbank::kItalianCount) << 100;
        QTest::newRow("Inglese") << "En" << bankWords(wordbank::kEnglishFirst, wordbank::kEnglishCount) << 300;
    }
    void randomListsHoldTenDifferentWordsOfTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, bank);
        QFETCH(int, draws);
        pupil.choose(qPrintable(language));
        const QSet<QString> bankSet(bank.begin(), bank.end());
        QSet<QString> seen;
        for (int draw = 0; draw < draws; ++draw) {
            if (draw % 2)
                pupil.drawRandomList();
            else
                pupil.click("Label7");
            const QStringList drawn = pupil.words("List1");
            QCOMPARE(drawn.size(), 10);
            QSet<QString> distinct(drawn.begin(), drawn.end());
            QCOMPARE(distinct.size(), 10);
            QVERIFY(distinct.subtract(bankSet).isEmpty());
            seen.unite(QSet<QString>(drawn.begin(), drawn.end()));
        }
        QCOMPARE(seen, bankSet); // "Hotel " among them, with its blank
        QVERIFY(!pupil.shows("Label7"));
        QVERIFY(!pupil.shows("Label8"));
        QVERIFY(pupil.shows("Label2"));
        verifyListsAgree();
    }

    void englishWordsAreSpelledRightInTheirSlots()
    {
        QCOMPARE(QString::fromUtf8(wordbank::word(84)), QStringLiteral("Quadratic"));
        QCOMPARE(QString::fromUtf8(wordbank::word(99)), QStringLiteral("Xenophile"));
    }

    void typedWordsTurnToCapitalsAndJoinTheExercise()
    {
        pupil.type("casa");
        pupil.type(QStringLiteral("citt\u00e0"));
        pupil.type("casa");
        QTest::keyClick(pupil.entryBox(), Qt::Key_Return);
        pupil.type("zero 1");
        QCOMPARE(pupil.words("List1"), QStringList({"CASA", QStringLiteral("CITT\u00e0"), "CASA", "ZERO 1"}));
        QVERIFY(pupil.entryBox()->text().isEmpty());
        verifyListsAgree();

        pupil.drawRandomList();
        pupil.type("ape");
        QCOMPARE(pupil.words("List1").size(), 11);
        QCOMPARE(pupil.words("List1").last(), QStringLiteral("APE"));
        QVERIFY(!pupil.words("List1").contains("CASA"));
        verifyListsAgree();
    }

    // The 118th word is refused with a message and stays in the entry box;
    // none of the 117 is lost, wherever it stands.
    void anExerciseHoldsAtMost117Words()
    {
        QStringList entered;
        for (int n = 1; n <= 117; ++n) {
            pupil.type(QStringLiteral("p%1").arg(n));
            entered << QStringLiteral("P%1").arg(n);
        }
        QCOMPARE(pupil.words("List1"), entered);
        QVERIFY(pupil.caption("Label5").isEmpty());
        place({"P1", "P10", "P100"});

        pupil.type(QStringLiteral("troppo"));
        QCOMPARE(pupil.entryBox()->text(), QStringLiteral("TROPPO"));
        QCOMPARE(pupil.caption("Label5"), QStringLiteral("Elenco pieno: al massimo 117 parole"));
        QTest::keyClick(pupil.entryBox(), Qt::Key_Return);
        QCOMPARE(pupil.entryBox()->text(), QStringLiteral("TROPPO"));
        QStringList held = pupil.words("List1") + pupil.words("List2");
        held.sort();
        QStringList expected = entered;
        expected.sort();
        QCOMPARE(held, expected);
        QCOMPARE(pupil.words("List3").size(), 117);
        QCOMPARE(pupil.words("List2"), QStringList({"P1", "P10", "P100"}));
        verifyListsAgree();

        // The words still move both ways, and a new exercise takes words again.
        clickWord("List2", "P10");
        place({"P117"});
        QCOMPARE(pupil.words("List1").size() + pupil.words("List2").size(), 117);
        pupil.click("Command1");
        QVERIFY(pupil.caption("Label5").isEmpty());
        QTest::keyClick(pupil.entryBox(), Qt::Key_Return);
        QCOMPARE(pupil.words("List1"), QStringList({"TROPPO"}));
        verifyListsAgree();
    }

    void levelOneChimesWhileEveryPlacedWordIsInPlace()
    {
        pupil.typeWords({"balcone", "albero", "casetta"});
        place({"ALBERO"});
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("LISTA ORDINATA"));
        QVERIFY(pupil.caption("Label4").isEmpty());
        QCOMPARE(fakes.sound.playedFiles(), QStringList({kPlacedChime}));

        place({"CASETTA"});
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("LISTA ERRATA"));
        QCOMPARE(pupil.caption("Label5"), QStringLiteral("Clicca sul termine errato per rimuoverlo"));
        QCOMPARE(fakes.sound.playedFiles().size(), 1);
        QVERIFY(!pupil.shows("Text2"));

        clickWord("List2", "CASETTA");
        QCOMPARE(pupil.words("List1"), QStringList({"BALCONE", "CASETTA"}));
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("LISTA ORDINATA"));
        QVERIFY(pupil.caption("Label5").isEmpty());
        QCOMPARE(fakes.sound.playedFiles().size(), 1);
        QCOMPARE(QApplication::focusWidget(), pupil.entryBox());

        place({"BALCONE"});
        QCOMPARE(fakes.sound.playedFiles().size(), 2);
        QVERIFY(pupil.caption("Label6").isEmpty());
        place({"CASETTA"});
        QCOMPARE(fakes.sound.playedFiles(), QStringList(3, kPlacedChime));
        QCOMPARE(pupil.words("List2"), QStringList({"ALBERO", "BALCONE", "CASETTA"}));
        QCOMPARE(pupil.caption("Label6"), QStringLiteral("Correzioni  1"));
        QVERIFY(pupil.caption("Label4").isEmpty());
    }

    void levelOneRechecksWhenAWordIsTypedLater()
    {
        pupil.typeWords({"neve", "sole"});
        place({"NEVE", "SOLE"});
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("LISTA ORDINATA"));
        pupil.type("albero");
        place({"ALBERO"});
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("LISTA ERRATA"));
        QCOMPARE(pupil.caption("Label6"), QStringLiteral("Correzioni  0"));
    }

    void levelTwoListsEachMisplacedPair()
    {
        pupil.choose("liv2");
        QCOMPARE(pupil.caption("Label1"), QStringLiteral("Verifica Intermedia o Finale"));
        QVERIFY(pupil.shows("Command3"));
        pupil.typeWords({"market", "man", "island", "in", "nave", "na", "sole", "sole"});
        place({"MARKET", "MAN", "ISLAND", "IN", "NAVE", "NA", "SOLE", "SOLE"});
        QVERIFY(fakes.sound.playedFiles().isEmpty());
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("NUOVO ELENCO"));

        pupil.check();
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("LISTA ERRATA"));
        QCOMPARE(pupil.caption("Label5"), QStringLiteral("Clicca sul termine errato per rimuoverlo"));
        QVERIFY(pupil.shows("Text2"));
        // MAN before ISLAND is out of order too: one entry per misplaced neighbour pair.
        QCOMPARE(pupil.find<QPlainTextEdit>("Text2")->toPlainText(),
                 errorLines({" - MAN precede MARKET", " - ISLAND precede MAN", " - IN precede ISLAND"}));
        QVERIFY(fakes.sound.playedFiles().isEmpty());

        // A move into List2 withdraws the verdict and the errors but leaves the advice.
        clickWord("List2", "SOLE");
        pupil.check();
        place({"SOLE"});
        QVERIFY(pupil.shows("Text2"));
        QVERIFY(pupil.find<QPlainTextEdit>("Text2")->toPlainText().isEmpty());
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("NUOVO ELENCO"));
        QCOMPARE(pupil.caption("Label5"), QStringLiteral("Clicca sul termine errato per rimuoverlo"));

        // A move back hides them both.
        clickWord("List2", "SOLE");
        QVERIFY(!pupil.shows("Text2"));
        QVERIFY(pupil.caption("Label5").isEmpty());
    }

    void levelTwoAcceptsOrderedListsWithAChime()
    {
        pupil.choose("liv2");
        pupil.check();
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("Lista Vuota !"));
        QCOMPARE(fakes.sound.playedFiles(), QStringList({kCheckedChime}));

        pupil.type("man");
        place({"MAN"});
        pupil.check();
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("Un solo termine?"));
        QVERIFY(pupil.caption("Label4").isEmpty());
        QCOMPARE(fakes.sound.playedFiles().size(), 2);

        pupil.typeWords({"market", "na", "nave", "nave"});
        place({"MARKET", "NAVE", "NA", "NAVE"});
        pupil.check();
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("LISTA ORDINATA"));
        QCOMPARE(pupil.caption("Label4"), QStringLiteral("ESATTO"));
        QVERIFY(!pupil.shows("Text2"));
        QCOMPARE(fakes.sound.playedFiles(), QStringList(3, kCheckedChime));
    }

    void levelTwoPutsCapitalsBeforeSmallLetters()
    {
        for (int draw = 0; draw < 300 && !pupil.words("List1").contains("Cavallo"); ++draw)
            pupil.drawRandomList();
        QVERIFY(pupil.words("List1").contains("Cavallo"));
        pupil.choose("liv2");
        QVERIFY(pupil.words("List1").isEmpty());
        // The level change starts afresh; bring Cavallo back the way it came.
        for (int draw = 0; draw < 300 && !pupil.words("List1").contains("Cavallo"); ++draw)
            pupil.drawRandomList();
        pupil.type("casa");
        place({"CASA", "Cavallo"});
        pupil.check();
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("LISTA ORDINATA"));

        clickWord("List2", "CASA");
        place({"CASA"});
        pupil.check();
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("LISTA ERRATA"));
        QCOMPARE(pupil.find<QPlainTextEdit>("Text2")->toPlainText(), errorLines({" - CASA precede Cavallo"}));
    }

    void arrowKeysMoveTheNewlySelectedWord()
    {
        pupil.typeWords({"uno", "due", "tre"});
        QListWidget *pool = pupil.list("List1");
        // Tabbing in chooses nothing; the first arrow key chooses the first word,
        // each time the focus comes back with nothing chosen.
        pool->setFocus(Qt::TabFocusReason);
        QVERIFY(pupil.words("List2").isEmpty());
        QTest::keyClick(pool, Qt::Key_Down);
        QCOMPARE(pupil.words("List2"), QStringList({"UNO"}));
        QCOMPARE(QApplication::focusWidget(), pupil.entryBox());
        verifyListsAgree();

        pool->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pool, Qt::Key_Up);
        QCOMPARE(pupil.words("List2"), QStringList({"UNO", "DUE"}));
        verifyListsAgree();

        // The other list alike; End chooses the last word, and typing the
        // first letters of a word chooses that word.
        pupil.list("List2")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pupil.list("List2"), Qt::Key_Down);
        QCOMPARE(pupil.words("List1"), QStringList({"TRE", "UNO"}));
        pool->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pool, Qt::Key_End);
        QCOMPARE(pupil.words("List2"), QStringList({"DUE", "UNO"}));
        pupil.typeWords({"zaino"});
        pool->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pool, Qt::Key_Z);
        QCOMPARE(pupil.words("List2"), QStringList({"DUE", "UNO", "ZAINO"}));
        verifyListsAgree();

        // Held Ctrl or Shift do not turn it back into the second word.
        pupil.list("List2")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pupil.list("List2"), Qt::Key_Down, Qt::ControlModifier);
        pupil.list("List2")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pupil.list("List2"), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(pupil.words("List2"), QStringList({"ZAINO"}));
        verifyListsAgree();
    }

    // The keys a pupil who cannot see the window plays it with.
    void f5DrawsAListAndF6GoesRoundTheEntryBoxAndTheLists()
    {
        QTest::keyClick(pupil.entryBox(), Qt::Key_F5);
        QCOMPARE(pupil.words("List1").size(), 10);
        QVERIFY(!pupil.shows("Label7"));
        verifyListsAgree();
        QStringList visited;
        for (int key = 0; key < 3; ++key) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        visited.append(QApplication::focusWidget()->objectName());
        QCOMPARE(visited, QStringList({"List1", "List2", "Text1", "List2"}));
        QVERIFY(pupil.words("List2").isEmpty());
    }

    void ctrlKeysGoBetweenTheWordsAndSpaceMovesTheOneWithTheFocus()
    {
        pupil.typeWords({"uno", "due", "tre", "quattro"});
        QTest::keyClick(pupil.entryBox(), Qt::Key_F6);
        QListWidget *pool = pupil.list("List1");
        QCOMPARE(QApplication::focusWidget(), pool);
        QCOMPARE(pool->currentRow(), 0);
        for (const auto &[key, row] : {std::pair{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_End, 3},
                                       {Qt::Key_Home, 0}, {Qt::Key_Up, 0}, {Qt::Key_Down, 1}}) {
            QTest::keyClick(pool, key, Qt::ControlModifier);
            QCOMPARE(pool->currentRow(), row);
        }
        QVERIFY(pupil.words("List2").isEmpty());
        QVERIFY(pool->selectedItems().isEmpty());
        // The word the focus is on, not the first: as a click on it.
        QTest::keyClick(pool, Qt::Key_Space);
        QCOMPARE(pupil.words("List2"), QStringList({"DUE"}));
        QCOMPARE(QApplication::focusWidget(), pupil.entryBox());
        QCOMPARE(fakes.sound.playedFiles(), QStringList({kPlacedChime}));
        verifyListsAgree();
        // Back in the list, the focus is on a word again; Space sends it back.
        QTest::keyClick(pupil.entryBox(), Qt::Key_F6, Qt::ShiftModifier);
        QTest::keyClick(pupil.list("List2"), Qt::Key_Space);
        QVERIFY(pupil.words("List2").isEmpty());
        QCOMPARE(pupil.words("List1"), QStringList({"UNO", "TRE", "QUATTRO", "DUE"}));
        verifyListsAgree();
    }

    void aShakyClickMovesOneWord()
    {
        pupil.typeWords({"uno", "due", "tre"});
        QListWidget *pool = pupil.list("List1");
        const QPoint first = pool->visualItemRect(pool->item(0)).center();
        QTest::mousePress(pool->viewport(), Qt::LeftButton, {}, first);
        // The next word slides up under the pointer as the hand drifts.
        const QPointF drifted = first + QPoint(1, 1);
        QMouseEvent drift(QEvent::MouseMove, drifted, pool->viewport()->mapToGlobal(drifted), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pool->viewport(), &drift);
        QTest::mouseRelease(pool->viewport(), Qt::LeftButton, {}, first + QPoint(1, 1));
        QCOMPARE(pupil.words("List2"), QStringList({"UNO"}));
        verifyListsAgree();
    }

    void menusStartANewExercise_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("liv1") << "liv1";
        QTest::newRow("liv2") << "liv2";
        QTest::newRow("It") << "It";
        QTest::newRow("En") << "En";
    }
    void menusStartANewExercise()
    {
        QFETCH(QString, action);
        pupil.drawRandomList();
        place({pupil.words("List1").front()});
        pupil.choose(qPrintable(action));
        QVERIFY(pupil.words("List1").isEmpty());
        QVERIFY(pupil.words("List2").isEmpty());
        QVERIFY(pupil.words("List3").isEmpty());
        QCOMPARE(pupil.caption("Label3"), QStringLiteral("NUOVO ELENCO"));
        QVERIFY(pupil.shows("Label7"));
        QCOMPARE(pupil.shows("Command3"), action == "liv2");
    }

    // Each click on the word in List2 sends it back to List1 and counts a
    // correction; the click that would pass 32767 moves the word, is reported
    // once, and leaves the count where it stood.
    void correctionsStopAtTheLimitOf16Bits()
    {
        pupil.typeWords({"a", "b"});
        QListWidget *pool = pupil.list("List1");
        QListWidget *placed = pupil.list("List2");
        auto clickFirst = [](QListWidget *box) {
            QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(box->item(0)).center());
        };
        QElapsedTimer timer;
        timer.start();
        for (int correction = 1; correction <= 32767; ++correction) {
            clickFirst(pool);
            clickFirst(placed);
        }
        qInfo("32767 corrections by 65534 clicks in %.1f s", timer.elapsed() / 1000.0);
        QVERIFY(fakes.messages.shown.isEmpty());
        QCOMPARE(pupil.words("List1").size(), 2);
        QVERIFY(pupil.words("List2").isEmpty());
        verifyListsAgree();

        clickFirst(pool);
        clickFirst(placed);
        QCOMPARE(fakes.messages.shown.size(), 1);
        QCOMPARE(fakes.messages.shown.front().second, QStringLiteral("Lupreda"));
        QCOMPARE(pupil.words("List1").size(), 2);
        QVERIFY(pupil.words("List2").isEmpty());
        verifyListsAgree();

        place({"A", "B"});
        QCOMPARE(pupil.words("List2"), QStringList({"A", "B"}));
        QCOMPARE(pupil.caption("Label6"), QStringLiteral("Correzioni  32767"));
        QCOMPARE(fakes.messages.shown.size(), 1);
    }

    void escapeLeavesAndTheNextVisitStartsAfresh()
    {
        pupil.choose("liv2");
        pupil.choose("En");
        pupil.type("casa");
        QTest::keyClick(pupil.entryBox(), Qt::Key_Escape);
        QVERIFY(!Forms::instance().isLoaded(FormId::WordOrder));
        QVERIFY(program::isVisible(FormId::Chooser));

        pupil.open();
        verifyFreshExercise();
        pupil.drawRandomList();
        const QStringList italian = bankWords(wordbank::kItalianFirst, wordbank::kItalianCount);
        for (const QString &word : pupil.words("List1"))
            QVERIFY2(italian.contains(word), qPrintable(word));

        pupil.window()->close();
        QVERIFY(!Forms::instance().isLoaded(FormId::WordOrder));
        QVERIFY(program::isVisible(FormId::Chooser));
    }
};

QTEST_MAIN(WordOrderTest)
#include "tst_wordorder.moc"
