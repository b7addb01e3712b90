// SPDX-License-Identifier: GPL-3.0-or-later
// iconrender: renders the Lupreda SVG icon to a square PNG at build time.
// Usage: iconrender <input.svg> <output.png> <size>

#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <QSvgRenderer>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

// Qt's own diagnostics (e.g. SVG parse errors), gathered so a failure is
// reported on a single line.
QStringList qtMessages;

void collectMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    qtMessages.append(message.simplified());
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: iconrender <input.svg> <output.png> <size>\n");
        return 2;
    }

    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    bool ok = false;
    const int size = QString::fromLocal8Bit(argv[3]).toInt(&ok);
    if (!ok || size < 1 || size > 4096) {
        std::fprintf(stderr, "iconrender: invalid size '%s'\n", argv[3]);
        return 2;
    }

    qInstallMessageHandler(collectMessage);
    QSvgRenderer renderer;
    const bool loaded = renderer.load(input) && renderer.isValid();
    qInstallMessageHandler(nullptr);
    if (!loaded) {
        const QString reason = qtMessages.isEmpty() ? QString() : QStringLiteral(": ") + qtMessages.join(QStringLiteral("; "));
        std::fprintf(stderr, "iconrender: cannot load SVG '%s'%s\n", argv[1], reason.toLocal8Bit().constData());
        return 1;
    }
    for (const QString &message : std::as_const(qtMessages))
        std::fprintf(stderr, "iconrender: warning: %s\n", message.toLocal8Bit().constData());

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        std::fprintf(stderr, "iconrender: cannot allocate a %dx%d image\n", size, size);
        return 1;
    }
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }

    if (!image.save(output, "PNG")) {
        std::fprintf(stderr, "iconrender: cannot write PNG '%s'\n", argv[2]);
        return 1;
    }
    return EXIT_SUCCESS;
}
