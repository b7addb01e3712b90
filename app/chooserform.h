// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/programforms.h"
#include "ui/forms.h"

#include <QWidget>

class QRadioButton;

// The start-up window: three option buttons open the three exercises, and
// "ESCI" ends the program.
class ChooserForm : public QWidget, public Form
{
    Q_OBJECT
public:
    ChooserForm();

    QWidget *widget() override { return this; }
    void Form_Activate() override;

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Command1_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void openExercise(FormId exercise);
    static void clearOption(QRadioButton *option);
};
