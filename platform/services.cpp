// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services.h"

#include "platform/messagebox.h"
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

Clock *g_clock = nullptr;
MessagePresenter *g_presenter = nullptr;
SoundOutputFactory g_soundFactory;

} // namespace

Clock &clock()
{
    static SystemClock systemClock;
    return g_clock ? *g_clock : systemClock;
}

MessagePresenter &messagePresenter()
{
    static MessageBoxPresenter messageBoxes;
    return g_presenter ? *g_presenter : messageBoxes;
}

std::unique_ptr<SoundOutput> createSoundOutput()
{
    return g_soundFactory ? g_soundFactory() : createModuleSoundOutput();
}

void setClock(Clock *clock) { g_clock = clock; }
void setMessagePresenter(MessagePresenter *presenter) { g_presenter = presenter; }
void setSoundOutputFactory(SoundOutputFactory factory) { g_soundFactory = std::move(factory); }

} // namespace platform
