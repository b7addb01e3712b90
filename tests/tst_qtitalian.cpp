// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controlbuilder.h"
#include "ui/messageboxpresenter.h"
#include "support/fakes.h"
#include "support/program.h"
#include "tst_wordpupil.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <optional>

// Qt's own texts, as a pupil meets them with a right click or the Menu key, are
// Italian whatever the desktop's language: ctest runs this under LANG=C and
// under LANG=it_IT.UTF-8.
namespace {

// The items without their shortcuts, which each platform spells its own way.
const QStringList kEditMenu = {"Ann&ulla", "&Rifai", "&Taglia", "&Copia", "&Incolla", "Elimina", "Seleziona tutto"};
const QStringList kReadOnlyMenu = {"&Copia", "Seleziona tutto"};
const QStringList kScrollBarMenu = {"Scorri qui", "Cima", "Fondo", "Pagina su", "Pagina gi\u00f9", "Scorri in alto",
                                    "Scorri in basso"};

struct OpenedMenu
{
    QStringList items;
    QString family;
};

QString familyOf(const QFont &font)
{
    return QFontInfo(font).family().section(QLatin1String(" ["), 0, 0);
}

// The menu that a right click on the widget opens (or the Menu key, which the
// X11 platform turns into a keyboard context-menu event for the focus
// widget), read and closed; nothing when no menu opens.
std::optional<OpenedMenu> openMenu(QWidget *widget, QContextMenuEvent::Reason reason)
{
    std::optional<OpenedMenu> opened;
    // A menu may run its own event loop until it is closed.
    QTimer::singleShot(0, widget, [&opened] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        opened = OpenedMenu{{}, familyOf(menu->font())};
        for (const QAction *item : menu->actions()) {
            if (!item->isSeparator())
                opened->items << item->text().section(QLatin1Char('\t'), 0, 0);
        }
        menu->close();
    });
    const QPoint middle = widget->rect().center();
    if (reason == QContextMenuEvent::Mouse) {
        // Through the window, which makes the context-menu event of a click.
        QWidget *window = widget->window();
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, Qt::NoModifier, widget->mapTo(window, middle));
    } else {
        widget->setFocus();
        QContextMenuEvent key(QContextMenuEvent::Keyboard, middle, widget->mapToGlobal(middle));
        QCoreApplication::sendEvent(widget, &key);
    }
    QTest::qWait(20);
    return opened;
}

} // namespace

class QtItalianTest : public QObject
{
    Q_OBJECT

    FakePlatform fakes;

    static void checkMenu(QWidget *widget, const QStringList &expected)
    {
        for (auto reason : {QContextMenuEvent::Mouse, QContextMenuEvent::Keyboard}) {
            const std::optional<OpenedMenu> menu = openMenu(widget, reason);
            const char *how = reason == QContextMenuEvent::Mouse ? "right click" : "Menu key";
            QVERIFY2(menu, how);
            QCOMPARE(menu->items, expected);
            QCOMPARE(menu->family, familyOf(ui::uiFont(8.25, false)));
        }
    }

private slots:
    void init()
    {
        fakes.clear();
        program::start();
    }
    void cleanup() { program::stop(); }

    void answerBoxesOfTheDrillsHaveAnItalianEditMenu_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("option");
        QTest::newRow("recognition") << int(FormId::RecognitionDrill) << "Option1";
        QTest::newRow("sequence") << int(FormId::SequenceDrill) << "Option2";
    }
    void answerBoxesOfTheDrillsHaveAnItalianEditMenu()
    {
        QFETCH(int, form);
        QFETCH(QString, option);
        const FormId id = FormId(form);
        program::click(program::find<QWidget>(FormId::Chooser, qPrintable(option)));
        program::click(program::find<QPushButton>(id, "Command1"));
        checkMenu(program::find<QLineEdit>(id, "Text1"), kEditMenu);
    }

    // Text2 takes the focus while the pupil is asked for Enter, but is never
    // seen: it offers no menu at all, not even to copy its placeholder.
    void theHiddenBoxOfTheDrillsHasNoMenu()
    {
        for (auto [option, id] : {std::pair{"Option1", FormId::RecognitionDrill}, std::pair{"Option2", FormId::SequenceDrill}}) {
            program::click(program::find<QWidget>(FormId::Chooser, option));
            auto *hidden = program::find<QLineEdit>(id, "Text2");
            for (auto reason : {QContextMenuEvent::Mouse, QContextMenuEvent::Keyboard})
                QVERIFY(!openMenu(hidden, reason));
            program::click(program::find<QPushButton>(id, "Command4"));
        }
    }

    void theWordWindowsBoxesAndScrollBarAreItalian()
    {
        WordPupil pupil;
        pupil.open();
        checkMenu(pupil.entryBox(), kEditMenu);

        // Two words out of order and a check at the second level show the
        // list of errors.
        pupil.choose("liv2");
        pupil.typeWords({"ZETA", "ALFA"});
        pupil.placeFirst();
        pupil.placeFirst();
        pupil.check();
        auto *errors = pupil.find<QPlainTextEdit>("Text2");
        QVERIFY(errors->isVisible());
        QCOMPARE(errors->toPlainText(), QStringLiteral(" - ALFA precede ZETA\n"));
        checkMenu(errors->viewport(), kReadOnlyMenu);
        checkMenu(errors->verticalScrollBar(), kScrollBarMenu);
    }

    // The windows themselves, their labels and their menu bars open nothing.
    void windowsAndLabelsOpenNoMenu()
    {
        for (auto [option, id] : {std::pair{"Option1", FormId::RecognitionDrill}, std::pair{"Option3", FormId::WordOrder}}) {
            program::click(program::find<QWidget>(FormId::Chooser, option));
            for (const char *name : {"Label1", "Label2", "Label7"}) {
                auto *label = program::find<QWidget>(id, name);
                label->show();
                QVERIFY2(!openMenu(label, QContextMenuEvent::Mouse), name);
            }
            QVERIFY(!openMenu(program::find<QWidget>(id, "Command1")->parentWidget(), QContextMenuEvent::Mouse));
            QVERIFY(!openMenu(program::window(id)->findChild<QMenuBar *>(), QContextMenuEvent::Mouse));
        }
    }

    // The real box of a wrong letter: Italian, in the program's typeface, and
    // wide enough for a window manager to show its title beside its buttons.
    // Its one button reads OK in Italian and in English alike, so while it
    // is open the catalogue its buttons are named from must also give Italian
    // for a word the two languages spell apart.
    void theWrongLetterBoxSpeaksItalianInTheProgramsFace()
    {
        QString family, button, cancel;
        int width = 0;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            family = familyOf(box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))->font());
            button = box->findChild<QDialogButtonBox *>()->buttons().value(0)->text();
            cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
            width = box->width();
            box->accept();
        });
        ui::MessageBoxPresenter().present(QStringLiteral("RIPROVA"), QStringLiteral("ATTENTO"));
        QCOMPARE(family, familyOf(ui::uiFont(8.25)));
        QCOMPARE(button, QStringLiteral("OK"));
        QCOMPARE(cancel, QStringLiteral("Annulla"));
        QVERIFY2(width >= ui::widthForTitle(QStringLiteral("ATTENTO")), qPrintable(QString::number(width)));
    }
};

QTEST_MAIN(QtItalianTest)
#include "tst_qtitalian.moc"
