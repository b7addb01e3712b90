// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility/narration.h"

#include "accessibility/accessibility.h"
#include "ui/handler.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace narration {

namespace {

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// A window's voice for news that comes without a move of the focus, where Qt
// has no announcements (before 6.8): an accessible object of its own, without
// a widget, that a screen reader reads as it is shown.
class Notification : public QAccessibleInterface
{
public:
    explicit Notification(QWidget *window) : m_window(window) {}

    void say(const QString &message) { m_message = message; }

    bool isValid() const override { return !m_window.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_window ? m_window->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_window ? QAccessible::queryAccessibleInterface(m_window.data()) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? m_message : QString(); }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<QWidget> m_window;
    QString m_message;
};
#endif

struct Narration
{
    bool always = false;
    bool narrating = false;   // the outermost handler began with a listener
    bool watchingFocus = false;
    QString origin;
    bool originIsTimer = false;
    QPointer<QWidget> focusBefore;
    QString focusSaidBefore;
    QHash<const QWidget *, Snapshot> before;
    // Widgets the focus arrived at while the handler ran.
    QSet<const QWidget *> arrivals;
    // The news the focused control carries until the focus leaves it.
    QPointer<QWidget> carrier;
    QString carried;
    // The last carrier, still saying its news after the focus left it.
    QPointer<QWidget> lingering;
    // News for a window shown by the handler, which the focus reaches only
    // once the desktop has activated it.
    QPointer<QWidget> awaitedWindow;
    QString awaitedNews;
    // Each window's last few voices, the newest last.
    QHash<const QWidget *, QList<QAccessible::Id>> notifications;
    QHash<const QWidget *, QString> lastNotification;
    // The focus moves of a handler reach the screen reader once, when the
    // handler has ended and every control says what it should.
    bool holdingFocus = false;
    QPointer<QObject> heldFocus;
    // So does the news a handler takes from the control that carried it: the
    // handler may unload its window, which is then told nothing.
    QPointer<QWidget> staleCarrier;
    // Windows unloaded and waiting for their deletion: their controls may be
    // half deleted, and a screen reader asking about them would find nothing.
    QSet<const QWidget *> leaving;
};

Narration &narration()
{
    static Narration state;
    return state;
}

bool listening()
{
    return narration().always || QAccessible::isActive();
}

// The widget an object belongs to: itself, or the control or window that owns
// it (a menu item, a timer).
const QWidget *ownerWidget(const QObject *object)
{
    while (object && !object->isWidgetType())
        object = object->parent();
    return static_cast<const QWidget *>(object);
}

// A control of a window that is going away or being destroyed now: nothing of
// it may be read, written or announced. QPointer and window() still answer for
// a window in its destructor, while its children are being deleted; its own
// accessible interface no longer does.
bool gone(const QObject *object)
{
    const QWidget *widget = ownerWidget(object);
    if (!widget)
        return false;
    QWidget *window = widget->window();
    if (narration().leaving.contains(window))
        return true;
    const QAccessibleInterface *self = QAccessible::queryAccessibleInterface(window);
    return !self || !self->isValid();
}

QString joined(const QString &first, const QString &second)
{
    if (first.isEmpty())
        return second;
    if (second.isEmpty())
        return first;
    return first + QLatin1Char(' ') + second;
}

QList<QWidget *> narratedWindows()
{
    QList<QWidget *> windows;
    // A window unloaded but not yet deleted is no longer the program's.
    for (QWidget *window : accessibility::describedWindows())
        if (narratorFor(window) && !gone(window))
            windows << window;
    return windows;
}

QString standingDescription(const QWidget *control)
{
    if (gone(control))
        return {};
    const WindowNarrator *narrator = narratorFor(control->window());
    return narrator ? narrator->standing(narrator->read(control->window())).value(control->objectName()).description
                    : QString();
}

void setDescription(QWidget *control, const QString &description)
{
    if (control->accessibleDescription() != description)
        control->setAccessibleDescription(description);
}

// What the control says of itself, without news.
void sayStanding(QWidget *control)
{
    if (control && !gone(control))
        setDescription(control, standingDescription(control));
}

// The news carried so far is over; returns the control that carried it.
QPointer<QWidget> takeCarrier()
{
    Narration &n = narration();
    n.carried.clear();
    return std::exchange(n.carrier, nullptr);
}

void dropCarriedNews()
{
    sayStanding(takeCarrier());
}

// The control that carried the news says what it says without it.
void endLingeringNews()
{
    Narration &n = narration();
    QPointer<QWidget> control = std::exchange(n.lingering, nullptr);
    if (control != n.carrier)
        sayStanding(control);
}

// The focus has left the control that carried the news, maybe at once, by
// the pupil's next key: a screen reader may not have read it yet, and reads
// it when it gets to the focus event. The control keeps saying the news a
// while longer, until the focus comes back to it or it carries new news.
void dropCarriedNewsLater()
{
    constexpr int kReadingTimeMs = 3000;
    QPointer<QWidget> carrier = takeCarrier();
    if (!carrier || gone(carrier))
        return;
    endLingeringNews();
    narration().lingering = carrier;
    QTimer::singleShot(kReadingTimeMs, carrier, [carrier] {
        if (narration().lingering == carrier)
            endLingeringNews();
    });
}

void carry(QWidget *control, const QString &news, const QString &standing)
{
    Narration &n = narration();
    if (n.lingering == control)
        n.lingering.clear();
    n.carrier = control;
    n.carried = news;
    setDescription(control, joined(news, standing));
}

void watchFocus()
{
    Narration &n = narration();
    if (n.watchingFocus || !qApp)
        return;
    n.watchingFocus = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget *old, QWidget *now) {
        Narration &n = narration();
        // A window's destructor takes the focus from its control, and the
        // control of a window going away is no place for news.
        if (now && gone(now))
            now = nullptr;
        if (ui::handlerRunning() && now)
            n.arrivals.insert(now);
        if (old && old == n.carrier)
            dropCarriedNewsLater();
        // Back at the control whose news was told: it is old news now.
        if (now && now == n.lingering)
            endLingeringNews();
        if (now && n.awaitedWindow && now->window() == n.awaitedWindow) {
            n.awaitedWindow.clear();
            carry(now, std::exchange(n.awaitedNews, QString()), standingDescription(now));
        }
    });
}

void setSkippedByTab(QWidget *control, bool skipped)
{
    static const char kSkipped[] = "narrationSkipsTab";
    if (control->property(kSkipped).toBool() == skipped)
        return;
    control->setProperty(kSkipped, skipped);
    const Qt::FocusPolicy policy = control->focusPolicy();
    control->setFocusPolicy(skipped ? Qt::FocusPolicy(policy & ~Qt::TabFocus) : Qt::FocusPolicy(policy | Qt::TabFocus));
}

// A list's items named as the window says; the text on screen stays.
void nameItems(QAbstractItemView *view, const QStringList &names)
{
    QAbstractItemModel *model = view->model();
    if (!model)
        return;
    for (int row = 0; row < model->rowCount() && row < names.size(); ++row) {
        const QModelIndex index = model->index(row, 0);
        if (model->data(index, Qt::AccessibleTextRole).toString() != names[row])
            model->setData(index, names[row], Qt::AccessibleTextRole);
    }
}

void applyStanding(QWidget *window, const QHash<QString, Spoken> &standing)
{
    const Narration &n = narration();
    for (auto it = standing.begin(); it != standing.end(); ++it) {
        QWidget *control = window->findChild<QWidget *>(it.key());
        if (!control) {
            // A menu item: whether it is the option chosen, for its interface to tell.
            if (auto *item = window->findChild<QAction *>(it.key()); item && it->chosen >= 0)
                item->setProperty(accessibility::kChosenProperty, it->chosen == 1);
            continue;
        }
        if (!it->name.isNull() && control->accessibleName() != it->name)
            control->setAccessibleName(it->name);
        setDescription(control, control == n.carrier ? joined(n.carried, it->description) : it->description);
        if (auto *view = qobject_cast<QAbstractItemView *>(control))
            nameItems(view, it->items);
        setSkippedByTab(control, it->skippedByTab);
    }
}

void forgetVoices(const QWidget *window)
{
    for (const QAccessible::Id id : narration().notifications.take(window))
        QAccessible::deleteAccessibleInterface(id);
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
// The message travels in the event itself: a screen reader says it without a
// role word, and a later message cannot overwrite it before it is read.
void announce(QWidget *window, const QString &message)
{
    QAccessibleAnnouncementEvent said(window, message);
    QAccessible::updateAccessibility(&said);
}
#else
// A voice of its own for each message, kept while a few more follow: a
// screen reader reads the message when it gets to it, maybe after the pupil's
// next key has brought the next one.
void announce(QWidget *window, const QString &message)
{
    constexpr qsizetype kVoicesKept = 4;
    Narration &n = narration();
    auto *notification = new Notification(window);
    notification->say(message);
    QList<QAccessible::Id> &voices = n.notifications[window];
    voices << QAccessible::registerAccessibleInterface(notification);
    if (voices.size() > kVoicesKept)
        QAccessible::deleteAccessibleInterface(voices.takeFirst());
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
#endif

void notify(QWidget *window, const QString &message)
{
    Narration &n = narration();
    if (gone(window))
        return;
    if (!n.lastNotification.contains(window))
        QObject::connect(window, &QObject::destroyed, qApp, [window] {
            narration().lastNotification.remove(window);
            forgetVoices(window);
        });
    n.lastNotification[window] = message;
    announce(window, message);
}

// What a control says of itself as the focus arrives, besides its role.
QString saidBy(QWidget *control)
{
    QAccessibleInterface *self = control ? QAccessible::queryAccessibleInterface(control) : nullptr;
    return self ? joined(self->text(QAccessible::Name), self->text(QAccessible::Description)) : QString();
}

// The focus control says the news when the focus arrived at it during the
// handler; otherwise the window announces it, or, with no news, what the
// focused control now says of itself if that changed (a button's new caption,
// a new letter asked in the same box).
void tell(QWidget *window, const WindowNarrator &narrator, const Snapshot &before, const Snapshot &after)
{
    Narration &n = narration();
    const QString news = narrator.news(before, after, n.origin);
    QWidget *focus = QApplication::focusWidget();
    const bool focusHere = focus && focus->window() == window && !gone(focus);
    const Spoken now = narrator.standing(after).value(focusHere ? focus->objectName() : QString());

    if (!focusHere) {
        n.awaitedWindow = news.isEmpty() ? nullptr : window;
        n.awaitedNews = news;
        return;
    }
    if (n.arrivals.contains(focus)) {
        if (!news.isEmpty() && !now.description.contains(news))
            carry(focus, news, now.description);
        return;
    }
    QString message = news;
    if (message.isEmpty() && !n.originIsTimer && focus == n.focusBefore && saidBy(focus) != n.focusSaidBefore)
        message = saidBy(focus);
    if (!message.isEmpty())
        notify(window, message);
}

// Every accessibility event passes here on its way to the screen reader.
void passOn(QAccessibleEvent *event);

void forward(QAccessibleEvent *event)
{
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(passOn);
}

bool isTextEvent(QAccessible::Event type)
{
    switch (type) {
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
        return true;
    default:
        return false;
    }
}

void passOn(QAccessibleEvent *event)
{
    Narration &n = narration();
    // Qt's bridge does nothing with it, and the list's own bookkeeping has run.
    if (event->type() == QAccessible::TableModelChanged)
        return;
    // What is going away cannot be read back: a screen reader told of it
    // would ask about an object that is no longer there.
    QAccessibleInterface *target = event->accessibleInterface();
    if (!target || !target->isValid() || gone(event->object()))
        return;
    // A window still being built has no place on the desktop yet; what its
    // controls say before they have their names and their own interfaces
    // names interfaces that nobody could read back.
    if (const QWidget *owner = ownerWidget(event->object()); owner && !owner->window()->testAttribute(Qt::WA_WState_Created))
        return;
    auto *widget = qobject_cast<QWidget *>(event->object());
    // A screen reader follows the text of the focused control only, as the pupil
    // types, and reads a control afresh when the focus arrives. What a handler
    // writes into a box is not typing: the edit of a box the focus is about to
    // enter would be taken for the focus move, and the ten words of a random
    // list passing through the entry box flood the screen reader, which then
    // drops the news.
    if (isTextEvent(event->type())) {
        if (n.holdingFocus || (widget && !widget->hasFocus()))
            return;
        // The box that waits for Enter shows no text and offers none: what is
        // typed there is nothing a screen reader could read.
        if (!target->textInterface())
            return;
    }
    // Focus moves in our windows wait for the end of the handler; those in a
    // message box go out at once, since the box waits for the pupil.
    if (event->type() == QAccessible::Focus && n.holdingFocus && widget && narratorFor(widget->window())) {
        n.heldFocus = widget;
        return;
    }
    if (event->type() == QAccessible::DescriptionChanged && n.holdingFocus && widget && widget == n.staleCarrier)
        return;
    forward(event);
}

void releaseFocus()
{
    Narration &n = narration();
    n.holdingFocus = false;
    if (QWidget *stale = std::exchange(n.staleCarrier, nullptr); stale && !gone(stale)) {
        QAccessibleEvent changed(stale, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
    QObject *held = std::exchange(n.heldFocus, nullptr);
    if (!held)
        return;
    // The focus may still be in the window the handler unloaded, until the
    // desktop activates the next one.
    QObject *focus = QApplication::focusWidget();
    if (!focus || gone(focus))
        focus = held;
    if (gone(focus))
        return;
    QAccessibleEvent moved(focus, QAccessible::Focus);
    QAccessible::updateAccessibility(&moved);
}

void begin(const QObject *origin)
{
    Narration &n = narration();
    n.holdingFocus = true;
    watchFocus();
    n.origin = origin ? origin->objectName() : QString();
    n.originIsTimer = qobject_cast<const QTimer *>(origin) != nullptr;
    n.arrivals.clear();
    // News carried by the focused control is old once the pupil acts again.
    if (!n.originIsTimer) {
        n.staleCarrier = n.carrier;
        dropCarriedNews();
    }
    n.focusBefore = QApplication::focusWidget();
    if (gone(n.focusBefore))
        n.focusBefore.clear();
    n.focusSaidBefore = saidBy(n.focusBefore);
    n.before.clear();
    for (QWidget *window : narratedWindows())
        n.before.insert(window, narratorFor(window)->read(window));
}

void end()
{
    Narration &n = narration();
    // The window the pupil is at: only one is on screen at a time.
    const QWidget *focus = QApplication::focusWidget();
    QWidget *pupilWindow = focus && !gone(focus) && focus->window()->isVisible() ? focus->window() : nullptr;
    for (QWidget *window : narratedWindows())
        if (!pupilWindow && window->isVisible())
            pupilWindow = window;
    for (QWidget *window : narratedWindows()) {
        const WindowNarrator *narrator = narratorFor(window);
        const Snapshot after = narrator->read(window);
        applyStanding(window, narrator->standing(after));
        if (window == pupilWindow)
            tell(window, *narrator, n.before.value(window), after);
    }
    n.before.clear();
    n.arrivals.clear();
    releaseFocus();
}

// The outermost handler, when a screen reader listens, tells it what changed.
class HandlerNarration : public ui::HandlerObserver
{
public:
    void handlerStarted(const QObject *origin) override
    {
        if ((narration().narrating = listening()))
            begin(origin);
    }
    void handlerEnded() override
    {
        if (narration().narrating)
            end();
    }
};

} // namespace

const WindowNarrator *narratorFor(const QWidget *window)
{
    const accessibility::WindowDescription *description = accessibility::descriptionOf(window);
    return description ? description->narrator : nullptr;
}

void install()
{
    static HandlerNarration handlers;
    ui::setHandlerObserver(&handlers);
    QAccessible::installUpdateHandler(passOn);
}

void present(QWidget *window)
{
    if (const WindowNarrator *narrator = narratorFor(window))
        applyStanding(window, narrator->standing(narrator->read(window)));
}

void withdraw(QWidget *window)
{
    Narration &n = narration();
    if (!window || n.leaving.contains(window))
        return;
    n.leaving.insert(window);
    QObject::connect(window, &QObject::destroyed, qApp, [window] { narration().leaving.remove(window); });
    n.before.remove(window);
    n.arrivals.clear();
    const auto inWindow = [window](const QObject *object) {
        const QWidget *owner = ownerWidget(object);
        return owner && owner->window() == window;
    };
    if (inWindow(n.carrier)) {
        n.carrier.clear();
        n.carried.clear();
    }
    if (n.awaitedWindow == window) {
        n.awaitedWindow.clear();
        n.awaitedNews.clear();
    }
    if (inWindow(n.heldFocus))
        n.heldFocus.clear();
    if (inWindow(n.focusBefore))
        n.focusBefore.clear();
    // Its voice goes with it: a screen reader that asks finds it gone, not
    // half there.
    forgetVoices(window);
}

void setAlwaysNarrate(bool on)
{
    narration().always = on;
}

QString lastNotification(const QWidget *window)
{
    return narration().lastNotification.value(window);
}

void forgetNotifications()
{
    narration().lastNotification.clear();
}

} // namespace narration
