// SPDX-License-Identifier: GPL-3.0-or-later
#include "monkey/eventlog.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// Under AddressSanitizer a report ends the process; this hook still prints the replay.
extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace monkey {

namespace {

EventLog *g_log = nullptr;
constexpr int kSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};
struct sigaction g_previous[std::size(kSignals)];

std::int64_t nowMillis()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void writeText(int fd, const char *text)
{
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t written = ::write(fd, text, left);
        if (written <= 0)
            return;
        text += written;
        left -= std::size_t(written);
    }
}

void onFatalSignal(int signal)
{
    writeCrashReport(STDERR_FILENO);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        if (kSignals[i] == signal)
            sigaction(signal, &g_previous[i], nullptr);
    }
    std::raise(signal);
}

void onSanitizerDeath() { writeCrashReport(STDERR_FILENO); }

} // namespace

// Runs in a signal handler: no locks, no allocation.
void writeCrashReport(int fd)
{
    if (!g_log)
        return;
    char line[96];
    std::snprintf(line, sizeof line, "\nmonkey: crashed at event %ld, seed %llu; the last events:\n",
                  g_log->m_current.load(), static_cast<unsigned long long>(g_log->m_seed));
    writeText(fd, line);
    const long last = g_log->m_current.load();
    for (long n = std::max(1L, last - EventLog::kKept + 1); n <= last; ++n) {
        writeText(fd, g_log->m_ring[std::size_t(n % EventLog::kKept)].c_str());
        writeText(fd, "\n");
    }
}

EventLog::EventLog(std::uint64_t seed) : m_seed(seed)
{
    g_log = this;
    struct sigaction action = {};
    action.sa_handler = onFatalSignal;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &action, &g_previous[i]);
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(onSanitizerDeath);
}

EventLog::~EventLog()
{
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &g_previous[i], nullptr);
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(nullptr);
    g_log = nullptr;
}

void EventLog::begin(long number, const QString &description)
{
    {
        const std::lock_guard lock(m_mutex);
        std::string &entry = m_ring[std::size_t(number % kKept)];
        entry = "  #" + std::to_string(number) + " " + description.toStdString();
    }
    m_current = number;
    m_startedAt = nowMillis();
}

void EventLog::end() { m_startedAt = 0; }

std::int64_t EventLog::busyMillis() const
{
    const std::int64_t started = m_startedAt.load();
    return started == 0 ? 0 : nowMillis() - started;
}

std::string EventLog::report(const std::string &problem) const
{
    const std::lock_guard lock(m_mutex);
    const long last = m_current.load();
    std::string text = "monkey: " + problem + "\nmonkey: at event " + std::to_string(last) + ", seed "
                       + std::to_string(m_seed) + " (replay: LUPREDA_MONKEY_SEED=" + std::to_string(m_seed)
                       + " LUPREDA_MONKEY_EVENTS=" + std::to_string(last) + "); the last events:\n";
    for (long n = std::max(1L, last - kKept + 1); n <= last; ++n)
        text += m_ring[std::size_t(n % kKept)] + "\n";
    return text;
}

Watchdog::Watchdog(const EventLog &log, std::chrono::milliseconds limit)
    : m_log(log), m_limit(limit), m_thread([this] { watch(); })
{
}

Watchdog::~Watchdog()
{
    m_stop = true;
    m_thread.join();
}

void Watchdog::watch()
{
    while (!m_stop) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (m_log.busyMillis() > m_limit.count()) {
            const std::string text =
                m_log.report("an event has run for more than " + std::to_string(m_limit.count()) + " ms: hung");
            writeText(STDERR_FILENO, text.c_str());
            std::_Exit(3);
        }
    }
}

} // namespace monkey
