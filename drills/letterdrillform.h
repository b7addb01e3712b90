#pragma once

#include "app/controlbuilder.h"
#include "app/forms.h"

#include <QMainWindow>

// The window shared by the two letter drills.
class LetterDrillForm : public QMainWindow, public Form
{
    Q_OBJECT
public:
    QWidget *widget() override { return this; }

    void Command4_Click();

protected:
    explicit LetterDrillForm(const ui::WindowSpec &window);
    void closeEvent(QCloseEvent *event) override;
};
