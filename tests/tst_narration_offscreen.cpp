// SPDX-License-Identifier: GPL-3.0-or-later
// What a pupil who cannot see the screen is told: the names and roles the
// windows give assistive technology, and what each event says, as the focus
// arrives or as a notification. Driven offscreen as a pupil would, with the
// narration switched on although no screen reader listens, and read through
// the hook the narration writes to before its accessibility events go out:
// it stands in for what a client receives, which only the real-bus test
// (tests/accessibility, required under scripts/test) sees.

#include "accessibility/narration.h"
#include "support/fakes.h"
#include "tst_drillpupil.h"
#include "tst_wordpupil.h"

#include <QAccessible>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>

namespace {

const QString kKeyAdvice = QStringLiteral("Per togliere una parola, Maiuscolo più F6 porta alle parole messe in ordine, "
                                          "Control più le frecce la scelgono, Spazio la toglie.");

QAccessibleInterface *accessible(QWidget *widget) { return QAccessible::queryAccessibleInterface(widget); }
QString nameOf(QWidget *widget) { return accessible(widget)->text(QAccessible::Name); }
QString descriptionOf(QWidget *widget) { return accessible(widget)->text(QAccessible::Description); }

QStringList childNames(QAccessibleInterface *parent)
{
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i)
        if (QObject *object = parent->child(i)->object())
            names << object->objectName();
    return names;
}

bool offersPress(QWidget *label)
{
    QAccessibleActionInterface *actions = accessible(label)->actionInterface();
    return actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction());
}

void press(QWidget *label)
{
    QVERIFY(offersPress(label));
    accessible(label)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

} // namespace

class NarrationTest : public QObject
{
    Q_OBJECT
    FakePlatform fakes;
    DrillPupil recognition{FormId::RecognitionDrill};
    DrillPupil sequence{FormId::SequenceDrill};
    WordPupil words;

    QWidget *focus() const { return QApplication::focusWidget(); }
    QString told(FormId id) const { return narration::lastNotification(program::window(id)); }

private slots:
    void initTestCase() { narration::setAlwaysNarrate(true); }
    void init()
    {
        fakes.clear();
        program::start();
    }
    void cleanup() { program::stop(); }

    void theChooserIsAWindowOfOptionsAsTallAsTheyArePainted()
    {
        QWidget *chooser = program::window(FormId::Chooser);
        QCOMPARE(accessible(chooser)->role(), QAccessible::Window);
        auto *frame = program::find<QWidget>(FormId::Chooser, "Frame1");
        QCOMPARE(accessible(frame)->role(), QAccessible::Grouping);
        QCOMPARE(nameOf(frame), QStringLiteral("Scegli l'esercizio"));
        for (const char *name : {"Option1", "Option2", "Option3"}) {
            auto *option = program::find<QRadioButton>(FormId::Chooser, name);
            QCOMPARE(accessible(option)->role(), QAccessible::RadioButton);
            QCOMPARE(nameOf(option), option->text());
            QCOMPARE(accessible(option)->rect(), QRect(option->mapToGlobal(QPoint(0, 0)), option->size()));
        }
        // Choosing an option through its accessible action opens the exercise.
        auto *option1 = program::find<QRadioButton>(FormId::Chooser, "Option1");
        accessible(option1)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(program::isVisible(FormId::RecognitionDrill));
    }

    void eachLetterIsToldWithItsCaseAndEachVerdictOnTheEnterBox()
    {
        recognition.open();
        // The window tells its options as the focus first arrives.
        QCOMPARE(descriptionOf(focus()), QStringLiteral("Alfabeto Italiano. Lettere Maiuscole."));
        recognition.click("Command1");
        auto *answerBox = recognition.find<QLineEdit>("Text1");
        auto *enterBox = recognition.find<QLineEdit>("Text2");
        QCOMPARE(focus(), answerBox);
        QCOMPARE(nameOf(answerBox), QStringLiteral("Risposta"));
        const QString letter = recognition.letter();
        QCOMPARE(descriptionOf(answerBox),
                 QStringLiteral("Lettera %1 maiuscola. PREMI IL TASTO DELLA LETTERA CORRISPONDENTE.").arg(letter));

        // The box that waits for Enter says the verdict, never its own text,
        // and covers the answer box it lies under.
        recognition.answer(letter.toLower());
        QCOMPARE(focus(), enterBox);
        QCOMPARE(nameOf(enterBox), QStringLiteral("LA LETTERA E' MAIUSCOLA. PREMERE INVIO PER CONTINUARE."));
        QVERIFY(!accessible(enterBox)->textInterface());
        QCOMPARE(accessible(enterBox)->role(), QAccessible::Client);
        QCOMPARE(accessible(enterBox)->rect(), accessible(answerBox)->rect());
        QVERIFY(enterBox->focusPolicy() & Qt::TabFocus);
        recognition.pressEnter();
        // With no verdict waiting, Tab passes it by.
        QVERIFY(!(enterBox->focusPolicy() & Qt::TabFocus));
        QCOMPARE(descriptionOf(answerBox),
                 QStringLiteral("Lettera %1 maiuscola. PREMI IL TASTO DELLA LETTERA CORRISPONDENTE.").arg(letter));
        recognition.answer(letter);
        QCOMPARE(nameOf(enterBox), QStringLiteral("ESATTO. PREMERE INVIO PER CONTINUARE."));

        // Focus moves carry the news; nothing was announced besides.
        QVERIFY(told(FormId::RecognitionDrill).isEmpty());
        // A wrong letter speaks through its message box alone.
        recognition.pressEnter();
        recognition.answer(QStringLiteral("7"));
        QCOMPARE(fakes.messages.shown.size(), 1);
        QVERIFY(told(FormId::RecognitionDrill).isEmpty());
    }

    void resultsAreToldWhenTheyShowAndNotAtEachTick()
    {
        recognition.open();
        recognition.click("Command1");
        recognition.answer(recognition.letter());
        recognition.pressEnter();
        // RISULTATI from the answer box: the focus stays, the window announces.
        QTest::keyClick(focus(), Qt::Key_R, Qt::AltModifier);
        QTest::qWait(300);   // an access key clicks a moment later
        QVERIFY(recognition.shows("Label3"));
        const QString results = told(FormId::RecognitionDrill);
        // The clock in words, without the colons it shows.
        QVERIFY2(QRegularExpression(QStringLiteral("ESERCIZIO NUMERO  2\\. RISPOSTE ESATTE  1\\. RISPOSTE ERRATE  0\\. "
                                                   "TEMPO TRASCORSO [0-9]+ second[oi]\\."))
                     .match(results)
                     .hasMatch(),
                 qPrintable(results));
        QTest::qWait(1200);
        QCOMPARE(told(FormId::RecognitionDrill), results);

        // At the end of a session the focus rests on NUOVO, which tells them.
        recognition.click("Command5");
        for (int i = 2; i <= 10; ++i) {
            recognition.answer(recognition.letter());
            recognition.pressEnter();
        }
        QCOMPARE(recognition.focusedName(), QStringLiteral("Command1"));
        QVERIFY2(descriptionOf(focus()).startsWith(QStringLiteral("ESERCIZI ESEGUITI  10. RISPOSTE ESATTE  10. "
                                                                  "RISPOSTE ERRATE  0. TEMPO TRASCORSO ")),
                 qPrintable(descriptionOf(focus())));
    }

    void aCounterLabelOffersItsClickOnlyWhileItShows()
    {
        recognition.open();
        recognition.click("Command1");
        auto *time = recognition.find<QWidget>("Label2");
        QVERIFY(!recognition.shows("Label2"));
        QVERIFY(!offersPress(time));
        // Pressed anyway, the hidden label must not count a second.
        const QString before = recognition.caption("Label2");
        accessible(time)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(recognition.caption("Label2"), before);

        QTest::keyClick(focus(), Qt::Key_R, Qt::AltModifier);
        QTest::qWait(300);
        QVERIFY(recognition.shows("Label2"));
        QVERIFY(offersPress(time));
    }

    void theSequenceIsSpelledAfterTheLetterAsked()
    {
        sequence.open();
        sequence.choose("Mnu_Nuovo");
        QCOMPARE(descriptionOf(focus()), QStringLiteral("Lettera A maiuscola. PREMI IL TASTO DELLA LETTERA SUCCESSIVA."));
        sequence.answer(QStringLiteral("B"));
        sequence.pressEnter();
        QCOMPARE(descriptionOf(focus()),
                 QStringLiteral("Lettera B maiuscola. PREMI IL TASTO DELLA LETTERA SUCCESSIVA. Sequenza A B."));
        // A button whose caption changes under the focus says its new one.
        auto *pause = sequence.find<QPushButton>("Command2");
        pause->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pause, Qt::Key_Space);
        QCOMPARE(told(FormId::SequenceDrill), QStringLiteral("Esercizio sospeso, premi CONTINUA per riprendere."));
        // An option ends the session; the focus goes to NUOVO, which tells it.
        sequence.choose("Mnu_minuscole");
        QCOMPARE(descriptionOf(focus()), QStringLiteral("lettere minuscole."));
    }

    void theWordWindowNamesItsControlsAndHidesWhatIsNeverShown()
    {
        words.open();
        QCOMPARE(nameOf(words.find<QLineEdit>("Text1")), QStringLiteral("Parola da aggiungere"));
        QCOMPARE(nameOf(words.find<QListWidget>("List1")), QStringLiteral("Parole da ordinare"));
        QCOMPARE(nameOf(words.find<QListWidget>("List2")), QStringLiteral("Parole messe in ordine"));
        QCOMPARE(nameOf(words.find<QPlainTextEdit>("Text2")), QStringLiteral("Coppie fuori posto"));
        QAccessibleInterface *client = accessible(words.find<QLineEdit>("Text1"))->parent();
        const QStringList reachable = childNames(client);
        for (const char *hidden : {"List3", "Label9", "Label10"})
            QVERIFY2(!reachable.contains(QLatin1String(hidden)), hidden);
        for (const char *control : {"Text1", "List1", "List2", "Label2", "Label7", "Command1", "Command2"})
            QVERIFY2(reachable.contains(QLatin1String(control)), control);
        QCOMPARE(accessible(words.find<QWidget>("Label2"))->role(), QAccessible::StaticText);
        QCOMPARE(nameOf(words.find<QWidget>("Label2")), QStringLiteral("ELENCO CASUALE"));
    }

    void everyMoveIsToldWithTheWordItsPlaceAndTheVerdict()
    {
        words.open();
        words.type(QStringLiteral("balcone"));
        QCOMPARE(told(FormId::WordOrder), QStringLiteral("Aggiunta la parola BALCONE."));
        words.type(QStringLiteral("albero"));
        words.type(QStringLiteral("casetta"));
        QCOMPARE(told(FormId::WordOrder), QStringLiteral("Aggiunta la parola CASETTA."));

        auto *entry = words.find<QLineEdit>("Text1");
        words.takeFirstWithArrow("List1");
        QCOMPARE(focus(), entry);
        QCOMPARE(descriptionOf(entry),
                 QStringLiteral("BALCONE va al posto 1. LISTA ERRATA. BALCONE è fuori posto. %1").arg(kKeyAdvice));
        words.takeFirstWithArrow("List2");
        QCOMPARE(descriptionOf(entry), QStringLiteral("BALCONE torna tra le parole da ordinare."));
        words.takeFirstWithArrow("List1");
        QCOMPARE(descriptionOf(entry), QStringLiteral("ALBERO va al posto 1. LISTA ORDINATA."));
        // The news stays with the box until the focus leaves or the pupil
        // types, and typing is not news.
        narration::forgetNotifications();
        QTest::keyClick(entry, Qt::Key_D);
        QCOMPARE(descriptionOf(entry), QString());
        QVERIFY(told(FormId::WordOrder).isEmpty());
        QTest::keyClick(entry, Qt::Key_Backspace);
        words.takeFirstWithArrow("List1");
        QCOMPARE(descriptionOf(entry),
                 QStringLiteral("CASETTA va al posto 2. LISTA ERRATA. CASETTA è fuori posto. %1").arg(kKeyAdvice));
        // The pupil's next key may take the focus away before a screen
        // reader has read the news: the box keeps it a while, then drops it.
        auto *button = words.find<QWidget>("Command1");
        button->setFocus(Qt::TabFocusReason);
        QVERIFY(descriptionOf(entry).startsWith(QStringLiteral("CASETTA va al posto 2.")));
        QTRY_COMPARE_WITH_TIMEOUT(descriptionOf(entry), QString(), 5000);
        words.takeFirstWithArrow("List1");
        QCOMPARE(descriptionOf(entry), QStringLiteral("BALCONE va al posto 3. LISTA ERRATA. Sono fuori posto CASETTA "
                                                     "e BALCONE. %1 Correzioni  1.").arg(kKeyAdvice));
        // Back at the box, the news it told is old.
        button->setFocus(Qt::TabFocusReason);
        entry->setFocus(Qt::TabFocusReason);
        QCOMPARE(descriptionOf(entry), QString());
    }

    void theRandomListAndEachFinalCheckAreAnnounced()
    {
        words.open();
        // "Clicca" draws a list and hides; ELENCO CASUALE stays and draws another.
        press(words.find<QWidget>("Label7"));
        QVERIFY(told(FormId::WordOrder).startsWith(QStringLiteral("NUOVO ELENCO. 10 parole da ordinare. ")));
        QVERIFY(!offersPress(words.find<QWidget>("Label7")));
        press(words.find<QWidget>("Label2"));
        QStringList drawn;
        for (const QString &drawnWord : words.words("List1"))
            drawn << drawnWord.trimmed();
        QCOMPARE(drawn.size(), 10);
        QCOMPARE(told(FormId::WordOrder),
                 QStringLiteral("NUOVO ELENCO. 10 parole da ordinare. %1.").arg(drawn.join(QStringLiteral(", "))));

        words.choose("liv2");
        QCOMPARE(told(FormId::WordOrder), QStringLiteral("NUOVO ELENCO. Verifica Intermedia o Finale."));
        words.type(QStringLiteral("market"));
        words.type(QStringLiteral("man"));
        words.takeFirstWithArrow("List1");
        words.takeFirstWithArrow("List1");
        QCOMPARE(descriptionOf(words.find<QLineEdit>("Text1")), QStringLiteral("MAN va al posto 2. Correzioni  0."));
        // The same verdict twice is told twice.
        for (int check = 0; check < 2; ++check) {
            QTest::keyClick(words.find<QLineEdit>("Text1"), Qt::Key_V, Qt::AltModifier);
            QTest::qWait(300);
            QCOMPARE(told(FormId::WordOrder), QStringLiteral("LISTA ERRATA. MAN precede MARKET. %1").arg(kKeyAdvice));
            narration::forgetNotifications();
        }
        QCOMPARE(descriptionOf(words.find<QLineEdit>("Text1")), QString());
    }

    void theChooserAndTheWordWindowSayWhatToDoAsTheyOpen()
    {
        QCOMPARE(descriptionOf(program::find<QWidget>(FormId::Chooser, "Command1")),
                 QStringLiteral("Ci sono tre esercizi. Tab porta alla scelta, le frecce passano da un esercizio "
                                "all'altro, Spazio apre quello scelto."));
        words.open();
        QCOMPARE(descriptionOf(words.find<QLineEdit>("Text1")),
                 QStringLiteral("Scrivi una parola e premi Invio, oppure premi F5 per un elenco casuale. "
                                "F6 passa da una lista all'altra. Verifica Immediata."));
        // Read in a review of the window: no ellipsis, no mouse instruction.
        QCOMPARE(nameOf(words.find<QWidget>("Label8")), QStringLiteral("Oppure inserisci"));
    }

    void theSequenceDrillTellsItsLastLettersAndItsPauses()
    {
        sequence.open();
        sequence.choose("Mnu_Nuovo");
        for (const char *next : {"B", "C", "D", "E"}) {
            sequence.answer(QLatin1String(next));
            sequence.pressEnter();
        }
        QCOMPARE(descriptionOf(focus()),
                 QStringLiteral("Lettera E maiuscola. PREMI IL TASTO DELLA LETTERA SUCCESSIVA. Ultime lettere C D E."));
        QCOMPARE(nameOf(sequence.find<QWidget>("Label11")), QStringLiteral("Sequenza A B C D E"));
        sequence.choose("Mnu_Sospendi");
        QCOMPARE(told(FormId::SequenceDrill), QStringLiteral("Esercizio sospeso, premi CONTINUA per riprendere."));
        sequence.choose("Mnu_Sospendi");
        QVERIFY2(told(FormId::SequenceDrill).startsWith(QStringLiteral("Esercizio ripreso."))
                     || descriptionOf(focus()).startsWith(QStringLiteral("Esercizio ripreso.")),
                 qPrintable(told(FormId::SequenceDrill)));
    }

    void eachWordSaysItsPlaceAndTheKeysMoveTheOneWithTheFocus()
    {
        words.open();
        words.type(QStringLiteral("balcone"));
        words.type(QStringLiteral("albero"));
        auto *entry = words.find<QLineEdit>("Text1");
        auto *pool = words.find<QListWidget>("List1");
        QCOMPARE(accessible(pool)->child(0)->text(QAccessible::Name), QStringLiteral("BALCONE, 1 di 2"));
        QCOMPARE(accessible(pool)->child(1)->text(QAccessible::Name), QStringLiteral("ALBERO, 2 di 2"));
        QTest::keyClick(entry, Qt::Key_F6);
        QTest::keyClick(pool, Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(pool, Qt::Key_Space);
        QCOMPARE(descriptionOf(entry), QStringLiteral("ALBERO va al posto 1. LISTA ORDINATA."));
        QCOMPARE(accessible(pool)->child(0)->text(QAccessible::Name), QStringLiteral("BALCONE, 1 di 1"));
        QCOMPARE(accessible(words.find<QListWidget>("List2"))->child(0)->text(QAccessible::Name),
                 QStringLiteral("ALBERO, 1 di 1"));
        QTest::keyClick(entry, Qt::Key_F5);
        QVERIFY(told(FormId::WordOrder).startsWith(QStringLiteral("NUOVO ELENCO. 10 parole da ordinare. ")));
        // Nothing spoken holds a colon or an ellipsis.
        QVERIFY(!told(FormId::WordOrder).contains(QLatin1Char(':')));
    }

    static QAccessibleInterface *menuItem(QMenu *menu, const char *name)
    {
        QAccessibleInterface *self = accessible(menu);
        for (int i = 0; i < self->childCount(); ++i)
            if (self->child(i)->object() && self->child(i)->object()->objectName() == QLatin1String(name))
                return self->child(i);
        return nullptr;
    }

    void optionItemsSayWhichIsChosenAndTheBlankOneIsASeparator()
    {
        recognition.open();
        auto *options = recognition.find<QMenu>("Opzioni");
        const QSize drawn = options->sizeHint();
        const auto item = [options](const char *name) { return menuItem(options, name); };
        QVERIFY(item("space"));
        QCOMPARE(item("space")->role(), QAccessible::Separator);
        QVERIFY(item("Mnu_Maiuscole")->state().checkable && item("Mnu_Maiuscole")->state().checked);
        QVERIFY(item("Mnu_minuscole")->state().checkable && !item("Mnu_minuscole")->state().checked);
        QCOMPARE(item("Mnu_Italiano")->text(QAccessible::Name), QStringLiteral("Alfabeto Italiano"));
        QVERIFY(item("Mnu_Italiano")->state().checked && !item("Mnu_Inglese")->state().checked);
        recognition.choose("Mnu_minuscole");
        QVERIFY(!item("Mnu_Maiuscole")->state().checked && item("Mnu_minuscole")->state().checked);
        // The menu is drawn as before.
        QCOMPARE(options->sizeHint(), drawn);
    }

    // The language of random lists is on no caption: the Lingua menu says it.
    void theWordLanguageChosenIsSaidByItsMenu()
    {
        words.open();
        auto *languages = words.find<QMenu>("Lingua");
        QVERIFY(menuItem(languages, "It")->state().checked && !menuItem(languages, "En")->state().checked);
        words.choose("En");
        QVERIFY(!menuItem(languages, "It")->state().checked && menuItem(languages, "En")->state().checked);
    }

    // Qt writes a line for each key once the accessibility bus has gone away:
    // the log keeps the first.
    void theLossOfTheBusIsLoggedOnceNotAtEveryKey()
    {
        const QRegularExpression keyError(QStringLiteral("QSpiApplication::keyEventError"));
        QTest::ignoreMessage(QtWarningMsg, keyError);
        QTest::failOnWarning(keyError);
        for (int key = 0; key < 3; ++key)
            qWarning("QSpiApplication::keyEventError  \"org.freedesktop.DBus.Error.Disconnected\" \"Not connected to D-Bus server\"");
    }
};

QTEST_MAIN(NarrationTest)
#include "tst_narration_offscreen.moc"
