// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility/narratortools.h"

#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QWidget>

namespace narration {

QString caption(const QWidget *window, const char *label)
{
    const auto *found = window->findChild<QLabel *>(QLatin1String(label));
    return found ? found->text().trimmed() : QString();
}

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QString();
}

bool shown(const QWidget *window, const char *control)
{
    const auto *found = window->findChild<QWidget *>(QLatin1String(control));
    return found && !found->isHidden();
}

QStringList items(const QWidget *window, const char *list)
{
    QStringList texts;
    if (const auto *found = window->findChild<QListWidget *>(QLatin1String(list)))
        for (int i = 0; i < found->count(); ++i)
            texts << found->item(i)->text();
    return texts;
}

QString spoken(QString text)
{
    text.remove(QLatin1String("..."));
    text.remove(QChar(0x2026));
    text.replace(QRegularExpression(QStringLiteral("\\s*:\\s*")), QStringLiteral(", "));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(',')))
        text.chop(1);
    return text.trimmed();
}

QString sentences(const QStringList &parts)
{
    QStringList kept;
    for (QString part : parts) {
        part = spoken(part);
        if (part.isEmpty())
            continue;
        if (!part.endsWith(QLatin1Char('.')) && !part.endsWith(QLatin1Char('?')) && !part.endsWith(QLatin1Char('!')))
            part += QLatin1Char('.');
        kept << part;
    }
    return kept.join(QLatin1Char(' '));
}

Spoken named(const char *name)
{
    return {QString::fromUtf8(name), QString()};
}

} // namespace narration
