// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace monkey {

// Writes the seed and the last events to fd; safe in a signal handler.
void writeCrashReport(int fd);

// The last events of a run, kept so that a failure, a hang or a crash can be
// replayed: it prints the seed, the number of the event and the events before it.
class EventLog
{
public:
    static constexpr int kKept = 20;

    explicit EventLog(std::uint64_t seed);
    ~EventLog();
    EventLog(const EventLog &) = delete;
    EventLog &operator=(const EventLog &) = delete;

    // Called before the event is performed, so that a hang or a crash in it
    // still names it.
    void begin(long number, const QString &description);
    void end();

    // The replay report, with a first line saying what went wrong.
    std::string report(const std::string &problem) const;

    std::uint64_t seed() const { return m_seed; }
    long current() const { return m_current.load(); }
    // Milliseconds the current event has been running; 0 between events.
    std::int64_t busyMillis() const;

private:
    friend void writeCrashReport(int fd);

    std::uint64_t m_seed;
    mutable std::mutex m_mutex;
    std::array<std::string, kKept> m_ring;
    std::atomic<long> m_current{0};
    std::atomic<std::int64_t> m_startedAt{0};   // steady clock, ms; 0: idle
};

// Fails the run when one event takes longer than the limit: the program hung.
class Watchdog
{
public:
    Watchdog(const EventLog &log, std::chrono::milliseconds limit);
    ~Watchdog();

private:
    void watch();

    const EventLog &m_log;
    const std::chrono::milliseconds m_limit;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace monkey
