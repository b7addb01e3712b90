// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controlbuilder.h"

#include "ui/widgets.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace ui {

QRect twipRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

void setupWindow(QWidget *window, QWidget *client, const WindowDesign &design)
{
    window->setObjectName(QLatin1String(design.className));
    window->setWindowTitle(QString::fromUtf8(design.title));
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window->setFont(uiFont(design.fontPt));
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, design.background.toQColor());
    client->setPalette(palette);
    client->setAutoFillBackground(true);
    client->setFixedSize(px(design.clientWidth), px(design.clientHeight));
}

void placeWindow(QWidget *window, const WindowDesign &design)
{
    int menuHeight = 0;
    if (auto *main = qobject_cast<QMainWindow *>(window)) {
        main->layout()->setSizeConstraint(QLayout::SetFixedSize);
        if (main->menuWidget())
            menuHeight = main->menuWidget()->sizeHint().height();
    }
    window->adjustSize();
    window->setFixedSize(window->size());
    // The client area, not the frame, goes to the design's corner.
    window->setGeometry(QRect(QPoint(px(design.left), px(design.top) - menuHeight), window->size()));
}

namespace {

void setColours(QWidget *widget, QPalette::ColorRole textRole, QPalette::ColorRole backRole, const ControlDesign &design)
{
    QPalette palette = widget->palette();
    if (design.fg.isSet()) {
        palette.setColor(QPalette::Active, textRole, design.fg.toQColor());
        palette.setColor(QPalette::Inactive, textRole, design.fg.toQColor());
    }
    if (design.bg.isSet())
        palette.setColor(backRole, design.bg.toQColor());
    widget->setPalette(palette);
}

Qt::Alignment alignment(const ControlDesign &design)
{
    return (design.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft);
}

QWidget *makeLabel(const ControlDesign &design)
{
    auto *label = new ClickableLabel(QString::fromUtf8(design.text));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(alignment(design) | Qt::AlignTop);
    label->setAutoFillBackground(design.bg.isSet());
    if (design.border)
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setColours(label, QPalette::WindowText, QPalette::Window, design);
    return label;
}

QWidget *makeButton(const ControlDesign &design)
{
    auto *button = new QPushButton(QString::fromUtf8(design.text));
    button->setAutoDefault(false);
    return button;
}

QWidget *makeOptionButton(const ControlDesign &design)
{
    auto *option = new WrappingRadioButton(QString::fromUtf8(design.text));
    option->setAutoFillBackground(true);
    QPalette palette = option->palette();
    palette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    option->setPalette(palette);
    setColours(option, QPalette::WindowText, QPalette::Window, design);
    return option;
}

QWidget *makeTextBox(const ControlDesign &design)
{
    auto *box = new QLineEdit(QString::fromUtf8(design.text));
    box->setFrame(design.border);
    box->setAlignment(alignment(design) | Qt::AlignVCenter);
    box->setReadOnly(design.readOnly);
    setColours(box, QPalette::Text, QPalette::Base, design);
    return box;
}

QWidget *makeMultiLineTextBox(const ControlDesign &design)
{
    auto *box = new QPlainTextEdit(QString::fromUtf8(design.text));
    if (!design.border)
        box->setFrameStyle(QFrame::NoFrame);
    box->setReadOnly(design.readOnly);
    box->setVerticalScrollBarPolicy(design.verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColours(box, QPalette::Text, QPalette::Base, design);
    return box;
}

// A list box chooses the word under the pointer when the button goes down; a
// shaky hand dragging on must not choose the words it passes over as well.
class ChooseOnPressOnly : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::MouseMove && static_cast<QMouseEvent *>(event)->buttons() != Qt::NoButton;
    }
};

// In a list that has the focus but no word chosen, the first arrow key chooses
// the first word and End the last. Qt would step from whatever row it last
// made current: when the focus came in by Tab, the first, so Down chose the
// second word.
class FirstKeyChoosesFromTheEnds : public QObject
{
public:
    explicit FirstKeyChoosesFromTheEnds(QListWidget *list) : QObject(list), m_list(list) {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !m_list->selectedItems().isEmpty() || m_list->count() == 0)
            return false;
        // Ctrl and Shift change nothing here: a list that chooses one word
        // would choose the second with them too. Alt belongs to access keys.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & Qt::AltModifier)
            return false;
        switch (key->key()) {
        case Qt::Key_Down:
        case Qt::Key_Up:
        case Qt::Key_PageDown:
        case Qt::Key_PageUp:
        case Qt::Key_Home:
            m_list->setCurrentRow(0);
            return true;
        case Qt::Key_End:
            m_list->setCurrentRow(m_list->count() - 1);
            return true;
        default:
            return false;
        }
    }

private:
    QListWidget *m_list;
};

QWidget *makeListBox(const ControlDesign &design)
{
    auto *list = new QListWidget;
    list->viewport()->installEventFilter(new ChooseOnPressOnly(list));
    list->installEventFilter(new FirstKeyChoosesFromTheEnds(list));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColours(list, QPalette::Text, QPalette::Base, design);
    return list;
}

QWidget *makeFrame(const ControlDesign &design)
{
    auto *frame = new QFrame;
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setAutoFillBackground(design.bg.isSet());
    setColours(frame, QPalette::WindowText, QPalette::Window, design);
    return frame;
}

QWidget *makeControl(const ControlDesign &design)
{
    switch (design.kind) {
    case Kind::Label: return makeLabel(design);
    case Kind::Button: return makeButton(design);
    case Kind::OptionButton: return makeOptionButton(design);
    case Kind::TextBox: return makeTextBox(design);
    case Kind::MultiLineTextBox: return makeMultiLineTextBox(design);
    case Kind::ListBox: return makeListBox(design);
    case Kind::Frame: return makeFrame(design);
    }
    return nullptr;
}

void makeCancelButton(QWidget *client, QPushButton *button)
{
    // Esc anywhere in the window clicks the cancel button.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), client->window());
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, button, [button] {
        if (button->isEnabled() && button->isVisible())
            button->click();
    });
}

} // namespace

void buildControls(QWidget *client, std::span<const ControlDesign> controls, double windowFontPt)
{
    for (const ControlDesign &design : controls) {
        QWidget *widget = makeControl(design);
        widget->setObjectName(QLatin1String(design.name));
        QWidget *parent = design.parent ? control<QWidget>(client, design.parent) : client;
        widget->setParent(parent);
        widget->setGeometry(twipRect(design.left, design.top, design.width, design.height));
        const double size = design.fontPt > 0 ? design.fontPt : windowFontPt;
        widget->setFont(uiFont(size, !design.regular));
        widget->setEnabled(design.enabled);
        widget->setVisible(design.visible);
        if (design.cancel)
            makeCancelButton(client, static_cast<QPushButton *>(widget));
    }
}

void buildMenus(QMainWindow *window, std::span<const MenuDesign> menus)
{
    QMenuBar *bar = window->menuBar();
    // Menus use the program's typeface at the usual menu size, not bold.
    const QFont menuFont = uiFont(kWindowFontPoints, false);
    bar->setFont(menuFont);
    QMenu *current = nullptr;
    for (const MenuDesign &design : menus) {
        const QString caption = QString::fromUtf8(design.caption);
        if (design.kind == MenuKind::Menu) {
            current = new QMenu(caption, window);
            current->setFont(menuFont);
            current->setObjectName(QLatin1String(design.name));
            current->setEnabled(design.enabled);
            bar->addMenu(current);
            continue;
        }
        auto *action = new QAction(caption, window);
        action->setObjectName(QLatin1String(design.name));
        action->setEnabled(design.enabled);
        action->setSeparator(design.kind == MenuKind::Separator);
        if (design.kind == MenuKind::Command)
            bar->addAction(action);
        else if (current)
            current->addAction(action);
    }
}

QWidget *buildMenuWindow(QMainWindow *window, const WindowDesign &design, std::span<const ControlDesign> controls,
                         std::span<const MenuDesign> menus)
{
    auto *client = new QWidget;
    window->setCentralWidget(client);
    setupWindow(window, client, design);
    buildControls(client, controls, design.fontPt);
    buildMenus(window, menus);
    placeWindow(window, design);
    return client;
}

void setTabOrder(QWidget *root, std::initializer_list<const char *> names)
{
    QWidget *previous = nullptr;
    for (const char *name : names) {
        QWidget *next = control<QWidget>(root, name);
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

} // namespace ui
