// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QListWidget;
class WordOrderForm;

// The keys that let a pupil who cannot see the window play it alone, all of
// them keys the window leaves free: F5 draws a random list as a click on
// "ELENCO CASUALE" does; F6 and Shift+F6 go round the entry box and the two
// lists; in a list, Ctrl with Up, Down, Home or End moves the focus between
// the words without moving one, and Space moves the word with the focus, as
// a click on it does. Every other key keeps its own behaviour, and so do
// these in a list reached otherwise than by F6 (Ctrl with an arrow there
// moves the first word, as it always has).
class WordOrderKeys : public QObject
{
public:
    explicit WordOrderKeys(WordOrderForm *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cycleFocus(int step);
    static bool browse(QListWidget *list, int key);
    static void take(QListWidget *list);

    WordOrderForm *m_window;
    // The list F6 brought the focus to, until the focus leaves it.
    QListWidget *m_browsing = nullptr;
};
