// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility/accessibility.h"

#include "accessibility/narration.h"
#include "ui/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMainWindow>
#include <QRadioButton>

#include <algorithm>
#include <iterator>

namespace accessibility {

namespace {

// The roles that Qt's own interfaces would get wrong for our controls.
enum class Kind {
    Window,       // the chooser: a top-level widget, seen as a window
    Group,        // Frame1: a group of options, not a window frame
    ActionLabel,  // a label that does something when clicked
    EnterBox,     // a drill's Text2: never seen, it holds the focus while Enter is awaited
};

struct ControlName
{
    const char *window;
    const char *control;   // null: the window itself
};

struct KindRule
{
    ControlName name;
    Kind kind;
};

const KindRule kKinds[] = {
    {"ChooserForm", nullptr, Kind::Window},
    {"ChooserForm", "Frame1", Kind::Group},
    {"RecognitionDrillForm", "Label2", Kind::ActionLabel},
    {"RecognitionDrillForm", "Label3", Kind::ActionLabel},
    {"RecognitionDrillForm", "Label4", Kind::ActionLabel},
    {"RecognitionDrillForm", "Label5", Kind::ActionLabel},
    {"RecognitionDrillForm", "Text2", Kind::EnterBox},
    {"SequenceDrillForm", "Label2", Kind::ActionLabel},
    {"SequenceDrillForm", "Label3", Kind::ActionLabel},
    {"SequenceDrillForm", "Label4", Kind::ActionLabel},
    {"SequenceDrillForm", "Label5", Kind::ActionLabel},
    {"SequenceDrillForm", "Text2", Kind::EnterBox},
    {"WordOrderForm", "Label2", Kind::ActionLabel},
    {"WordOrderForm", "Label7", Kind::ActionLabel},
};

// Controls that are never on screen: a screen reader does not find them.
const ControlName kNeverShown[] = {
    {"WordOrderForm", "List3"},
    {"WordOrderForm", "Label9"},
    {"WordOrderForm", "Label10"},
};

bool matches(const ControlName &name, const QWidget *widget)
{
    const QWidget *window = widget->window();
    if (window->objectName() != QLatin1String(name.window))
        return false;
    return name.control ? widget != window && widget->objectName() == QLatin1String(name.control) : widget == window;
}

const KindRule *kindOf(const QWidget *widget)
{
    const auto found = std::find_if(std::begin(kKinds), std::end(kKinds),
                                    [widget](const KindRule &rule) { return matches(rule.name, widget); });
    return found == std::end(kKinds) ? nullptr : found;
}

bool neverShown(const QWidget *widget)
{
    return std::any_of(std::begin(kNeverShown), std::end(kNeverShown),
                       [widget](const ControlName &name) { return matches(name, widget); });
}

bool isClientArea(const QWidget *widget)
{
    const auto *main = qobject_cast<const QMainWindow *>(widget->parentWidget());
    return main && main->centralWidget() == widget;
}

QString withoutAccessKeys(QString caption)
{
    caption.replace(QLatin1String("&&"), QLatin1String("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

// Every interface of ours, so that a window built before the screen reader
// asked can replace the ones Qt made in the meantime.
class ProgramInterface : public QAccessibleWidget
{
public:
    using QAccessibleWidget::QAccessibleWidget;
};

// A window's client area, without the controls that are never shown.
class ClientArea : public ProgramInterface
{
public:
    explicit ClientArea(QWidget *client) : ProgramInterface(client, QAccessible::Client) {}

    int childCount() const override { return int(reachable().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> children = reachable();
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children[index])
                                                     : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(reachable().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

private:
    QList<QWidget *> reachable() const
    {
        QList<QWidget *> children;
        for (QObject *object : widget()->children())
            if (auto *child = qobject_cast<QWidget *>(object); child && !child->isWindow() && !neverShown(child))
                children << child;
        return children;
    }
};

// A control a screen reader can click: its caption is its name, and it has an
// action of its own.
class Clickable : public ProgramInterface
{
public:
    Clickable(QWidget *control, QAccessible::Role role, const QString &action)
        : ProgramInterface(control, role), m_action(action)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return caption();
        return ProgramInterface::text(t);
    }
    // A control the pupil cannot click now (hidden, or disabled) offers no
    // click either: a hidden counter label must not run its handler.
    QStringList actionNames() const override
    {
        const QStringList own = ProgramInterface::actionNames();
        return clickable() ? QStringList{m_action} + own : own;
    }
    void doAction(const QString &action) override
    {
        if (action != m_action)
            ProgramInterface::doAction(action);
        else if (clickable())
            click();
    }

protected:
    virtual QString caption() const = 0;
    virtual void click() = 0;

private:
    bool clickable() const { return widget()->isVisible() && widget()->isEnabled(); }

    QString m_action;
};

// An option button whose caption wraps: it covers its whole rectangle, where
// Qt's own interface reports one line of text.
class OptionButton : public Clickable
{
public:
    explicit OptionButton(QRadioButton *option)
        : Clickable(option, QAccessible::RadioButton, QAccessibleActionInterface::toggleAction())
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = Clickable::state();
        s.checkable = true;
        s.checked = option()->isChecked();
        return s;
    }

protected:
    QString caption() const override { return withoutAccessKeys(option()->text()); }
    void click() override { option()->click(); }

private:
    QRadioButton *option() const { return static_cast<QRadioButton *>(widget()); }
};

// A label that does something when clicked.
class ActionLabel : public Clickable
{
public:
    explicit ActionLabel(ClickableLabel *label)
        : Clickable(label, QAccessible::StaticText, QAccessibleActionInterface::pressAction())
    {
    }

protected:
    QString caption() const override { return label()->text(); }
    void click() override { emit label()->clicked(); }

private:
    ClickableLabel *label() const { return static_cast<ClickableLabel *>(widget()); }
};

// The box that holds the focus while the pupil is asked to press Enter. It
// shows nothing, so it offers no text of its own; narration names it after
// the verdict. Its extent is that of the answer box it lies under.
class EnterBox : public ProgramInterface
{
public:
    explicit EnterBox(QWidget *box) : ProgramInterface(box, QAccessible::StaticText) {}

    QRect rect() const override
    {
        // A hidden box's window may be in its destructor, its children half gone.
        if (!widget()->isVisible())
            return ProgramInterface::rect();
        const auto *answer = widget()->parentWidget()->findChild<QWidget *>(QStringLiteral("Text1"));
        if (!answer)
            return ProgramInterface::rect();
        return QRect(answer->mapToGlobal(QPoint(0, 0)), answer->size());
    }
};

QAccessibleInterface *interfaceFor(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (auto *option = qobject_cast<WrappingRadioButton *>(widget))
        return new OptionButton(option);
    if (isClientArea(widget))
        return new ClientArea(widget);
    const KindRule *rule = kindOf(widget);
    if (!rule)
        return nullptr;
    switch (rule->kind) {
    case Kind::Window: return new ProgramInterface(widget, QAccessible::Window);
    case Kind::Group: return new ProgramInterface(widget, QAccessible::Grouping);
    case Kind::ActionLabel:
        if (auto *label = qobject_cast<ClickableLabel *>(widget))
            return new ActionLabel(label);
        return nullptr;
    case Kind::EnterBox: return new EnterBox(widget);
    }
    return nullptr;
}

bool wantsOurInterface(const QWidget *widget)
{
    return qobject_cast<const WrappingRadioButton *>(widget) || isClientArea(widget) || kindOf(widget);
}

// Qt may have made its own interface for a control while the window was being
// built, before the control had its name; ours takes its place.
void replaceEarlyInterface(QWidget *widget)
{
    QAccessibleInterface *current = QAccessible::queryAccessibleInterface(widget);
    if (current && !dynamic_cast<ProgramInterface *>(current))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
}

} // namespace

void exposeToAssistiveTechnology()
{
    // Qt reads the accessibility bus's switches only once, at start; told to be
    // always on, it joins the bus as soon as the bus is there.
    if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
}

void install()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(interfaceFor);
        narration::installEventGate();
        installed = true;
    }
}

void attach(QWidget *window)
{
    if (wantsOurInterface(window))
        replaceEarlyInterface(window);
    for (QWidget *widget : window->findChildren<QWidget *>())
        if (wantsOurInterface(widget))
            replaceEarlyInterface(widget);
    narration::present(window);
}

void detach(QWidget *window)
{
    narration::withdraw(window);
}

} // namespace accessibility
