// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets.h"
#include "support/fakes.h"
#include "support/program.h"
#include "wordorder/wordbank.h"
#include "wordorder/wordorderform.h"

#include <QCollator>
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

template <class T>
T *find(const char *name)
{
    return program::find<T>(FormId::WordOrder, name);
}

QString caption(const char *label) { return find<QLabel>(label)->text(); }
bool shown(const char *name) { return find<QWidget>(name)->isVisible(); }
QListWidget *list(const char *name) { return find<QListWidget>(name); }
QLineEdit *entryBox() { return find<QLineEdit>("Text1"); }
WordOrderForm *form() { return qobject_cast<WordOrderForm *>(program::window(FormId::WordOrder)); }

QStringList items(const char *name)
{
    QStringList texts;
    for (int i = 0; i < list(name)->count(); ++i)
        texts.append(list(name)->item(i)->text());
    return texts;
}

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

    // Types the word key by key, then Enter.
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

    // Clicks the first item of the list that reads word, as a pupil would.
    void clickWord(const char *listName, const QString &word)
    {
        QListWidget *box = list(listName);
        const QList<QListWidgetItem *> found = box->findItems(word, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(word));
        box->scrollToItem(found.front());
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(found.front()).center());
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

    void drawRandomList() { program::click(find<QLabel>("Label2")); }

    // Every word entered is in exactly one of List1 and List2, the tables
    // mirror those lists, and List3 holds all of them in reference order.
    void verifyListsAgree()
    {
        QCOMPARE(form()->poolWords(), items("List1"));
        QCOMPARE(form()->placedWords(), items("List2"));
        QStringList placedOrNot = items("List1") + items("List2");
        QStringList reference = items("List3");
        QCollator collator(QLocale(QLocale::Italian, QLocale::Italy));
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        for (int i = 1; i < reference.size(); ++i)
            QVERIFY2(collator.compare(reference[i - 1], reference[i]) <= 0, qPrintable(reference[i]));
        placedOrNot.sort();
        reference.sort();
        QCOMPARE(placedOrNot, reference);
    }

    void verifyFreshExercise()
    {
        QVERIFY(items("List1").isEmpty());
        QVERIFY(items("List2").isEmpty());
        QVERIFY(items("List3").isEmpty());
        QCOMPARE(caption("Label1"), QStringLiteral("Verifica Immediata"));
        QVERIFY(shown("Label7"));
        QVERIFY(shown("Label8"));
        QVERIFY(!shown("Command3"));
        QVERIFY(!shown("Text2"));
        QVERIFY(entryBox()->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), entryBox());
    }

private slots:
    void init()
    {
        fakes.clear();
        program::start();
        program::click(program::find<QRadioButton>(FormId::Chooser, "Option3"));
        QVERIFY(program::isVisible(FormId::WordOrder));
        QVERIFY(QTest::qWaitForWindowActive(program::window(FormId::WordOrder)));
    }

    void cleanup() { program::stop(); }

    void opensEmptyWithItsControlsAndMenus()
    {
        verifyFreshExercise();
        QWidget *window = program::window(FormId::WordOrder);
        QCOMPARE(window->windowTitle(), QStringLiteral("ORDINAMENTO ALFABETICO"));
        QCOMPARE(window->findChild<QWidget *>("Text1")->parentWidget()->size(), QSize(778, 569));
        QCOMPARE(find<QWidget>("List1")->geometry(), QRect(144, 88, 177, 222));
        QCOMPARE(find<QWidget>("Label1")->font().weight(), QFont::Normal);
        QCOMPARE(find<QWidget>("Label3")->font().weight(), QFont::Bold);
        QCOMPARE(caption("Label3"), QStringLiteral("NUOVO ELENCO "));
        for (const char *hidden : {"List3", "Label9", "Label10"})
            QVERIFY2(!shown(hidden), hidden);

        QStringList menuBar;
        for (QAction *action : qobject_cast<QMainWindow *>(window)->menuBar()->actions())
            menuBar.append(action->text());
        QCOMPARE(menuBar, QStringList({"&Livelli", "Lingua", "&Informazioni"}));
        QCOMPARE(find<QAction>("liv2")->text(), QStringLiteral("Verifica Intermedia o Finale"));
        QCOMPARE(find<QAction>("En")->text(), QStringLiteral("Inglese"));

        program::choose(FormId::WordOrder, "info");
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
        QVERIFY(items("List2").isEmpty());
    }

    // An access key clicks its button a moment later, as a pressed button shows.
    void accessKeysClickOnlyVisibleButtons()
    {
        auto altKey = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier); };
        typeWords({"uno", "due"});
        place({"DUE"});
        altKey(Qt::Key_V);
        QTest::qWait(300);
        QCOMPARE(caption("Label3"), QStringLiteral("LISTA ORDINATA"));
        QCOMPARE(fakes.sound.playedFiles(), QStringList({kPlacedChime}));
        // An Alt key that clicks nothing types nothing either.
        QVERIFY(entryBox()->text().isEmpty());

        program::choose(FormId::WordOrder, "liv2");
        type("uno");
        place({"UNO"});
        altKey(Qt::Key_V);
        QTRY_COMPARE(caption("Label3"), QStringLiteral("Un solo termine?"));
        QCOMPARE(fakes.sound.playedFiles().last(), kCheckedChime);

        altKey(Qt::Key_N);
        QTRY_VERIFY(items("List2").isEmpty());
        QCOMPARE(caption("Label3"), QStringLiteral("NUOVO ELENCO"));
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
        program::choose(FormId::WordOrder, qPrintable(language));
        const QSet<QString> bankSet(bank.begin(), bank.end());
        QSet<QString> seen;
        for (int draw = 0; draw < draws; ++draw) {
            if (draw % 2)
                drawRandomList();
            else
                program::click(find<QLabel>("Label7"));
            const QStringList drawn = items("List1");
            QCOMPARE(drawn.size(), 10);
            QSet<QString> distinct(drawn.begin(), drawn.end());
            QCOMPARE(distinct.size(), 10);
            QVERIFY(distinct.subtract(bankSet).isEmpty());
            seen.unite(QSet<QString>(drawn.begin(), drawn.end()));
        }
        QCOMPARE(seen, bankSet); // "Hotel " among them, with its blank
        QVERIFY(!shown("Label7"));
        QVERIFY(!shown("Label8"));
        QVERIFY(shown("Label2"));
        verifyListsAgree();
    }

    void englishWordsAreSpelledRightInTheirSlots()
    {
        QCOMPARE(QString::fromUtf8(wordbank::word(84)), QStringLiteral("Quadratic"));
        QCOMPARE(QString::fromUtf8(wordbank::word(99)), QStringLiteral("Xenophile"));
    }

    void typedWordsTurnToCapitalsAndJoinTheExercise()
    {
        type("casa");
        type(QStringLiteral("citt\u00e0"));
        type("casa");
        QTest::keyClick(entryBox(), Qt::Key_Return);
        type("zero 1");
        QCOMPARE(items("List1"), QStringList({"CASA", QStringLiteral("CITT\u00e0"), "CASA", "ZERO 1"}));
        QVERIFY(entryBox()->text().isEmpty());
        verifyListsAgree();

        drawRandomList();
        type("ape");
        QCOMPARE(items("List1").size(), 11);
        QCOMPARE(items("List1").last(), QStringLiteral("APE"));
        QVERIFY(!items("List1").contains("CASA"));
        verifyListsAgree();
    }

    // The 118th word is refused with a message and stays in the entry box;
    // none of the 117 is lost, wherever it stands.
    void anExerciseHoldsAtMost117Words()
    {
        QStringList entered;
        for (int n = 1; n <= 117; ++n) {
            type(QStringLiteral("p%1").arg(n));
            entered << QStringLiteral("P%1").arg(n);
        }
        QCOMPARE(items("List1"), entered);
        QVERIFY(caption("Label5").isEmpty());
        place({"P1", "P10", "P100"});

        type(QStringLiteral("troppo"));
        QCOMPARE(entryBox()->text(), QStringLiteral("TROPPO"));
        QCOMPARE(caption("Label5"), QStringLiteral("Elenco pieno: al massimo 117 parole"));
        QTest::keyClick(entryBox(), Qt::Key_Return);
        QCOMPARE(entryBox()->text(), QStringLiteral("TROPPO"));
        QStringList held = items("List1") + items("List2");
        held.sort();
        QStringList expected = entered;
        expected.sort();
        QCOMPARE(held, expected);
        QCOMPARE(items("List3").size(), 117);
        QCOMPARE(items("List2"), QStringList({"P1", "P10", "P100"}));
        verifyListsAgree();

        // The words still move both ways, and a new exercise takes words again.
        clickWord("List2", "P10");
        place({"P117"});
        QCOMPARE(items("List1").size() + items("List2").size(), 117);
        program::click(find<QPushButton>("Command1"));
        QVERIFY(caption("Label5").isEmpty());
        QTest::keyClick(entryBox(), Qt::Key_Return);
        QCOMPARE(items("List1"), QStringList({"TROPPO"}));
        verifyListsAgree();
    }

    void levelOneChimesWhileEveryPlacedWordIsInPlace()
    {
        typeWords({"balcone", "albero", "casetta"});
        place({"ALBERO"});
        QCOMPARE(caption("Label3"), QStringLiteral("LISTA ORDINATA"));
        QVERIFY(caption("Label4").isEmpty());
        QCOMPARE(fakes.sound.playedFiles(), QStringList({kPlacedChime}));

        place({"CASETTA"});
        QCOMPARE(caption("Label3"), QStringLiteral("LISTA ERRATA"));
        QCOMPARE(caption("Label5"), QStringLiteral("Clicca sul termine errato per rimuoverlo"));
        QCOMPARE(fakes.sound.playedFiles().size(), 1);
        QVERIFY(!shown("Text2"));

        clickWord("List2", "CASETTA");
        QCOMPARE(items("List1"), QStringList({"BALCONE", "CASETTA"}));
        QCOMPARE(caption("Label3"), QStringLiteral("LISTA ORDINATA"));
        QVERIFY(caption("Label5").isEmpty());
        QCOMPARE(fakes.sound.playedFiles().size(), 1);
        QCOMPARE(QApplication::focusWidget(), entryBox());

        place({"BALCONE"});
        QCOMPARE(fakes.sound.playedFiles().size(), 2);
        QVERIFY(caption("Label6").isEmpty());
        place({"CASETTA"});
        QCOMPARE(fakes.sound.playedFiles(), QStringList(3, kPlacedChime));
        QCOMPARE(items("List2"), QStringList({"ALBERO", "BALCONE", "CASETTA"}));
        QCOMPARE(caption("Label6"), QStringLiteral("Correzioni  1"));
        QVERIFY(caption("Label4").isEmpty());
        QCOMPARE(fakes.sound.entries.mid(0, 4),
                 QStringList({"file " + kPlacedChime, "close", "open", "play"}));
    }

    void levelOneRechecksWhenAWordIsTypedLater()
    {
        typeWords({"neve", "sole"});
        place({"NEVE", "SOLE"});
        QCOMPARE(caption("Label3"), QStringLiteral("LISTA ORDINATA"));
        type("albero");
        place({"ALBERO"});
        QCOMPARE(caption("Label3"), QStringLiteral("LISTA ERRATA"));
        QCOMPARE(caption("Label6"), QStringLiteral("Correzioni  0"));
    }

    void levelTwoListsEachMisplacedPair()
    {
        program::choose(FormId::WordOrder, "liv2");
        QCOMPARE(caption("Label1"), QStringLiteral("Verifica Intermedia o Finale"));
        QVERIFY(shown("Command3"));
        typeWords({"market", "man", "island", "in", "nave", "na", "sole", "sole"});
        place({"MARKET", "MAN", "ISLAND", "IN", "NAVE", "NA", "SOLE", "SOLE"});
        QVERIFY(fakes.sound.playedFiles().isEmpty());
        QCOMPARE(caption("Label3"), QStringLiteral("NUOVO ELENCO"));

        program::click(find<QPushButton>("Command3"));
        QCOMPARE(caption("Label3"), QStringLiteral("LISTA ERRATA"));
        QCOMPARE(caption("Label5"), QStringLiteral("Clicca sul termine errato per rimuoverlo"));
        QVERIFY(shown("Text2"));
        // MAN before ISLAND is out of order too: one entry per misplaced neighbour pair.
        QCOMPARE(find<QPlainTextEdit>("Text2")->toPlainText(),
                 errorLines({" - MAN precede MARKET", " - ISLAND precede MAN", " - IN precede ISLAND"}));
        QVERIFY(fakes.sound.playedFiles().isEmpty());

        // A move into List2 withdraws the verdict and the errors but leaves the advice.
        clickWord("List2", "SOLE");
        program::click(find<QPushButton>("Command3"));
        place({"SOLE"});
        QVERIFY(shown("Text2"));
        QVERIFY(find<QPlainTextEdit>("Text2")->toPlainText().isEmpty());
        QCOMPARE(caption("Label3"), QStringLiteral("NUOVO ELENCO"));
        QCOMPARE(caption("Label5"), QStringLiteral("Clicca sul termine errato per rimuoverlo"));

        // A move back hides them both.
        clickWord("List2", "SOLE");
        QVERIFY(!shown("Text2"));
        QVERIFY(caption("Label5").isEmpty());
    }

    void levelTwoAcceptsOrderedListsWithAChime()
    {
        program::choose(FormId::WordOrder, "liv2");
        program::click(find<QPushButton>("Command3"));
        QCOMPARE(caption("Label3"), QStringLiteral("Lista Vuota !"));
        QCOMPARE(fakes.sound.playedFiles(), QStringList({kCheckedChime}));

        type("man");
        place({"MAN"});
        program::click(find<QPushButton>("Command3"));
        QCOMPARE(caption("Label3"), QStringLiteral("Un solo termine?"));
        QVERIFY(caption("Label4").isEmpty());
        QCOMPARE(fakes.sound.playedFiles().size(), 2);

        typeWords({"market", "na", "nave", "nave"});
        place({"MARKET", "NAVE", "NA", "NAVE"});
        program::click(find<QPushButton>("Command3"));
        QCOMPARE(caption("Label3"), QStringLiteral("LISTA ORDINATA"));
        QCOMPARE(caption("Label4"), QStringLiteral("ESATTO"));
        QVERIFY(!shown("Text2"));
        QCOMPARE(fakes.sound.playedFiles(), QStringList(3, kCheckedChime));
    }

    void levelTwoPutsCapitalsBeforeSmallLetters()
    {
        for (int draw = 0; draw < 300 && !items("List1").contains("Cavallo"); ++draw)
            drawRandomList();
        QVERIFY(items("List1").contains("Cavallo"));
        program::choose(FormId::WordOrder, "liv2");
        QVERIFY(items("List1").isEmpty());
        // The level change starts afresh; bring Cavallo back the way it came.
        for (int draw = 0; draw < 300 && !items("List1").contains("Cavallo"); ++draw)
            drawRandomList();
        type("casa");
        place({"CASA", "Cavallo"});
        program::click(find<QPushButton>("Command3"));
        QCOMPARE(caption("Label3"), QStringLiteral("LISTA ORDINATA"));

        clickWord("List2", "CASA");
        place({"CASA"});
        program::click(find<QPushButton>("Command3"));
        QCOMPARE(caption("Label3"), QStringLiteral("LISTA ERRATA"));
        QCOMPARE(find<QPlainTextEdit>("Text2")->toPlainText(), errorLines({" - CASA precede Cavallo"}));
    }

    void arrowKeysMoveTheNewlySelectedWord()
    {
        typeWords({"uno", "due", "tre"});
        QListWidget *pool = list("List1");
        // Tabbing in chooses nothing; the first arrow key chooses the first word,
        // each time the focus comes back with nothing chosen.
        pool->setFocus(Qt::TabFocusReason);
        QVERIFY(items("List2").isEmpty());
        QTest::keyClick(pool, Qt::Key_Down);
        QCOMPARE(items("List2"), QStringList({"UNO"}));
        QCOMPARE(QApplication::focusWidget(), entryBox());
        verifyListsAgree();

        pool->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pool, Qt::Key_Up);
        QCOMPARE(items("List2"), QStringList({"UNO", "DUE"}));
        verifyListsAgree();

        // The other list alike; End chooses the last word, and typing the
        // first letters of a word chooses that word.
        list("List2")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list("List2"), Qt::Key_Down);
        QCOMPARE(items("List1"), QStringList({"TRE", "UNO"}));
        pool->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pool, Qt::Key_End);
        QCOMPARE(items("List2"), QStringList({"DUE", "UNO"}));
        typeWords({"zaino"});
        pool->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pool, Qt::Key_Z);
        QCOMPARE(items("List2"), QStringList({"DUE", "UNO", "ZAINO"}));
        verifyListsAgree();

        // Held Ctrl or Shift do not turn it back into the second word.
        list("List2")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list("List2"), Qt::Key_Down, Qt::ControlModifier);
        list("List2")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list("List2"), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(items("List2"), QStringList({"ZAINO"}));
        verifyListsAgree();
    }

    // The keys a pupil who cannot see the window plays it with.
    void f5DrawsAListAndF6GoesRoundTheEntryBoxAndTheLists()
    {
        QTest::keyClick(entryBox(), Qt::Key_F5);
        QCOMPARE(items("List1").size(), 10);
        QVERIFY(!shown("Label7"));
        verifyListsAgree();
        QStringList visited;
        for (int key = 0; key < 3; ++key) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        visited.append(QApplication::focusWidget()->objectName());
        QCOMPARE(visited, QStringList({"List1", "List2", "Text1", "List2"}));
        QVERIFY(items("List2").isEmpty());
    }

    void ctrlKeysGoBetweenTheWordsAndSpaceMovesTheOneWithTheFocus()
    {
        typeWords({"uno", "due", "tre", "quattro"});
        QTest::keyClick(entryBox(), Qt::Key_F6);
        QListWidget *pool = list("List1");
        QCOMPARE(QApplication::focusWidget(), pool);
        QCOMPARE(pool->currentRow(), 0);
        for (const auto &[key, row] : {std::pair{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_End, 3},
                                       {Qt::Key_Home, 0}, {Qt::Key_Up, 0}, {Qt::Key_Down, 1}}) {
            QTest::keyClick(pool, key, Qt::ControlModifier);
            QCOMPARE(pool->currentRow(), row);
        }
        QVERIFY(items("List2").isEmpty());
        QVERIFY(pool->selectedItems().isEmpty());
        // The word the focus is on, not the first: as a click on it.
        QTest::keyClick(pool, Qt::Key_Space);
        QCOMPARE(items("List2"), QStringList({"DUE"}));
        QCOMPARE(QApplication::focusWidget(), entryBox());
        QCOMPARE(fakes.sound.playedFiles(), QStringList({kPlacedChime}));
        verifyListsAgree();
        // Back in the list, the focus is on a word again; Space sends it back.
        QTest::keyClick(entryBox(), Qt::Key_F6, Qt::ShiftModifier);
        QTest::keyClick(list("List2"), Qt::Key_Space);
        QVERIFY(items("List2").isEmpty());
        QCOMPARE(items("List1"), QStringList({"UNO", "TRE", "QUATTRO", "DUE"}));
        verifyListsAgree();
    }

    void aShakyClickMovesOneWord()
    {
        typeWords({"uno", "due", "tre"});
        QListWidget *pool = list("List1");
        const QPoint first = pool->visualItemRect(pool->item(0)).center();
        QTest::mousePress(pool->viewport(), Qt::LeftButton, {}, first);
        // The next word slides up under the pointer as the hand drifts.
        const QPointF drifted = first + QPoint(1, 1);
        QMouseEvent drift(QEvent::MouseMove, drifted, pool->viewport()->mapToGlobal(drifted), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pool->viewport(), &drift);
        QTest::mouseRelease(pool->viewport(), Qt::LeftButton, {}, first + QPoint(1, 1));
        QCOMPARE(items("List2"), QStringList({"UNO"}));
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
        drawRandomList();
        place({items("List1").front()});
        program::choose(FormId::WordOrder, qPrintable(action));
        QVERIFY(items("List1").isEmpty());
        QVERIFY(items("List2").isEmpty());
        QVERIFY(items("List3").isEmpty());
        QCOMPARE(caption("Label3"), QStringLiteral("NUOVO ELENCO"));
        QVERIFY(shown("Label7"));
        QCOMPARE(shown("Command3"), action == "liv2");
    }

    // Each click on the word in List2 sends it back to List1 and counts a
    // correction; the click that would pass 32767 moves the word, is reported
    // once, and leaves the count where it stood.
    void correctionsStopAtTheLimitOf16Bits()
    {
        typeWords({"a", "b"});
        QListWidget *pool = list("List1");
        QListWidget *placed = list("List2");
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
        QCOMPARE(items("List1").size(), 2);
        QVERIFY(items("List2").isEmpty());
        verifyListsAgree();

        clickFirst(pool);
        clickFirst(placed);
        QCOMPARE(fakes.messages.shown.size(), 1);
        QCOMPARE(fakes.messages.shown.front().second, QStringLiteral("Lupreda"));
        QCOMPARE(items("List1").size(), 2);
        QVERIFY(items("List2").isEmpty());
        verifyListsAgree();

        place({"A", "B"});
        QCOMPARE(items("List2"), QStringList({"A", "B"}));
        QCOMPARE(caption("Label6"), QStringLiteral("Correzioni  32767"));
        QCOMPARE(fakes.messages.shown.size(), 1);
    }

    void escapeLeavesAndTheNextVisitStartsAfresh()
    {
        program::choose(FormId::WordOrder, "liv2");
        program::choose(FormId::WordOrder, "En");
        type("casa");
        QTest::keyClick(entryBox(), Qt::Key_Escape);
        QVERIFY(!Forms::instance().isLoaded(FormId::WordOrder));
        QVERIFY(program::isVisible(FormId::Chooser));

        program::click(program::find<QRadioButton>(FormId::Chooser, "Option3"));
        QVERIFY(QTest::qWaitForWindowActive(program::window(FormId::WordOrder)));
        verifyFreshExercise();
        drawRandomList();
        const QStringList italian = bankWords(wordbank::kItalianFirst, wordbank::kItalianCount);
        for (const QString &word : items("List1"))
            QVERIFY2(italian.contains(word), qPrintable(word));

        program::window(FormId::WordOrder)->close();
        QVERIFY(!Forms::instance().isLoaded(FormId::WordOrder));
        QVERIFY(program::isVisible(FormId::Chooser));
    }
};

QTEST_MAIN(WordOrderTest)
#include "tst_wordorder.moc"
