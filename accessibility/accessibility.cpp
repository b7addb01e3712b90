// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility/accessibility.h"

#include "accessibility/narration.h"
#include "ui/forms.h"
#include "ui/widgets.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QRadioButton>

namespace accessibility {

namespace {

struct Described
{
    QPointer<QWidget> window;
    WindowDescription description;
};

// The windows in the order they described themselves.
QList<Described> &described()
{
    static QList<Described> windows;
    return windows;
}

// The rule a window gives for the control (or itself); none where it gives none.
const ControlRole *ruleOf(const QWidget *widget)
{
    const WindowDescription *description = descriptionOf(widget->window());
    if (!description)
        return nullptr;
    const bool isWindow = widget == widget->window();
    for (const ControlRole &rule : description->roles) {
        const bool matches = rule.control ? !isWindow && widget->objectName() == QLatin1String(rule.control)
                                          : isWindow;
        if (matches)
            return &rule;
    }
    return nullptr;
}

bool neverShown(const QWidget *widget)
{
    const ControlRole *rule = ruleOf(widget);
    return rule && rule->role == Role::NeverShown;
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
// the verdict. Its extent is that of the answer box it lies under. Its role is
// one a screen reader does not name: a label's would follow every verdict.
class EnterBox : public ProgramInterface
{
public:
    EnterBox(QWidget *box, const char *coveredBy)
        : ProgramInterface(box, QAccessible::Client), m_coveredBy(coveredBy)
    {
    }

    QRect rect() const override
    {
        // A hidden box's window may be in its destructor, its children half gone.
        if (!widget()->isVisible())
            return ProgramInterface::rect();
        const auto *answer =
            m_coveredBy ? widget()->parentWidget()->findChild<QWidget *>(QLatin1String(m_coveredBy)) : nullptr;
        if (!answer)
            return ProgramInterface::rect();
        return QRect(answer->mapToGlobal(QPoint(0, 0)), answer->size());
    }

private:
    const char *m_coveredBy;
};

// An item of a window's drop-down menu as Qt presents it, and besides: an
// item without a caption is a separator, which screen readers pass over
// (it is drawn as before, a blank line); an option item says whether it is
// the one chosen. Nothing of the menu itself changes.
class MenuItem : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    MenuItem(QMenu *menu, QAction *item) : m_menu(menu), m_item(item) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface && !blank() ? static_cast<QAccessibleActionInterface *>(this)
                                                                : nullptr;
    }
    bool isValid() const override { return m_menu && m_item; }
    QObject *object() const override { return m_item; }
    QWindow *window() const override { return m_menu ? m_menu->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_menu.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? withoutAccessKeys(m_item->text()) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect area = m_menu->actionGeometry(m_item);
        return QRect(m_menu->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override { return blank() ? QAccessible::Separator : QAccessible::MenuItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.disabled = !m_item->isEnabled();
        s.focusable = !blank();
        s.focused = m_menu->activeAction() == m_item;
        const QVariant chosen = m_item->property(kChosenProperty);
        s.checkable = chosen.isValid();
        s.checked = chosen.toBool();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction() && isValid() && m_item->isEnabled())
            m_item->trigger();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    bool blank() const { return m_item && (m_item->isSeparator() || m_item->text().isEmpty()); }

    QPointer<QMenu> m_menu;
    QPointer<QAction> m_item;
};

QAccessibleInterface *interfaceFor(const QString &, QObject *object)
{
    if (auto *item = qobject_cast<QAction *>(object); item && !item->menu()) {
        for (QObject *shownIn : item->associatedObjects())
            if (auto *menu = qobject_cast<QMenu *>(shownIn);
                menu && menu->parentWidget() && descriptionOf(menu->parentWidget()->window()))
                return new MenuItem(menu, item);
        return nullptr;
    }
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (auto *option = qobject_cast<WrappingRadioButton *>(widget))
        return new OptionButton(option);
    if (isClientArea(widget))
        return new ClientArea(widget);
    const ControlRole *rule = ruleOf(widget);
    if (!rule)
        return nullptr;
    switch (rule->role) {
    case Role::Window: return new ProgramInterface(widget, QAccessible::Window);
    case Role::Group: return new ProgramInterface(widget, QAccessible::Grouping);
    case Role::ActionLabel:
        if (auto *label = qobject_cast<ClickableLabel *>(widget))
            return new ActionLabel(label);
        return nullptr;
    case Role::EnterBox: return new EnterBox(widget, rule->coveredBy);
    case Role::NeverShown: return nullptr;
    }
    return nullptr;
}

bool wantsOurInterface(const QWidget *widget)
{
    const ControlRole *rule = ruleOf(widget);
    return qobject_cast<const WrappingRadioButton *>(widget) || isClientArea(widget)
           || (rule && rule->role != Role::NeverShown);
}

// Qt may have made its own interface for a control while the window was being
// built, before the control had its name; ours takes its place.
void replaceEarlyInterface(QWidget *widget)
{
    QAccessibleInterface *current = QAccessible::queryAccessibleInterface(widget);
    if (current && !dynamic_cast<ProgramInterface *>(current))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
}

// A freshly built window: its controls get their roles, names and actions.
void attach(QWidget *window)
{
    if (wantsOurInterface(window))
        replaceEarlyInterface(window);
    for (QWidget *widget : window->findChildren<QWidget *>())
        if (wantsOurInterface(widget))
            replaceEarlyInterface(widget);
    narration::present(window);
}

// Once the accessibility bus has gone away under the program, Qt's bridge
// writes a line for every key the pupil presses. The first tells what
// happened; the others say nothing new, until the bus is back and lost again.
QtMessageHandler earlierHandler = nullptr;
bool busLossReported = false;

void quietenBusLoss(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("QSpiApplication::keyEventError"))) {
        if (busLossReported)
            return;
        busLossReported = true;
    }
    if (earlierHandler)
        earlierHandler(type, context, message);
}

class BusReturn : public QAccessible::ActivationObserver
{
public:
    void accessibilityActiveChanged(bool active) override
    {
        if (active)
            busLossReported = false;
    }
};

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
        earlierHandler = qInstallMessageHandler(quietenBusLoss);
        static BusReturn busReturn;
        QAccessible::installActivationObserver(&busReturn);
        narration::install();
        QObject::connect(&Forms::instance(), &Forms::built, &Forms::instance(), attach);
        QObject::connect(&Forms::instance(), &Forms::unloading, &Forms::instance(), narration::withdraw);
        installed = true;
    }
}

void describe(QWidget *window, const WindowDescription &description)
{
    described().append({window, description});
    QObject::connect(window, &QObject::destroyed, qApp, [window] {
        described().removeIf([window](const Described &d) { return d.window.isNull() || d.window == window; });
    });
}

const WindowDescription *descriptionOf(const QWidget *window)
{
    for (const Described &d : described())
        if (d.window == window)
            return &d.description;
    return nullptr;
}

void tellCurrentItem(QAbstractItemView *view)
{
    const QModelIndex current = view->currentIndex();
    if (!current.isValid() || !view->hasFocus() || !QAccessible::isActive())
        return;
    QAccessibleEvent event(view, QAccessible::Focus);
    event.setChild(current.row());
    QAccessible::updateAccessibility(&event);
}

QList<QWidget *> describedWindows()
{
    QList<QWidget *> windows;
    for (const Described &d : described())
        if (d.window)
            windows << d.window;
    return windows;
}

} // namespace accessibility
