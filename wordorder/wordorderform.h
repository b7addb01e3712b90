#pragma once

#include "app/forms.h"

#include <QMainWindow>

// The word-ordering exercise: put a list of words into alphabetical order.
class WordOrderForm : public QMainWindow, public Form
{
    Q_OBJECT
public:
    WordOrderForm();

    QWidget *widget() override { return this; }

    void Command2_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
};
