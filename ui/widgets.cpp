// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets.h"

#include "ui/handler.h"
#include "platform/textcodes.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionButton>

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

namespace {

QRect indicatorRect(const QStyle *style, const QStyleOptionButton &option, const QWidget *widget)
{
    QRect box = style->subElementRect(QStyle::SE_RadioButtonIndicator, &option, widget);
    box.moveTop((option.rect.height() - box.height()) / 2);
    return box;
}

} // namespace

QRect WrappingRadioButton::captionRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect indicator = indicatorRect(style(), option, this);
    const int gap = style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, this);
    return option.rect.adjusted(indicator.right() + 1 + gap, 2, -2, -2);
}

void WrappingRadioButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton indicator = option;
    indicator.rect = indicatorRect(style(), option, this);
    style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &indicator, &painter, this);

    const QRect textArea = captionRect();
    style()->drawItemText(&painter, textArea, kCaptionFlags, option.palette, isEnabled(), text(), QPalette::WindowText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(textArea, kCaptionFlags, text()).adjusted(-1, 0, 1, 0);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

bool WrappingRadioButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

namespace {

class KeyPressFilter : public QObject
{
public:
    KeyPressFilter(QLineEdit *box, KeyPressHandler handler) : QObject(box), m_box(box), m_handler(std::move(handler)) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The type first: the box's destructor sends it a focus-out while it is
        // no longer a QLineEdit, and m_box would be read as one.
        if (event->type() != QEvent::KeyPress || watched != m_box)
            return false;
        if (isUnmatchedAccessKey(*static_cast<QKeyEvent *>(event)))
            return true;
        const int code = characterCode(*static_cast<QKeyEvent *>(event));
        if (code < 0)
            return false;
        Int16 keyAscii = code;
        bool handled = false;
        runHandler(m_box, [&] {
            m_handler(keyAscii);
            handled = true;
        });
        if (!handled || keyAscii == code)
            return false;
        if (keyAscii != 0 && m_box)
            m_box->insert(QString(text::ansiChar(keyAscii)));
        return true;
    }

private:
    // Alt with a character that no access key took: it types nothing, rather
    // than the bare character. Ctrl+Alt is left alone, as it may be AltGr.
    static bool isUnmatchedAccessKey(const QKeyEvent &key)
    {
        const Qt::KeyboardModifiers mods = key.modifiers() & (Qt::ControlModifier | Qt::AltModifier);
        return mods == Qt::AltModifier && !key.text().isEmpty() && key.text().front().isPrint();
    }

    static int characterCode(const QKeyEvent &key)
    {
        if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
            return text::kEnterCode;
        if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return -1;
        const QString typed = key.text();
        if (typed.isEmpty())
            return -1;
        const QChar first = typed.front();
        if (first == QLatin1Char('\b'))
            return 8;
        if (first.unicode() < 32 || first.unicode() == 127)
            return -1;
        return typed.size() == 1 ? text::ansiCode(first) : '?';
    }

    QPointer<QLineEdit> m_box;
    KeyPressHandler m_handler;
};

} // namespace

void onKeyPress(QLineEdit *box, KeyPressHandler handler)
{
    box->installEventFilter(new KeyPressFilter(box, std::move(handler)));
}
