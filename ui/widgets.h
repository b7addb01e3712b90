// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/checkedint.h"

#include <QLabel>
#include <QRadioButton>

#include <functional>

class QLineEdit;

// A label that reports clicks, as the exercise windows' labels do.
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

// An option button whose caption wraps onto as many lines as its width needs.
class WrappingRadioButton : public QRadioButton
{
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

    // Where the caption is drawn, and how.
    QRect captionRect() const;
    static constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

// Routes each character typed into a text box through a key handler that gets
// the character's single-byte code and may change it: to 0 to swallow the key,
// or to another code to type that character instead. Enter is code 13.
using KeyPressHandler = std::function<void(Int16 &keyAscii)>;
void onKeyPress(QLineEdit *box, KeyPressHandler handler);
