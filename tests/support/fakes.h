// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"

#include <QList>
#include <QPair>
#include <QStringList>

#include <functional>

// A clock that stands still unless the test moves it.
class FakeClock : public platform::Clock
{
public:
    std::uint64_t now() const override { return value; }
    std::uint64_t value = 1'000'000'000;
};

// Records each message box instead of showing it; onShow runs while the
// "box" is open, as a pupil's actions would.
class RecordingMessages : public platform::MessagePresenter
{
public:
    void present(const QString &prompt, const QString &title) override;
    QList<QPair<QString, QString>> shown;
    std::function<void()> onShow;
};

// Records what the windows' players are told, in order: "file <path>",
// "close", "open", "play".
class SoundLog
{
public:
    QStringList entries;
    // The paths of the cues given so far, one per "play".
    QStringList playedFiles() const;
};

// Installs the fakes for as long as it lives.
class FakePlatform
{
public:
    FakePlatform();
    ~FakePlatform();
    FakePlatform(const FakePlatform &) = delete;
    FakePlatform &operator=(const FakePlatform &) = delete;

    void clear();
    // Puts the recording player back after a test used the real one.
    void installSoundFake();

    FakeClock clock;
    RecordingMessages messages;
    SoundLog sound;
};
