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

// Why Qt found no screen, as far as the environment tells.
QString missingScreenCause()
{
    if (!environmentValue("QT_QPA_PLATFORM").isEmpty())
        return QStringLiteral("la piattaforma \"%1\" non si avvia").arg(environmentValue("QT_QPA_PLATFORM"));
    if (!environmentValue("WAYLAND_DISPLAY").isEmpty() || !environmentValue("DISPLAY").isEmpty()) {
        QStringList displays;
        for (const char *name : {"WAYLAND_DISPLAY", "DISPLAY"})
            if (!environmentValue(name).isEmpty())
                displays << QStringLiteral("%1=%2").arg(QLatin1String(name), environmentValue(name));
        return QStringLiteral("nessun server grafico risponde a %1").arg(displays.join(QStringLiteral(", ")));
    }
    return QStringLiteral("DISPLAY e WAYLAND_DISPLAY non sono impostate");
}

[[noreturn]] void failStart(const QString &fatal)
{
    const QString line = fatal.contains(QLatin1String("platform plugin"))
                             ? QStringLiteral("lupreda: nessuno schermo disponibile (%1)").arg(missingScreenCause())
                             : QStringLiteral("lupreda: avvio non riuscito (%1)").arg(fatal.section(QLatin1Char('\n'), 0, 0));
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
