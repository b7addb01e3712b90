// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/messageboxpresenter.h"

#include "ui/programfont.h"
#include "platform/textcodes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace ui {

namespace {

// A title bar's font is the desktop's, often larger than the windows' text and
// bold; its frame may put an icon and up to three buttons of a large theme on
// each side of the title.
constexpr double kTitleBarPoints = 12;
constexpr int kTitleBarButtons = 3 * 32 + 32;

} // namespace

int widthForTitle(const QString &title)
{
    return QFontMetrics(uiFont(kTitleBarPoints)).horizontalAdvance(title) + 2 * kTitleBarButtons;
}

void MessageBoxPresenter::present(const QString &prompt, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text::displayLines(prompt), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    // The windows' own typeface and size, not the desktop's.
    box.setFont(uiFont(kWindowFontPoints));
    // The box sizes itself to its layout, so the room for the title is a
    // spacer under its text and button.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(widthForTitle(title), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
}

void installMessageBoxes()
{
    static MessageBoxPresenter messageBoxes;
    platform::setSystemMessagePresenter(&messageBoxes);
}

} // namespace ui
