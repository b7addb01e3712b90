// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services.h"

#include "platform/soundmodule.h"

#include <chrono>

namespace platform {

namespace {

class SystemClock : public Clock
{
public:
    std::uint64_t now() const override
    {
        using namespace std::chrono;
        return std::uint64_t(duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count());
    }
};

// Before the window toolkit gives its message boxes, a message has nowhere
// else to go.
class LogPresenter : public MessagePresenter
{
public:
    void present(const QString &prompt, const QString &title) override
    {
        qWarning("%s: %s", qPrintable(title), qPrintable(prompt));
    }
};

Clock *g_clock = nullptr;
MessagePresenter *g_presenter = nullptr;
MessagePresenter *g_systemPresenter = nullptr;
SoundOutputFactory g_soundFactory;

} // namespace

Clock &clock()
{
    static SystemClock systemClock;
    return g_clock ? *g_clock : systemClock;
}

MessagePresenter &messagePresenter()
{
    static LogPresenter log;
    if (g_presenter)
        return *g_presenter;
    return g_systemPresenter ? *g_systemPresenter : log;
}

std::unique_ptr<SoundOutput> createSoundOutput()
{
    return g_soundFactory ? g_soundFactory() : createModuleSoundOutput();
}

void setClock(Clock *clock) { g_clock = clock; }
void setMessagePresenter(MessagePresenter *presenter) { g_presenter = presenter; }
void setSystemMessagePresenter(MessagePresenter *presenter) { g_systemPresenter = presenter; }
void setSoundOutputFactory(SoundOutputFactory factory) { g_soundFactory = std::move(factory); }

} // namespace platform
