#include "app/controlbuilder.h"

#include "app/widgets.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace ui {

QRect twipRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

QFont uiFont(double pointSize, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans")});
}

void setupWindow(QWidget *window, QWidget *client, const WindowSpec &spec)
{
    window->setObjectName(QLatin1String(spec.className));
    window->setWindowTitle(QString::fromUtf8(spec.title));
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window->setFont(uiFont(spec.fontPt));
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, spec.background.toQColor());
    client->setPalette(palette);
    client->setAutoFillBackground(true);
    client->setFixedSize(px(spec.clientWidth), px(spec.clientHeight));
}

void placeWindow(QWidget *window, const WindowSpec &spec)
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
    window->setGeometry(QRect(QPoint(px(spec.left), px(spec.top) - menuHeight), window->size()));
}

namespace {

void setColours(QWidget *widget, QPalette::ColorRole textRole, QPalette::ColorRole backRole, const ControlSpec &spec)
{
    QPalette palette = widget->palette();
    if (spec.fg.isSet()) {
        palette.setColor(QPalette::Active, textRole, spec.fg.toQColor());
        palette.setColor(QPalette::Inactive, textRole, spec.fg.toQColor());
    }
    if (spec.bg.isSet())
        palette.setColor(backRole, spec.bg.toQColor());
    widget->setPalette(palette);
}

Qt::Alignment alignment(const ControlSpec &spec)
{
    return (spec.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft);
}

QWidget *makeLabel(const ControlSpec &spec)
{
    auto *label = new ClickableLabel(QString::fromUtf8(spec.text));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(alignment(spec) | Qt::AlignTop);
    label->setAutoFillBackground(spec.bg.isSet());
    if (spec.border)
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setColours(label, QPalette::WindowText, QPalette::Window, spec);
    return label;
}

QWidget *makeButton(const ControlSpec &spec)
{
    auto *button = new QPushButton(QString::fromUtf8(spec.text));
    button->setAutoDefault(false);
    return button;
}

QWidget *makeOptionButton(const ControlSpec &spec)
{
    auto *option = new WrappingRadioButton(QString::fromUtf8(spec.text));
    option->setAutoFillBackground(true);
    QPalette palette = option->palette();
    palette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    option->setPalette(palette);
    setColours(option, QPalette::WindowText, QPalette::Window, spec);
    return option;
}

QWidget *makeTextBox(const ControlSpec &spec)
{
    auto *box = new QLineEdit(QString::fromUtf8(spec.text));
    box->setFrame(spec.border);
    box->setAlignment(alignment(spec) | Qt::AlignVCenter);
    box->setReadOnly(spec.readOnly);
    setColours(box, QPalette::Text, QPalette::Base, spec);
    return box;
}

QWidget *makeMultiLineTextBox(const ControlSpec &spec)
{
    auto *box = new QPlainTextEdit(QString::fromUtf8(spec.text));
    if (!spec.border)
        box->setFrameStyle(QFrame::NoFrame);
    box->setReadOnly(spec.readOnly);
    box->setVerticalScrollBarPolicy(spec.verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColours(box, QPalette::Text, QPalette::Base, spec);
    return box;
}

QWidget *makeListBox(const ControlSpec &spec)
{
    auto *list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColours(list, QPalette::Text, QPalette::Base, spec);
    return list;
}

QWidget *makeFrame(const ControlSpec &spec)
{
    auto *frame = new QFrame;
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setAutoFillBackground(spec.bg.isSet());
    setColours(frame, QPalette::WindowText, QPalette::Window, spec);
    return frame;
}

QWidget *makeControl(const ControlSpec &spec)
{
    switch (spec.kind) {
    case Kind::Label: return makeLabel(spec);
    case Kind::Button: return makeButton(spec);
    case Kind::OptionButton: return makeOptionButton(spec);
    case Kind::TextBox: return makeTextBox(spec);
    case Kind::MultiLineTextBox: return makeMultiLineTextBox(spec);
    case Kind::ListBox: return makeListBox(spec);
    case Kind::Frame: return makeFrame(spec);
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

void buildControls(QWidget *client, std::span<const ControlSpec> controls, double windowFontPt)
{
    for (const ControlSpec &spec : controls) {
        QWidget *widget = makeControl(spec);
        widget->setObjectName(QLatin1String(spec.name));
        QWidget *parent = spec.parent ? control<QWidget>(client, spec.parent) : client;
        widget->setParent(parent);
        widget->setGeometry(twipRect(spec.left, spec.top, spec.width, spec.height));
        const double size = spec.fontPt > 0 ? spec.fontPt : windowFontPt;
        widget->setFont(uiFont(size, !spec.regular));
        widget->setEnabled(spec.enabled);
        widget->setVisible(spec.visible);
        if (spec.cancel)
            makeCancelButton(client, static_cast<QPushButton *>(widget));
    }
}

void buildMenus(QMainWindow *window, std::span<const MenuSpec> menus)
{
    QMenuBar *bar = window->menuBar();
    bar->setFont(QApplication::font());
    QMenu *current = nullptr;
    for (const MenuSpec &spec : menus) {
        const QString caption = QString::fromUtf8(spec.caption);
        if (spec.kind == MenuKind::Menu) {
            current = new QMenu(caption, window);
            current->setObjectName(QLatin1String(spec.name));
            current->setEnabled(spec.enabled);
            bar->addMenu(current);
            continue;
        }
        auto *action = new QAction(caption, window);
        action->setObjectName(QLatin1String(spec.name));
        action->setEnabled(spec.enabled);
        action->setSeparator(spec.kind == MenuKind::Separator);
        if (spec.kind == MenuKind::Command)
            bar->addAction(action);
        else if (current)
            current->addAction(action);
    }
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
