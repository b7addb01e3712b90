// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Points the program's player at a sound server that is not there: a socket
// that does not exist, in a home of its own, so that neither the user's
// server nor its settings stand in for the missing one. Make it before the
// QApplication, while no other thread reads the environment.

#include <QFile>
#include <QTemporaryDir>

class NoSoundServer
{
public:
    NoSoundServer()
    {
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_home.path()));
        qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(m_home.filePath(QStringLiteral("no-server"))));
    }

private:
    QTemporaryDir m_home;
};
