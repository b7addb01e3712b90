// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controlbuilder.h"

#include "ui/linemetrics.h"
#include "ui/widgets.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
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

#include <fontconfig/fontconfig.h>

namespace ui {

QRect twipRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

namespace {

// Faces drawn to the widths of Arial, for which the windows are laid out, in
// order of preference: Liberation Sans (the package's dependency), Arimo (the
// ChromeOS core fonts), Nimbus Sans (URW's base 35, which Ghostscript brings
// onto most desktops), then older names and other makers of the same widths.
// Only installed faces can stand in: Qt matches a substitute against the faces
// fontconfig lists and follows none of fontconfig's aliases, so a name such as
// "Arial" only counts where a real Arial is installed.
const char *const kMetricFaces[] = {"Liberation Sans", "Arimo", "Nimbus Sans", "Nimbus Sans L", "FreeSans",
                                    "Arial", "Helvetica"};

// A caption of usual Italian letters and its width in Arial's widths, in ems,
// regular and bold; a face without those widths is condensed to them.
const QString kReference = QStringLiteral("Ordinare alfabeticamente dei nomi, prelevati da una lista o digitati da tastiera");
constexpr double kReferenceEms[] = {33.963, 36.565};

// Whether "MS Sans Serif" or one of its stand-ins is installed.
bool g_sameWidths = true;

// The stretch, in percent, that gives the font Arial's widths: measured at
// its own size, as hinting may round the widths differently at each size.
int condensingStretch(const QFont &font)
{
    static QHash<QPair<int, bool>, int> stretches;
    const QPair<int, bool> key(qRound(font.pointSizeF() * 100), font.bold());
    if (const auto found = stretches.constFind(key); found != stretches.constEnd())
        return *found;
    const double wanted = kReferenceEms[font.bold() ? 1 : 0] * QFontInfo(font).pixelSize();
    QFont condensed = font;
    int stretch = int(100 * wanted / QFontMetricsF(font).horizontalAdvance(kReference));
    for (stretch = qBound(50, stretch, 100); stretch > 50; --stretch) {
        condensed.setStretch(stretch);
        if (QFontMetricsF(condensed).horizontalAdvance(kReference) <= wanted)
            break;
    }
    stretches.insert(key, stretch);
    return stretch;
}

// Whether fontconfig lists a face of the family. Asked of fontconfig itself,
// as Qt builds its whole font database to answer, which would hold up the
// first window by several milliseconds on every start.
bool fontconfigHas(const char *family)
{
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family));
    FcObjectSet *properties = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet *faces = FcFontList(nullptr, pattern, properties);
    const bool found = faces && faces->nfont > 0;
    if (faces)
        FcFontSetDestroy(faces);
    FcObjectSetDestroy(properties);
    FcPatternDestroy(pattern);
    return found;
}

} // namespace

QFont uiFont(double pointSize, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    if (!g_sameWidths)
        font.setStretch(condensingStretch(font));
    return font;
}

void installProgramFont()
{
    QStringList faces;
    for (const char *face : kMetricFaces)
        faces << QLatin1String(face);
    QFont::removeSubstitutions(QStringLiteral("MS Sans Serif"));
    g_sameWidths = true;
    if (fontconfigHas("Liberation Sans") || fontconfigHas("Arimo") || fontconfigHas("Arial")) {
        // The usual case: a face with Arial's widths and lines.
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), faces);
    } else {
        // Where fontconfig offers Nimbus Sans, it is given Arial's lines
        // before it stands in.
        if (fontconfigHas("Nimbus Sans")) {
            const QString nimbus = registerNimbusSansWithArialLines();
            if (!nimbus.isEmpty())
                faces.insert(faces.indexOf(QLatin1String("Nimbus Sans")), nimbus);
        }
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), faces);
        // With none of them the desktop's own face stands in, condensed to
        // Arial's widths: its lines are close enough to Arial's, its letters
        // mostly wider.
        const QString face = QFontInfo(uiFont(kWindowFontPoints)).family().section(QLatin1String(" ["), 0, 0);
        g_sameWidths = face == QLatin1String("MS Sans Serif") || faces.contains(face);
    }
    // Qt's own menus and boxes (a text box's edit menu, the message boxes)
    // speak in the same typeface as the windows, at the size of their menus.
    QApplication::setFont(uiFont(kWindowFontPoints, false));
}

void setupWindow(QWidget *window, QWidget *client, const WindowSpec &design)
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

void placeWindow(QWidget *window, const WindowSpec &design)
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

void setColours(QWidget *widget, QPalette::ColorRole textRole, QPalette::ColorRole backRole, const ControlSpec &design)
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

Qt::Alignment alignment(const ControlSpec &design)
{
    return (design.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft);
}

QWidget *makeLabel(const ControlSpec &design)
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

QWidget *makeButton(const ControlSpec &design)
{
    auto *button = new QPushButton(QString::fromUtf8(design.text));
    button->setAutoDefault(false);
    return button;
}

QWidget *makeOptionButton(const ControlSpec &design)
{
    auto *option = new WrappingRadioButton(QString::fromUtf8(design.text));
    option->setAutoFillBackground(true);
    QPalette palette = option->palette();
    palette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    option->setPalette(palette);
    setColours(option, QPalette::WindowText, QPalette::Window, design);
    return option;
}

QWidget *makeTextBox(const ControlSpec &design)
{
    auto *box = new QLineEdit(QString::fromUtf8(design.text));
    box->setFrame(design.border);
    box->setAlignment(alignment(design) | Qt::AlignVCenter);
    box->setReadOnly(design.readOnly);
    setColours(box, QPalette::Text, QPalette::Base, design);
    return box;
}

QWidget *makeMultiLineTextBox(const ControlSpec &design)
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

QWidget *makeListBox(const ControlSpec &design)
{
    auto *list = new QListWidget;
    list->viewport()->installEventFilter(new ChooseOnPressOnly(list));
    list->installEventFilter(new FirstKeyChoosesFromTheEnds(list));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColours(list, QPalette::Text, QPalette::Base, design);
    return list;
}

QWidget *makeFrame(const ControlSpec &design)
{
    auto *frame = new QFrame;
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setAutoFillBackground(design.bg.isSet());
    setColours(frame, QPalette::WindowText, QPalette::Window, design);
    return frame;
}

QWidget *makeControl(const ControlSpec &design)
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

void buildControls(QWidget *client, std::span<const ControlSpec> controls, double windowFontPt)
{
    for (const ControlSpec &design : controls) {
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

void buildMenus(QMainWindow *window, std::span<const MenuSpec> menus)
{
    QMenuBar *bar = window->menuBar();
    // Menus use the program's typeface at the usual menu size, not bold.
    const QFont menuFont = uiFont(kWindowFontPoints, false);
    bar->setFont(menuFont);
    QMenu *current = nullptr;
    for (const MenuSpec &design : menus) {
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

QWidget *buildMenuWindow(QMainWindow *window, const WindowSpec &design, std::span<const ControlSpec> controls,
                         std::span<const MenuSpec> menus)
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
