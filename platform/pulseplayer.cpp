// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pulseplayer.h"

#include <pulse/pulseaudio.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

constexpr int kVoices = 8;
constexpr int kCommands = 64;

// The stream's buffer: 10 ms in all, so the sink runs a few milliseconds ahead
// of the speaker while a sound plays. The sound itself is handed over whole,
// beyond this target; the server holds it in the stream's queue.
constexpr pa_usec_t kTargetLatency = 10 * PA_USEC_PER_MSEC;
constexpr pa_usec_t kRequestSize = 2 * PA_USEC_PER_MSEC;
// The server keeps at most 4 MiB queued for a stream; a longer sound is cut.
constexpr std::size_t kMaxQueued = 4 * 1024 * 1024 - 64;
// A cue that waited this long for the server is not played any more.
constexpr pa_usec_t kStaleCue = 500 * PA_USEC_PER_MSEC;
// How long after a sound's end its stream is corked, so the sink may sleep.
constexpr pa_usec_t kCorkAfter = 300 * PA_USEC_PER_MSEC;
// How long a corked stream is kept. Even corked it holds the sink to its short
// latency, which costs other programs' sound some wake-ups; a pupil answers
// far more often than this, and a stream is made again in about a millisecond.
constexpr pa_usec_t kKeepIdle = 20 * PA_USEC_PER_SEC;
// Looking for the server again: first soon, then every two seconds.
constexpr pa_usec_t kFirstRetry = 250 * PA_USEC_PER_MSEC;
constexpr pa_usec_t kLongestRetry = 2 * PA_USEC_PER_SEC;

pa_sample_format_t sampleFormat(WaveData::Format format)
{
    switch (format) {
    case WaveData::Format::U8: return PA_SAMPLE_U8;
    case WaveData::Format::S16: return PA_SAMPLE_S16LE;
    case WaveData::Format::S24: return PA_SAMPLE_S24LE;
    case WaveData::Format::S32: return PA_SAMPLE_S32LE;
    case WaveData::Format::Float32: return PA_SAMPLE_FLOAT32LE;
    }
    return PA_SAMPLE_S16LE;
}

pa_sample_spec streamFormatOf(const WaveData &sound)
{
    return {sampleFormat(sound.format), std::uint32_t(sound.sampleRate), std::uint8_t(sound.channels)};
}

struct Command {
    enum Kind : std::uint8_t { Prepare, Play, Stop, Close } kind = Stop;
    int voice = 0;
    pa_usec_t at = 0;
    std::shared_ptr<const WaveData> sound;
};

// One producer (the user-interface thread), one consumer (the sound thread),
// no lock. When it is full a command is dropped; the sound thread empties it
// at every wake, and nothing it does waits on the server.
class CommandRing
{
public:
    bool push(Command command)
    {
        const std::uint32_t head = m_head.load(std::memory_order_relaxed);
        if (head - m_tail.load(std::memory_order_acquire) == kCommands)
            return false;
        m_slots[head % kCommands] = std::move(command);
        m_head.store(head + 1, std::memory_order_release);
        return true;
    }

    bool pop(Command &command)
    {
        const std::uint32_t tail = m_tail.load(std::memory_order_relaxed);
        if (tail == m_head.load(std::memory_order_acquire))
            return false;
        command = std::move(m_slots[tail % kCommands]);
        m_slots[tail % kCommands] = Command();
        m_tail.store(tail + 1, std::memory_order_release);
        return true;
    }

private:
    std::array<Command, kCommands> m_slots;
    std::atomic<std::uint32_t> m_head{0};
    std::atomic<std::uint32_t> m_tail{0};
};

} // namespace

// Everything below the public interface runs on the sound thread, inside the
// main loop's callbacks, except construction and destruction.
struct PulsePlayer::Engine {
    struct Voice {
        Engine *engine = nullptr;
        std::shared_ptr<const WaveData> sound; // what the next cue plays
        pa_stream *stream = nullptr;
        pa_sample_spec streamFormat{};
        bool corked = true;
        bool cuePending = false;
        pa_usec_t cueAt = 0;
        pa_operation *inFlight = nullptr; // the last cue's flush, until the server answers it
        pa_usec_t sentAt = 0;             // when that cue went to the server
        pa_time_event *timer = nullptr; // corks a stream that has played, drops one long idle
    };

    pa_threaded_mainloop *loop = nullptr;
    pa_mainloop_api *api = nullptr;
    pa_context *context = nullptr;
    bool ready = false;
    int wakeFd = -1;
    int retryFd = -1;
    pa_io_event *wakeEvent = nullptr;
    pa_io_event *retryEvent = nullptr;
    pa_usec_t retryDelay = kFirstRetry;
    bool retryArmed = false;
    // Objects let go of inside libpulse's own callbacks, released later from
    // one of ours.
    std::vector<pa_context *> retiredContexts;
    std::vector<pa_stream *> retiredStreams;
    CommandRing commands;
    std::array<Voice, kVoices> voices;
    std::array<bool, kVoices> voiceInUse{}; // user-interface thread only

    bool start()
    {
        wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        retryFd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        loop = pa_threaded_mainloop_new();
        if (wakeFd < 0 || retryFd < 0 || !loop)
            return false;
        pa_threaded_mainloop_set_name(loop, "lupreda-sound");
        api = pa_threaded_mainloop_get_api(loop);
        for (Voice &v : voices)
            v.engine = this;
        pa_threaded_mainloop_lock(loop);
        wakeEvent = api->io_new(api, wakeFd, PA_IO_EVENT_INPUT, &Engine::onWake, this);
        retryEvent = api->io_new(api, retryFd, PA_IO_EVENT_INPUT, &Engine::onRetry, this);
        connect();
        const bool running = pa_threaded_mainloop_start(loop) == 0;
        pa_threaded_mainloop_unlock(loop);
        return running;
    }

    void shutdown()
    {
        if (!loop)
            return;
        pa_threaded_mainloop_stop(loop);
        for (Voice &v : voices)
            dropStream(v);
        dropContext();
        release();
        if (wakeEvent)
            api->io_free(wakeEvent);
        if (retryEvent)
            api->io_free(retryEvent);
        pa_threaded_mainloop_free(loop);
        loop = nullptr;
    }

    ~Engine()
    {
        shutdown();
        if (wakeFd >= 0)
            close(wakeFd);
        if (retryFd >= 0)
            close(retryFd);
    }

    // User-interface thread: hand a command over and wake the sound thread.
    void send(Command command)
    {
        if (!loop || !commands.push(std::move(command)))
            return;
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(wakeFd, &one, sizeof one);
    }

    static void onWake(pa_mainloop_api *, pa_io_event *, int fd, pa_io_event_flags_t, void *self)
    {
        std::uint64_t count;
        [[maybe_unused]] const ssize_t got = read(fd, &count, sizeof count);
        auto *engine = static_cast<Engine *>(self);
        engine->release();
        Command command;
        while (engine->commands.pop(command))
            engine->handle(command);
    }

    void handle(Command &command)
    {
        Voice &v = voices[std::size_t(command.voice)];
        switch (command.kind) {
        case Command::Prepare:
            // The stream is made ahead of the first cue, for the sound it will most likely play.
            if (!v.sound) {
                v.sound = std::move(command.sound);
                if (ready && !v.stream)
                    makeStream(v);
            }
            break;
        case Command::Play: {
            // A sound of another format needs a stream of its own.
            const pa_sample_spec streamFormat = streamFormatOf(*command.sound);
            if (v.stream && !pa_sample_spec_equal(&v.streamFormat, &streamFormat))
                dropStream(v);
            v.sound = std::move(command.sound);
            v.cuePending = true;
            v.cueAt = command.at;
            if (!context)
                connectNow();
            startPending(v);
            break;
        }
        case Command::Stop:
            v.cuePending = false;
            silence(v);
            break;
        case Command::Close:
            v.cuePending = false;
            dropStream(v);
            v.sound.reset();
            break;
        }
    }

    // --- the connection ---

    void connect()
    {
        pa_proplist *properties = pa_proplist_new();
        pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Lupreda");
        context = pa_context_new_with_proplist(api, "Lupreda", properties);
        pa_proplist_free(properties);
        if (!context) {
            scheduleRetry();
            return;
        }
        pa_context_set_state_callback(context, &Engine::onContextState, this);
        // Never start a server of our own: the desktop's is the one to use.
        if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 && context)
            lost();
    }

    void connectNow()
    {
        disarmRetry();
        retryDelay = kFirstRetry;
        connect();
    }

    static void onContextState(pa_context *c, void *self)
    {
        auto *engine = static_cast<Engine *>(self);
        if (c != engine->context)
            return;
        switch (pa_context_get_state(c)) {
        case PA_CONTEXT_READY:
            engine->ready = true;
            engine->retryDelay = kFirstRetry;
            for (Voice &v : engine->voices)
                if (v.sound) {
                    if (!v.stream)
                        engine->makeStream(v);
                    engine->startPending(v);
                }
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            engine->lost();
            break;
        default:
            break;
        }
    }

    // The server went away or never answered: forget everything made on it
    // and look for it again later.
    void lost()
    {
        for (Voice &v : voices)
            dropStream(v);
        dropContext();
        scheduleRetry();
    }

    void dropContext()
    {
        ready = false;
        if (!context)
            return;
        pa_context_set_state_callback(context, nullptr, nullptr);
        pa_context_disconnect(context);
        retiredContexts.push_back(context);
        context = nullptr;
    }

    void release()
    {
        for (pa_stream *s : retiredStreams)
            pa_stream_unref(s);
        retiredStreams.clear();
        for (pa_context *c : retiredContexts)
            pa_context_unref(c);
        retiredContexts.clear();
    }

    void scheduleRetry()
    {
        itimerspec when{};
        when.it_value.tv_sec = time_t(retryDelay / PA_USEC_PER_SEC);
        when.it_value.tv_nsec = long(retryDelay % PA_USEC_PER_SEC) * 1000;
        timerfd_settime(retryFd, 0, &when, nullptr);
        retryArmed = true;
        retryDelay = std::min(retryDelay * 2, kLongestRetry);
    }

    void disarmRetry()
    {
        if (!retryArmed)
            return;
        const itimerspec off{};
        timerfd_settime(retryFd, 0, &off, nullptr);
        retryArmed = false;
    }

    static void onRetry(pa_mainloop_api *, pa_io_event *, int fd, pa_io_event_flags_t, void *self)
    {
        std::uint64_t expirations;
        if (read(fd, &expirations, sizeof expirations) != sizeof expirations)
            return;
        auto *engine = static_cast<Engine *>(self);
        engine->retryArmed = false;
        engine->release();
        if (!engine->context)
            engine->connect();
    }

    // --- the voices ---

    void makeStream(Voice &v)
    {
        v.streamFormat = streamFormatOf(*v.sound);
        pa_channel_map map;
        pa_channel_map_init_extend(&map, v.streamFormat.channels, PA_CHANNEL_MAP_WAVEEX);
        pa_proplist *properties = pa_proplist_new();
        pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "event");
        v.stream = pa_stream_new_with_proplist(context, "Campanello", &v.streamFormat, &map, properties);
        pa_proplist_free(properties);
        if (!v.stream)
            return;
        pa_stream_set_state_callback(v.stream, &Engine::onStreamState, &v);
        pa_buffer_attr attr;
        attr.maxlength = std::uint32_t(-1);
        attr.tlength = std::uint32_t(pa_usec_to_bytes(kTargetLatency, &v.streamFormat));
        attr.prebuf = std::uint32_t(pa_frame_size(&v.streamFormat));
        attr.minreq = std::uint32_t(pa_usec_to_bytes(kRequestSize, &v.streamFormat));
        attr.fragsize = std::uint32_t(-1);
        v.corked = true;
        const auto flags = pa_stream_flags_t(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
        if (pa_stream_connect_playback(v.stream, nullptr, &attr, flags, nullptr, nullptr) < 0)
            dropStream(v);
        else
            armTimer(v, pa_rtclock_now() + kKeepIdle);
    }

    static void onStreamState(pa_stream *s, void *voice)
    {
        auto *v = static_cast<Voice *>(voice);
        if (s != v->stream)
            return;
        switch (pa_stream_get_state(s)) {
        case PA_STREAM_READY:
            v->engine->startPending(*v);
            break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            // Killed by the user or left without a sink: made again at the next cue.
            v->engine->dropStream(*v);
            break;
        default:
            break;
        }
    }

    void dropStream(Voice &v)
    {
        if (v.inFlight) {
            pa_operation_cancel(v.inFlight);
            pa_operation_unref(v.inFlight);
            v.inFlight = nullptr;
        }
        if (v.timer) {
            api->time_free(v.timer);
            v.timer = nullptr;
        }
        if (v.stream) {
            pa_stream_set_state_callback(v.stream, nullptr, nullptr);
            pa_stream_disconnect(v.stream);
            retiredStreams.push_back(v.stream);
            v.stream = nullptr;
        }
        v.corked = true;
    }

    bool streamReady(const Voice &v) const
    {
        return v.stream && pa_stream_get_state(v.stream) == PA_STREAM_READY;
    }

    // Plays the voice's cue if the server is there to take it.
    void startPending(Voice &v)
    {
        if (!v.cuePending || !ready)
            return;
        if (pa_rtclock_now() - v.cueAt > kStaleCue) {
            v.cuePending = false;
            return;
        }
        if (!v.stream)
            makeStream(v);
        if (!streamReady(v))
            return;
        // A server that has not answered the last cue yet gets no more: it
        // may be stopped, and would otherwise pile up sounds to play at once.
        if (v.inFlight && pa_operation_get_state(v.inFlight) == PA_OPERATION_RUNNING)
            return;
        v.cuePending = false;
        playNow(v);
    }

    void playNow(Voice &v)
    {
        const WaveData &sound = *v.sound;
        const std::size_t bytes = std::min(sound.bytes.size(), kMaxQueued - kMaxQueued % std::size_t(sound.frameBytes()));
        if (v.inFlight)
            pa_operation_unref(v.inFlight);
        // Drop what is queued and write the whole sound at the read position.
        v.inFlight = pa_stream_flush(v.stream, &Engine::onFlushed, &v);
        v.sentAt = pa_rtclock_now();
        pa_stream_write(v.stream, sound.bytes.data(), bytes, nullptr, 0, PA_SEEK_RELATIVE);
        if (v.corked) {
            if (pa_operation *o = pa_stream_cork(v.stream, 0, nullptr, nullptr))
                pa_operation_unref(o);
            v.corked = false;
        }
        armTimer(v, pa_rtclock_now() + pa_bytes_to_usec(bytes, &v.streamFormat) + kCorkAfter);
    }

    void armTimer(Voice &v, pa_usec_t at)
    {
        if (v.timer)
            pa_context_rttime_restart(context, v.timer, at);
        else
            v.timer = pa_context_rttime_new(context, at, &Engine::onVoiceTime, &v);
    }

    static void onFlushed(pa_stream *, int, void *voice)
    {
        auto *v = static_cast<Voice *>(voice);
        if (v->inFlight) {
            pa_operation_unref(v->inFlight);
            v->inFlight = nullptr;
        }
        // A server that was stopped and goes on again has just started a
        // chime that is long out of date: stop it at once.
        if (pa_rtclock_now() - v->sentAt > kStaleCue)
            v->engine->silence(*v);
        // A cue that came while the server was busy with the last one.
        v->engine->startPending(*v);
    }

    // A sound has played out: cork its stream. A stream corked for long: let it go.
    static void onVoiceTime(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *voice)
    {
        auto *v = static_cast<Voice *>(voice);
        Engine *engine = v->engine;
        if (!v->corked && engine->streamReady(*v)) {
            engine->cork(*v);
            engine->armTimer(*v, pa_rtclock_now() + kKeepIdle);
        } else if (!v->cuePending) {
            engine->dropStream(*v);
        }
    }

    void cork(Voice &v)
    {
        if (!streamReady(v) || v.corked)
            return;
        if (pa_operation *o = pa_stream_cork(v.stream, 1, nullptr, nullptr))
            pa_operation_unref(o);
        v.corked = true;
    }

    // Stops the voice's sound at once.
    void silence(Voice &v)
    {
        if (!streamReady(v))
            return;
        if (pa_operation *o = pa_stream_flush(v.stream, nullptr, nullptr))
            pa_operation_unref(o);
        cork(v);
        armTimer(v, pa_rtclock_now() + kKeepIdle);
    }
};

namespace {
std::atomic<bool> g_playerGone{false};
}

PulsePlayer *PulsePlayer::instance()
{
    if (g_playerGone.load())
        return nullptr;
    static PulsePlayer player;
    return &player;
}

PulsePlayer::PulsePlayer() : m_engine(std::make_unique<Engine>())
{
    if (!m_engine->start())
        m_engine->shutdown();
}

PulsePlayer::~PulsePlayer()
{
    g_playerGone.store(true);
}

int PulsePlayer::openVoice()
{
    for (int i = 0; i < kVoices; ++i)
        if (!m_engine->voiceInUse[std::size_t(i)]) {
            m_engine->voiceInUse[std::size_t(i)] = true;
            return i;
        }
    return -1;
}

void PulsePlayer::closeVoice(int voice)
{
    if (voice < 0)
        return;
    m_engine->voiceInUse[std::size_t(voice)] = false;
    m_engine->send({Command::Close, voice, 0, nullptr});
}

void PulsePlayer::play(int voice, std::shared_ptr<const WaveData> sound)
{
    if (voice >= 0 && sound && !sound->isEmpty())
        m_engine->send({Command::Play, voice, pa_rtclock_now(), std::move(sound)});
}

void PulsePlayer::prepare(int voice, std::shared_ptr<const WaveData> sound)
{
    if (voice >= 0 && sound && !sound->isEmpty())
        m_engine->send({Command::Prepare, voice, 0, std::move(sound)});
}

void PulsePlayer::stop(int voice)
{
    if (voice >= 0)
        m_engine->send({Command::Stop, voice, 0, nullptr});
}

} // namespace platform
