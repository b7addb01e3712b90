// SPDX-License-Identifier: GPL-3.0-or-later
#include "monkey/pupil.h"

#include "monkey/windowreading.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace monkey {

namespace {

const char *const kKindNames[kKinds] = {"click",     "list item", "character",     "Enter",
                                        "Tab",       "Esc",       "Backspace",     "arrow key",
                                        "access key", "stray Alt key", "menu item", "open menu",
                                        "close box"};

// How often each kind of event comes in each window, out of the sum of its
// column: the chooser has no lists and no menus, and in the word window the
// words are typed and moved more than the exercise is started afresh.
struct Weighted
{
    Kind kind;
    int chooser, drill, words;
};
const Weighted kKindWeights[] = {
    //                     chooser drill words
    {Kind::Click,            300,  300,  200},
    {Kind::ListItem,           0,    0,  250},
    {Kind::Character,        150,  260,  300},
    {Kind::Enter,             50,  130,  120},
    {Kind::Tab,               35,   35,   35},
    {Kind::Escape,             6,    4,    3},
    {Kind::Backspace,         10,   30,   30},
    {Kind::Arrow,             20,   20,   30},
    {Kind::AccessKey,          4,    4,    4},
    {Kind::StrayAltKey,        2,    2,    2},
    {Kind::MenuItem,           0,   45,   12},
    {Kind::CloseBox,           2,    1,    1},
};

int weightIn(const Weighted &w, FormId id)
{
    switch (id) {
    case FormId::Chooser: return w.chooser;
    case FormId::WordOrder: return w.words;
    default: return w.drill;
    }
}

// The characters a pupil may type, by where they come from.
struct Pool
{
    const char *name;
    int weight;
    QStringList characters;   // each one key press; an emoji may take two UTF-16 units or more
};

QStringList charactersOf(const QString &text)
{
    QStringList characters;
    for (QChar c : text)
        characters << QString(c);
    return characters;
}

QStringList range(char16_t first, char16_t last, const QString &except = {})
{
    QStringList characters;
    for (char16_t u = first; u <= last; ++u) {
        if (!except.contains(QChar(u)))
            characters << QString(QChar(u));
    }
    return characters;
}

const QString kItalianAccented = QStringLiteral("\u00e0\u00e8\u00e9\u00ec\u00f2\u00f9\u00c0\u00c8\u00c9\u00cc\u00d2\u00d9");

const QList<Pool> &pools()
{
    static const QList<Pool> all = {
        {"ASCII", 40, range(0x20, 0x7e)},
        {"Italian accented", 12, charactersOf(kItalianAccented)},
        {"other Latin-1", 8, range(0xa0, 0xff, kItalianAccented)},
        {"Windows-1252 signs", 7,
         charactersOf(QStringLiteral("\u20ac\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039\u0152\u017d"
                                     "\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122\u0161\u203a\u0153\u017e\u0178"))},
        {"outside Windows-1252", 6,
         charactersOf(QStringLiteral("\u0142\u0141\u0151\u015e\u03a9\u0416\u4e2d\u3042\u2190\u2211\ufb01\u05d0\u0301\u200b"))},
        {"emoji", 4,
         {QStringLiteral("\U0001F600"), QStringLiteral("\U0001F34E"), QStringLiteral("\U0001F44D\U0001F3FD"),
          QStringLiteral("\U0001F1EE\U0001F1F9"), QStringLiteral("\u2764\ufe0f"), QStringLiteral("\U0001F98A")}},
    };
    return all;
}

// Words a pupil might type whole, among them some equal but for the case of
// their letters, and some that start another.
const QStringList kWords = {"casa", "Casa", "CASA", "citt\u00e0", "CITT\u00c0", "na", "nave", "Nave",
                            "albero", "zero", "Zero", "hotel ", "sole", "\u00e9lan", "\u00dcber", "in", "island"};

bool isDesignedControl(const QWidget *w)
{
    static const char *const prefixes[] = {"Command", "Option", "Label", "Text", "List"};
    const QString name = w->objectName();
    return std::any_of(std::begin(prefixes), std::end(prefixes), [&](const char *p) { return name.startsWith(QLatin1String(p)); });
}

const char *exitButton(FormId id)
{
    switch (id) {
    case FormId::Chooser: return "Command1";
    case FormId::WordOrder: return "Command2";
    default: return "Command4";
    }
}

// Leaving a window, or starting a word exercise afresh, is rarer than the
// rest, so that exercises get going.
int clickWeight(FormId id, const QWidget *control)
{
    if (control->objectName() == QLatin1String(exitButton(id)))
        return 1;
    if (id == FormId::WordOrder && control->objectName() == QLatin1String("Command1"))
        return 1;
    if (qobject_cast<const QAbstractButton *>(control))
        return 4;
    if (qobject_cast<const QLineEdit *>(control) || qobject_cast<const QPlainTextEdit *>(control))
        return 2;
    return 1;
}

// Where the keyboard's keys go: the focus, or the window itself.
QWidget *keyTarget(QWidget *window)
{
    QWidget *focus = QApplication::focusWidget();
    return focus && (focus == window || window->isAncestorOf(focus)) ? focus : window;
}

QString describe(const QString &text)
{
    QString codes;
    for (char32_t u : text.toUcs4())
        codes += QStringLiteral(" U+%1").arg(QString::number(quint32(u), 16).toUpper().rightJustified(4, QLatin1Char('0')));
    return QLatin1Char('"') + text + QLatin1Char('"') + codes;
}

QString nameOf(const QWidget *w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

void typeCharacter(QWidget *target, const QString &character)
{
    const char32_t first = character.toUcs4().front();
    const char32_t key = first < 0x10000 ? QChar(char16_t(first)).toUpper().unicode() : first;
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), character, Qt::NoModifier);
}

QList<QChar> accessKeysOf(const QWidget *window)
{
    QList<QChar> keys;
    auto take = [&](const QString &caption) {
        const qsizetype at = caption.indexOf(QLatin1Char('&'));
        if (at >= 0 && at + 1 < caption.size())
            keys << caption[at + 1].toLower();
    };
    for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
        take(button->text());
    if (const QMenuBar *bar = window->findChild<QMenuBar *>()) {
        for (const QAction *action : bar->actions())
            take(action->text());
    }
    return keys;
}

} // namespace

const char *kindName(Kind kind) { return kKindNames[int(kind)]; }

void waitForAccessKeyClicks()
{
    QElapsedTimer waited;
    waited.start();
    auto anyDown = [] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            for (const QAbstractButton *button : top->findChildren<QAbstractButton *>()) {
                if (button->isDown())
                    return true;
            }
        }
        return false;
    };
    while (anyDown() && waited.elapsed() < 3000)
        QTest::qWait(5);
}

Event Pupil::next(FormId id, QWidget *window)
{
    if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
        return answerMenu(menu);
    for (;;) {
        switch (pickKind(id)) {
        case Kind::Click: return click(id, window);
        case Kind::ListItem: return clickListItem(window);
        case Kind::Character: return type(id, window);
        case Kind::Enter: return key(Kind::Enter, window);
        case Kind::Tab: return key(Kind::Tab, window);
        case Kind::Escape: return key(Kind::Escape, window);
        case Kind::Backspace: return key(Kind::Backspace, window);
        case Kind::Arrow: return key(Kind::Arrow, window);
        case Kind::AccessKey: return accessKey(window, true);
        case Kind::StrayAltKey: return accessKey(window, false);
        case Kind::MenuItem: return menuItem(window);
        case Kind::CloseBox: return closeBox(window);
        case Kind::OpenMenu: break;
        }
    }
}

Kind Pupil::pickKind(FormId id)
{
    int total = 0;
    for (const Weighted &w : kKindWeights)
        total += weightIn(w, id);
    int at = below(total);
    for (const Weighted &w : kKindWeights) {
        if (at < weightIn(w, id))
            return w.kind;
        at -= weightIn(w, id);
    }
    return Kind::Click;
}

Event Pupil::click(FormId id, QWidget *window)
{
    QList<QWidget *> controls;
    QList<int> weights;
    int total = 0;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (isDesignedControl(w) && w->isVisible() && w->isEnabled()) {
            controls << w;
            weights << clickWeight(id, w);
            total += weights.back();
        }
    }
    int at = below(total);
    int chosen = 0;
    while (at >= weights[chosen])
        at -= weights[chosen++];
    QWidget *control = controls[chosen];
    const QPoint inside(1 + below(std::max(1, control->width() - 2)), 1 + below(std::max(1, control->height() - 2)));
    // The click lands on whatever is on top at that point, as on a screen.
    const QPoint global = control->mapToGlobal(inside);
    QWidget *receiver = window->childAt(window->mapFromGlobal(global));
    if (!receiver)
        receiver = window;
    const QPoint point = receiver->mapFromGlobal(global);
    Event event{Kind::Click, {}, QStringLiteral("click %1 at %2,%3").arg(nameOf(control)).arg(inside.x()).arg(inside.y()),
                nameOf(receiver), {}};
    if (receiver != control)
        event.description += QStringLiteral(" (lands on %1)").arg(nameOf(receiver));
    QPointer<QWidget> target = receiver;
    event.perform = [target, point] {
        if (target)
            QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, point);
    };
    return event;
}

Event Pupil::clickListItem(QWidget *window)
{
    QList<QListWidget *> lists;
    for (const char *name : {"List1", "List2"}) {
        auto *list = window->findChild<QListWidget *>(QLatin1String(name));
        if (list && list->isVisible() && list->count() > 0)
            lists << list;
    }
    if (lists.isEmpty())
        return click(FormId::WordOrder, window);
    QListWidget *list = pick(lists);
    const int row = below(list->count());
    Event event{Kind::ListItem, {}, QStringLiteral("click %1 item %2 %3").arg(list->objectName()).arg(row).arg(describe(list->item(row)->text())),
                list->objectName(), {}};
    event.perform = [list, row] {
        QListWidgetItem *item = list->item(row);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(item).center());
    };
    return event;
}

Event Pupil::type(FormId id, QWidget *window)
{
    QWidget *target = keyTarget(window);
    const QString into = QStringLiteral(" into %1").arg(nameOf(target));
    // In a drill, now and then the answer a pupil who knows the alphabet gives.
    if (id == FormId::RecognitionDrill || id == FormId::SequenceDrill) {
        const QString shown = window->findChild<QLabel *>("Label1")->text();
        if (!shown.isEmpty() && below(100) < 40) {
            const bool italian = window->findChild<QLabel *>(id == FormId::RecognitionDrill ? "Label11" : "Label12")->text()
                                 == QLatin1String("Alfabeto Italiano");
            const QString letters = italian ? kItalianLetters : kEnglishLetters;
            const qsizetype at = letters.indexOf(shown.toUpper());
            QString answer = id == FormId::RecognitionDrill ? shown : letters.mid(std::min(at + 1, letters.size() - 1), 1);
            answer = shown.front().isUpper() ? answer.toUpper() : answer.toLower();
            if (below(4) == 0)
                answer = answer.front().isUpper() ? answer.toLower() : answer.toUpper();
            QPointer<QWidget> to = target;
            return {Kind::Character, QStringLiteral("answer"), QStringLiteral("type the answer ") + describe(answer) + into, {},
                    [to, answer] { if (to) typeCharacter(to, answer); }};
        }
    }
    if (id == FormId::WordOrder && below(100) < 10) {
        const QString word = pick(kWords);
        QPointer<QWidget> to = target;
        return {Kind::Character, QStringLiteral("whole word"), QStringLiteral("type the word ") + describe(word) + into, {},
                [to, word] {
                    for (QChar c : word) {
                        if (to)
                            typeCharacter(to, QString(c));
                    }
                }};
    }
    int total = 0;
    for (const Pool &pool : pools())
        total += pool.weight;
    int at = below(total);
    const Pool *pool = &pools().front();
    for (const Pool &p : pools()) {
        if (at < p.weight) {
            pool = &p;
            break;
        }
        at -= p.weight;
    }
    const QString character = pick(pool->characters);
    QPointer<QWidget> to = target;
    return {Kind::Character, QString::fromLatin1(pool->name), QStringLiteral("type ") + describe(character) + into, {},
            [to, character] { if (to) typeCharacter(to, character); }};
}

Event Pupil::key(Kind kind, QWidget *window)
{
    QWidget *target = keyTarget(window);
    Qt::Key key = Qt::Key_Return;
    switch (kind) {
    case Kind::Tab: key = Qt::Key_Tab; break;
    case Kind::Escape: key = Qt::Key_Escape; break;
    case Kind::Backspace: key = Qt::Key_Backspace; break;
    case Kind::Arrow: key = below(2) ? Qt::Key_Down : Qt::Key_Up; break;
    default: break;
    }
    QPointer<QWidget> to = target;
    return {kind, {}, QStringLiteral("press %1 in %2").arg(QKeySequence(key).toString(), nameOf(target)), {},
            [to, key] { if (to) QTest::keyClick(to, key); }};
}

Event Pupil::accessKey(QWidget *window, bool matching)
{
    const QList<QChar> taken = accessKeysOf(window);
    QList<QChar> candidates;
    if (matching) {
        candidates = taken;
    } else {
        for (char c = 'a'; c <= 'z'; ++c) {
            if (!taken.contains(QLatin1Char(c)))
                candidates << QLatin1Char(c);
        }
    }
    const char letter = pick(candidates).toLatin1();
    QPointer<QWidget> to = keyTarget(window);
    return {matching ? Kind::AccessKey : Kind::StrayAltKey, {},
            QStringLiteral("press Alt+%1 in %2").arg(QChar(letter).toUpper()).arg(nameOf(to)), {},
            [to, letter] {
                if (to)
                    QTest::keyClick(to, letter, Qt::AltModifier);
                waitForAccessKeyClicks();
            }};
}

Event Pupil::menuItem(QWidget *window)
{
    QList<QAction *> items;
    for (QAction *action : window->findChildren<QAction *>()) {
        if (!action->objectName().isEmpty() && !action->isSeparator() && !action->menu() && action->isEnabled())
            items << action;
    }
    QAction *item = pick(items);
    QPointer<QAction> chosen = item;
    return {Kind::MenuItem, {}, QStringLiteral("choose the menu item %1").arg(item->objectName()), {},
            [chosen] { if (chosen) chosen->trigger(); }};
}

// A menu opened by its access key: an item chosen by its letter or by the
// arrow keys and Enter, or Esc to close it.
Event Pupil::answerMenu(QMenu *menu)
{
    QList<QAction *> items;
    for (QAction *action : menu->actions()) {
        if (!action->isSeparator() && action->isEnabled())
            items << action;
    }
    QPointer<QMenu> open = menu;
    const int way = items.isEmpty() ? 0 : below(4);
    if (way == 0)
        return {Kind::OpenMenu, {}, QStringLiteral("press Esc in the menu %1").arg(menu->objectName()), {},
                [open] { if (open) QTest::keyClick(open, Qt::Key_Escape); }};
    QPointer<QAction> target = pick(items);
    const QString caption = target->text();
    const qsizetype amp = caption.indexOf(QLatin1Char('&'));
    if (way == 1 && amp >= 0 && amp + 1 < caption.size()) {
        const char letter = caption[amp + 1].toLower().toLatin1();
        return {Kind::OpenMenu, {}, QStringLiteral("press %1 in the menu %2").arg(QChar(letter)).arg(menu->objectName()), {},
                [open, letter] { if (open) QTest::keyClick(open, letter); }};
    }
    return {Kind::OpenMenu, {}, QStringLiteral("go down the menu %1 to %2 and press Enter").arg(menu->objectName(), target->objectName()), {},
            [open, target] {
                for (int step = 0; open && target && open->activeAction() != target && step < 20; ++step)
                    QTest::keyClick(open, Qt::Key_Down);
                if (open)
                    QTest::keyClick(open, open->activeAction() == target ? Qt::Key_Return : Qt::Key_Escape);
            }};
}

Event Pupil::closeBox(QWidget *window)
{
    QPointer<QWidget> w = window;
    return {Kind::CloseBox, {}, QStringLiteral("close %1 by its frame").arg(window->objectName()), {},
            [w] { if (w) w->close(); }};
}

} // namespace monkey
