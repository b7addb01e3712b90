#include "platform/messagebox.h"

#include "platform/textcodes.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

void MessageBoxPresenter::present(const QString &prompt, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text::displayLines(prompt), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void ShowMessage(const QString &prompt, const QString &title)
{
    messagePresenter().present(prompt, title);
}

QString aboutText()
{
    return QStringLiteral("Lupreda, a cura del gruppo di sviluppo di Lupreda") + QLatin1Char('\r')
           + QStringLiteral("Luglio 1996") + QLatin1Char('\r')
           + QStringLiteral("Versione Qt, tratta dal programma originale per Windows");
}

void AboutBox()
{
    ShowMessage(aboutText(), QStringLiteral("Lupreda"));
}

} // namespace platform
