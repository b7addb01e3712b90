// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

// The services the exercises need from the machine. Each sits behind a small
// interface so that tests can put a fake in its place.
namespace platform {

class Clock
{
public:
    virtual ~Clock() = default;
    // A reading that changes often (nanoseconds); only used to seed.
    virtual std::uint64_t now() const = 0;
};

class MessagePresenter
{
public:
    virtual ~MessagePresenter() = default;
    // A modal box with one OK button and no icon; returns when it is closed.
    virtual void present(const QString &prompt, const QString &title) = 0;
};

// The sound player behind a window's MMControl1, driven like a media control:
// a file name, then the commands "close", "open" and "play".
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    virtual void setFileName(const QString &path) = 0;
    virtual void command(const QString &verb) = 0;
};

using SoundOutputFactory = std::function<std::unique_ptr<SoundOutput>()>;

Clock &clock();
MessagePresenter &messagePresenter();
std::unique_ptr<SoundOutput> createSoundOutput();

// Tests install fakes; a null argument brings back the real service.
void setClock(Clock *clock);
void setMessagePresenter(MessagePresenter *presenter);
// The real message boxes, which the window toolkit gives at start-up; until
// then a message goes to the log.
void setSystemMessagePresenter(MessagePresenter *presenter);
void setSoundOutputFactory(SoundOutputFactory factory);

} // namespace platform
