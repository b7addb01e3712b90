// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startupmessages.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <unistd.h>

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

// Qt may log from its own threads while the application object is built.
QMutex g_heldLock;
QList<HeldMessage> g_held;
QtMessageHandler g_previous = nullptr;

QString environmentValue(const char *name)
{
    return QString::fromLocal8Bit(qgetenv(name));
}

// The environment that chose the screen, as far as it is set.
QString screenSettings()
{
    QStringList settings;
    for (const char *name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"})
        if (!environmentValue(name).isEmpty())
            settings << QStringLiteral("%1=%2").arg(QLatin1String(name), environmentValue(name));
    return settings.isEmpty() ? QStringLiteral("DISPLAY e WAYLAND_DISPLAY non sono impostate")
                              : settings.join(QStringLiteral(", "));
}

// Qt's own reasons, in the order it gave them: what each platform plugin it
// tried said. Called with the held messages locked.
QStringList platformReasons()
{
    QStringList reasons;
    for (const HeldMessage &message : std::as_const(g_held)) {
        const QString reason = message.text.simplified();
        if (message.category.startsWith("qt.qpa") && !reason.isEmpty() && !reasons.contains(reason))
            reasons << reason;
    }
    return reasons;
}

[[noreturn]] void failStart(const QString &fatal)
{
    QString line;
    if (fatal.contains(QLatin1String("platform plugin"))) {
        const QMutexLocker lock(&g_heldLock);
        QStringList reasons = platformReasons();
        if (reasons.isEmpty())
            reasons << fatal.section(QLatin1Char('\n'), 0, 0);
        line = QStringLiteral("lupreda: nessuno schermo disponibile (%1): %2").arg(screenSettings(), reasons.join(QStringLiteral("; ")));
        if (line.contains(QLatin1String("Could not find the Qt platform plugin \"wayland\"")))
            line += QStringLiteral(" - il modulo di Qt per Wayland \u00e8 nel pacchetto qt6-wayland");
    } else {
        line = QStringLiteral("lupreda: avvio non riuscito (%1)").arg(fatal.section(QLatin1Char('\n'), 0, 0));
    }
    std::fputs(qPrintable(line + QLatin1Char('\n')), stderr);
    // No abort and no core dump: nothing has started that needs ending.
    _exit(1);
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg)
        failStart(text);
    const QMutexLocker lock(&g_heldLock);
    g_held.append({type, QByteArray(context.category), text});
}

} // namespace

void holdStartupMessages()
{
    g_previous = qInstallMessageHandler(holdMessage);
}

void releaseStartupMessages()
{
    qInstallMessageHandler(g_previous);
    QList<HeldMessage> held;
    {
        const QMutexLocker lock(&g_heldLock);
        held.swap(g_held);
    }
    for (const HeldMessage &message : std::as_const(held)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
}
