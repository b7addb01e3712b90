// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/messagebox.h"

namespace platform {

namespace {

QString &aboutText()
{
    static QString text;
    return text;
}

} // namespace

void ShowMessage(const QString &prompt, const QString &title)
{
    messagePresenter().present(prompt, title);
}

void setAboutText(const QString &text)
{
    aboutText() = text;
}

void AboutBox()
{
    ShowMessage(aboutText(), QStringLiteral("Lupreda"));
}

} // namespace platform
