// SPDX-License-Identifier: GPL-3.0-or-later
// Times the chime as a pupil meets it: from the X server's time stamp of the
// Enter key to the first audible sample at the sound server's sink, for a
// program under test and for the floor (bench_chimefloor), in alternating
// trials on one X server and one sound server.
//
//   bench_chimelatency [--trials N] [--restarts N] [--source NAME] [--verbose 1]
//                      FLOOR_COMMAND... -- KIND PROGRAM_COMMAND...
//
// A command "pid:N" stands for a program already running as process N.
//
// KIND is "plain" (a window that chimes on Enter) or "lupreda" (the program:
// the chooser opens the sequence drill, and each right answer is the next
// letter of the Italian alphabet, typed and then confirmed with Enter).
//
// Keys are real X key events (XTest); their time stamps come from the key
// events themselves, selected on the target window. X time stamps are whole
// milliseconds of CLOCK_MONOTONIC, so each latency is counted from the middle
// of the key's millisecond. The sink's monitor is recorded through libpulse in
// pieces of about 1.5 ms, each stamped with CLOCK_MONOTONIC when it arrives:
// a sample counts as heard when the sink has mixed it. That short recording
// latency also sets the null sink's own, the same for both programs.
//
// A restart trial gives a second right answer 0.3 s after the first chime was
// heard, and times that Enter to the moment the chime is heard again from its
// start, found by matching the first 20 ms of the first chime.
//
// Needs DISPLAY (with a window manager) and a sound server with a null sink.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <pulse/pulseaudio.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr float kAudible = 0.002f; // about -54 dBFS; the null sink records exact zeros in silence
constexpr double kTemplateSeconds = 0.020;

double nowMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

void sleepUntil(double ms)
{
    const double wait = ms - nowMs();
    if (wait > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(long(wait * 1000)));
}

void sleepMs(double ms) { sleepUntil(nowMs() + ms); }

bool g_verbose = false;

// Where the run is; a watchdog ends a run that has not moved for a minute.
std::atomic<const char *> g_phase{"start"};
std::atomic<double> g_progressAt{0};

void progress(const char *phase)
{
    g_phase = phase;
    g_progressAt = nowMs();
}

void watch()
{
    std::thread([] {
        for (;;) {
            sleepMs(1000);
            if (nowMs() - g_progressAt.load() > 60000) {
                std::fprintf(stderr, "bench_chimelatency: stuck at %s\n", g_phase.load());
                std::_Exit(1);
            }
        }
    }).detach();
}

template <class... Args>
void note(const char *format, Args... args)
{
    if (g_verbose) {
        std::fprintf(stderr, format, args...);
        std::fputc('\n', stderr);
    }
}

// X time stamps are CLOCK_MONOTONIC in whole milliseconds, cut to 32 bits.
double xTimeToMs(Time t)
{
    const double now = nowMs();
    const auto low = uint32_t(uint64_t(now));
    const int32_t behind = int32_t(low - uint32_t(t));
    return std::floor(now) - behind + 0.5;
}

// The sink's monitor, as mono float samples, each piece stamped on arrival.
class Recorder
{
public:
    ~Recorder()
    {
        if (m_loop) {
            pa_threaded_mainloop_stop(m_loop);
            if (m_stream)
                pa_stream_unref(m_stream);
            pa_context_unref(m_context);
            pa_threaded_mainloop_free(m_loop);
        }
    }

    bool start(const char *source)
    {
        m_loop = pa_threaded_mainloop_new();
        m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "bench_chimelatency");
        pa_context_set_state_callback(m_context, [](pa_context *, void *loop) {
            pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop *>(loop), 0);
        }, m_loop);
        pa_threaded_mainloop_lock(m_loop);
        pa_threaded_mainloop_start(m_loop);
        bool ok = pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0;
        while (ok && pa_context_get_state(m_context) != PA_CONTEXT_READY) {
            if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context)))
                ok = false;
            else
                pa_threaded_mainloop_wait(m_loop);
        }
        if (ok) {
            const pa_sample_spec streamFormat{PA_SAMPLE_FLOAT32LE, kRate, 1};
            m_stream = pa_stream_new(m_context, "monitor", &streamFormat, nullptr);
            pa_stream_set_state_callback(m_stream, [](pa_stream *, void *loop) {
                pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop *>(loop), 0);
            }, m_loop);
            pa_stream_set_read_callback(m_stream, [](pa_stream *s, size_t, void *self) {
                static_cast<Recorder *>(self)->read(s);
            }, this);
            pa_buffer_attr attr{};
            attr.maxlength = uint32_t(-1);
            attr.fragsize = 64 * sizeof(float);
            ok = pa_stream_connect_record(m_stream, source, &attr, PA_STREAM_ADJUST_LATENCY) >= 0;
            while (ok && pa_stream_get_state(m_stream) != PA_STREAM_READY) {
                if (!PA_STREAM_IS_GOOD(pa_stream_get_state(m_stream)))
                    ok = false;
                else
                    pa_threaded_mainloop_wait(m_loop);
            }
        }
        pa_threaded_mainloop_unlock(m_loop);
        return ok;
    }

    size_t count()
    {
        std::lock_guard lock(m_mutex);
        return m_samples.size();
    }

    // The arrival time of the piece that holds sample i.
    double timeOf(size_t i)
    {
        std::lock_guard lock(m_mutex);
        auto it = std::upper_bound(m_pieces.begin(), m_pieces.end(), i,
                                   [](size_t v, const Piece &p) { return v < p.first; });
        return it == m_pieces.begin() ? 0.0 : std::prev(it)->arrival;
    }

    std::vector<float> samples(size_t from, size_t to)
    {
        std::lock_guard lock(m_mutex);
        to = std::min(to, m_samples.size());
        return from < to ? std::vector<float>(m_samples.begin() + long(from), m_samples.begin() + long(to))
                         : std::vector<float>();
    }

    // The first audible sample at or after from, waiting until deadline.
    std::optional<size_t> firstAudible(size_t from, double deadline)
    {
        for (;;) {
            {
                std::lock_guard lock(m_mutex);
                for (size_t i = from; i < m_samples.size(); ++i)
                    if (std::fabs(m_samples[i]) >= kAudible)
                        return i;
                from = std::max(from, m_samples.size());
            }
            if (nowMs() > deadline)
                return std::nullopt;
            sleepMs(0.5);
        }
    }

    // Waits until the last `quiet` ms recorded are silent.
    bool waitForSilence(double quietMs, double timeoutMs)
    {
        const double deadline = nowMs() + timeoutMs;
        const auto window = size_t(quietMs * kRate / 1000);
        while (nowMs() < deadline) {
            {
                std::lock_guard lock(m_mutex);
                const size_t n = m_samples.size();
                if (n >= window && std::none_of(m_samples.end() - long(window), m_samples.end(),
                                                [](float v) { return std::fabs(v) >= kAudible; }))
                    return true;
            }
            sleepMs(10);
        }
        return false;
    }

private:
    struct Piece {
        size_t first;
        double arrival;
    };

    void read(pa_stream *s)
    {
        const double arrival = nowMs();
        const void *data = nullptr;
        size_t bytes = 0;
        while (pa_stream_readable_size(s) > 0 && pa_stream_peek(s, &data, &bytes) == 0 && bytes > 0) {
            std::lock_guard lock(m_mutex);
            m_pieces.push_back({m_samples.size(), arrival});
            const size_t n = bytes / sizeof(float);
            if (data) {
                const auto *f = static_cast<const float *>(data);
                m_samples.insert(m_samples.end(), f, f + n);
            } else {
                m_samples.insert(m_samples.end(), n, 0.0f);
            }
            pa_stream_drop(s);
        }
    }

    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
    std::mutex m_mutex;
    std::vector<float> m_samples;
    std::vector<Piece> m_pieces;
};

class X
{
public:
    Display *display = XOpenDisplay(nullptr);

    Atom atom(const char *name) { return XInternAtom(display, name, False); }

    std::vector<Window> clients()
    {
        std::vector<Window> result;
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(display, DefaultRootWindow(display), atom("_NET_CLIENT_LIST"), 0, 1024, False,
                               XA_WINDOW, &type, &format, &count, &after, &data) == Success && data) {
            const auto *w = reinterpret_cast<const Window *>(data);
            result.assign(w, w + count);
            XFree(data);
        }
        return result;
    }

    long pidOf(Window w)
    {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char *data = nullptr;
        long pid = -1;
        if (XGetWindowProperty(display, w, atom("_NET_WM_PID"), 0, 1, False, XA_CARDINAL, &type, &format, &count,
                               &after, &data) == Success && data) {
            if (count == 1)
                pid = *reinterpret_cast<const long *>(data);
            XFree(data);
        }
        return pid;
    }

    // A managed window of the process that is not in `known`, within ten seconds.
    Window waitForNewWindow(pid_t pid, const std::vector<Window> &known)
    {
        const double deadline = nowMs() + 10000;
        while (nowMs() < deadline) {
            for (Window w : clients())
                if (pidOf(w) == pid && std::find(known.begin(), known.end(), w) == known.end()) {
                    XWindowAttributes a;
                    if (XGetWindowAttributes(display, w, &a) && a.map_state == IsViewable)
                        return w;
                }
            sleepMs(20);
        }
        return 0;
    }

    std::string title(Window w)
    {
        std::string result;
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(display, w, atom("_NET_WM_NAME"), 0, 256, False, atom("UTF8_STRING"), &type, &format,
                               &count, &after, &data) == Success && data) {
            result.assign(reinterpret_cast<const char *>(data), count);
            XFree(data);
        }
        return result;
    }

    bool activate(Window w)
    {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = atom("_NET_ACTIVE_WINDOW");
        e.xclient.format = 32;
        e.xclient.data.l[0] = 2; // from a pager: obeyed at once
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        XFlush(display);
        const double deadline = nowMs() + 3000;
        while (nowMs() < deadline) {
            Window focus;
            int revert;
            XGetInputFocus(display, &focus, &revert);
            if (focus == w)
                return true;
            sleepMs(10);
        }
        return false;
    }

    void key(KeySym sym, bool press)
    {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, sym), press, 0);
        XFlush(display);
    }

    void tap(KeySym sym, KeySym modifier = NoSymbol)
    {
        if (modifier != NoSymbol)
            key(modifier, true);
        key(sym, true);
        key(sym, false);
        if (modifier != NoSymbol)
            key(modifier, false);
        XSync(display, False);
    }

    // The time stamp of the next Return pressed on w.
    std::optional<Time> returnPressed(Window w, double deadline)
    {
        const KeyCode ret = XKeysymToKeycode(display, XK_Return);
        while (nowMs() < deadline) {
            while (XPending(display)) {
                XEvent e;
                XNextEvent(display, &e);
                if (e.type == KeyPress && e.xkey.window == w && e.xkey.keycode == ret)
                    return e.xkey.time;
            }
            sleepMs(0.2);
        }
        return std::nullopt;
    }

    void drain()
    {
        while (XPending(display)) {
            XEvent e;
            XNextEvent(display, &e);
        }
    }
};

struct Target {
    std::string name;
    bool lupreda = false;
    pid_t pid = -1;
    bool launched = false; // and so ended by us
    Window window = 0;
    // The sequence drill's state: the next answer's place in the alphabet,
    // and whether Enter must first move on from the last answer.
    int answer = 0;
    bool answered = false;
    std::vector<double> starts, restarts, matchErrors;
    double first = -1;
};

const char kItalianAnswers[] = "BCDEFGHILMNOPQRSTUVZ";

pid_t launch(std::vector<char *> argv)
{
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], argv.data());
        std::perror(argv[0]);
        _exit(127);
    }
    return pid;
}

class Bench
{
public:
    X x;
    Recorder recorder;

    bool open(Target &t, std::vector<char *> argv)
    {
        // "pid:N" stands for a program that is already running.
        if (argv.size() == 1 && std::strncmp(argv[0], "pid:", 4) == 0) {
            t.pid = pid_t(std::atoi(argv[0] + 4));
        } else {
            t.pid = launch(std::move(argv));
            t.launched = true;
        }
        Window first = x.waitForNewWindow(t.pid, {});
        note("%s: window %lx", t.name.c_str(), first);
        if (!first)
            return false;
        if (!t.lupreda) {
            t.window = first;
        } else if (!t.launched && x.title(first).find("SEQUENZA") != std::string::npos) {
            // Already in the sequence drill: a new session from the menu.
            t.window = first;
            if (!x.activate(t.window))
                return false;
            sleepMs(300);
            x.tap(XK_g, XK_Alt_L);
            sleepMs(200);
            x.tap(XK_n);
            sleepMs(300);
        } else {
            // The chooser: Tab to the first option, the sequence drill, and
            // Space chooses it; then Alt+N starts a session.
            if (!x.activate(first))
                return false;
            sleepMs(300);
            x.tap(XK_Tab);
            sleepMs(100);
            x.tap(XK_space);
            t.window = x.waitForNewWindow(t.pid, {first});
            note("%s: drill window %lx", t.name.c_str(), t.window);
            if (!t.window || !x.activate(t.window))
                return false;
            sleepMs(300);
            x.tap(XK_n, XK_Alt_L);
            sleepMs(300);
        }
        XSelectInput(x.display, t.window, KeyPressMask);
        XFlush(x.display);
        return true;
    }

    // Everything before the timed Enter of the next right answer.
    void prepare(Target &t)
    {
        if (!t.lupreda)
            return;
        if (t.answered) {
            x.tap(XK_Return); // moves on to the next letter, or ends the session after Z
            t.answered = false;
        }
        if (t.answer == int(sizeof kItalianAnswers) - 1) {
            // A button's access key clicks it a moment later, as a mouse
            // click would: wait for the new session before typing.
            x.tap(XK_n, XK_Alt_L);
            sleepMs(300);
            t.answer = 0;
        }
        const char letter[2] = {char(kItalianAnswers[t.answer] - 'A' + 'a'), 0};
        note("%s: answer %d, %c", t.name.c_str(), t.answer, kItalianAnswers[t.answer]);
        x.tap(XStringToKeysym(letter), XK_Shift_L);
    }

    // Presses Enter; its time stamp, or nothing if it was not seen.
    std::optional<double> enter(Target &t, size_t *from)
    {
        progress("pressing Enter");
        x.drain();
        *from = recorder.count();
        x.key(XK_Return, true);
        x.key(XK_Return, false);
        const auto stamp = x.returnPressed(t.window, nowMs() + 1000);
        if (t.lupreda) {
            ++t.answer;
            t.answered = true;
        }
        if (!stamp)
            return std::nullopt;
        return xTimeToMs(*stamp);
    }

    bool settle(Target &t)
    {
        progress("activating a window");
        if (!x.activate(t.window)) {
            note("%s: could not activate", t.name.c_str());
            return false;
        }
        sleepMs(150);
        progress("typing an answer");
        prepare(t);
        sleepMs(150);
        progress("waiting for silence");
        return recorder.waitForSilence(300, 5000);
    }

    // One right answer from silence: the time to its first audible sample.
    std::optional<double> startTrial(Target &t, size_t *onset = nullptr)
    {
        if (!settle(t))
            return std::nullopt;
        size_t from = 0;
        const auto key = enter(t, &from);
        if (!key) {
            note("%s: Enter not seen", t.name.c_str());
            return std::nullopt;
        }
        progress("listening for the chime");
        const auto heard = recorder.firstAudible(from, nowMs() + 1500);
        if (!heard) {
            note("%s: no chime", t.name.c_str());
            return std::nullopt;
        }
        note("%s: heard after %.1f ms", t.name.c_str(), recorder.timeOf(*heard) - *key);
        if (onset)
            *onset = *heard;
        return recorder.timeOf(*heard) - *key;
    }

    // A right answer, and another 0.3 s after its chime was first heard: the
    // time from the second Enter to the chime heard again from its start.
    std::optional<double> restartTrial(Target &t, double *matchError)
    {
        size_t first = 0;
        if (!startTrial(t, &first))
            return std::nullopt;
        const double heardAt = recorder.timeOf(first);
        const auto length = size_t(kTemplateSeconds * kRate);
        sleepUntil(heardAt + 150);
        prepare(t);
        sleepUntil(heardAt + 300);
        size_t from = 0;
        const auto key = enter(t, &from);
        if (!key)
            return std::nullopt;
        const size_t span = kRate * 6 / 10;
        progress("listening for the restarted chime");
        sleepMs(700);
        const std::vector<float> pattern = recorder.samples(first, first + length);
        const std::vector<float> after = recorder.samples(from, from + span + length);
        if (pattern.size() < length || after.size() < span + length)
            return std::nullopt;
        double energy = 0;
        for (float v : pattern)
            energy += double(v) * v;
        double best = 1e9;
        size_t bestAt = 0;
        for (size_t j = 0; j < span; ++j) {
            double error = 0;
            for (size_t k = 0; k < length && error < best * energy; ++k) {
                const double d = double(after[j + k]) - pattern[k];
                error += d * d;
            }
            if (error / energy < best) {
                best = error / energy;
                bestAt = j;
            }
        }
        *matchError = best;
        progress("restart found");
        return recorder.timeOf(from + bestAt) - *key;
    }
};

double median(std::vector<double> v)
{
    if (v.empty())
        return NAN;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string range(const std::vector<double> &v)
{
    if (v.empty())
        return "-";
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f-%.1f", *lo, *hi);
    return buf;
}

void report(const Target &t, int trials, int restarts)
{
    char heard[64];
    std::snprintf(heard, sizeof heard, "%zu/%d %zu/%d", t.starts.size(), trials, t.restarts.size(), restarts);
    std::printf("  %-24s %6.1f ms  %-10s %6.1f ms  %-10s %-11s %6.1f ms\n", t.name.c_str(), median(t.starts),
                range(t.starts).c_str(), median(t.restarts), range(t.restarts).c_str(), heard, t.first);
}

} // namespace

int main(int argc, char *argv[])
{
    int trials = 15;
    int restarts = 15;
    const char *source = "null.monitor";
    int i = 1;
    for (; i + 1 < argc && std::strncmp(argv[i], "--", 2) == 0 && argv[i][2]; i += 2) {
        if (!std::strcmp(argv[i], "--trials"))
            trials = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--restarts"))
            restarts = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--source"))
            source = argv[i + 1];
        else if (!std::strcmp(argv[i], "--verbose"))
            g_verbose = std::atoi(argv[i + 1]) != 0;
    }
    std::vector<char *> floorCommand, programCommand;
    for (; i < argc && std::strcmp(argv[i], "--"); ++i)
        floorCommand.push_back(argv[i]);
    if (i + 2 >= argc || floorCommand.empty()) {
        std::fprintf(stderr, "usage: %s [--trials N] [--restarts N] [--source NAME] FLOOR... -- plain|lupreda PROGRAM...\n",
                     argv[0]);
        return 2;
    }
    Target floorTarget;
    floorTarget.name = "floor, libpulse-simple";
    Target program;
    program.name = std::strcmp(argv[i + 1], "lupreda") ? "program" : "Lupreda, sequence drill";
    program.lupreda = !std::strcmp(argv[i + 1], "lupreda");
    for (i += 2; i < argc; ++i)
        programCommand.push_back(argv[i]);

    progress("opening the windows");
    watch();
    Bench bench;
    if (!bench.x.display) {
        std::fprintf(stderr, "bench_chimelatency: no X server in DISPLAY\n");
        return 1;
    }
    if (!bench.recorder.start(source)) {
        std::fprintf(stderr, "bench_chimelatency: cannot record %s\n", source);
        return 1;
    }
    int status = 0;
    if (!bench.open(floorTarget, floorCommand) || !bench.open(program, programCommand)) {
        std::fprintf(stderr, "bench_chimelatency: a window did not appear\n");
        status = 1;
    }
    Target *targets[] = {&floorTarget, &program};
    for (int n = 0; status == 0 && n < trials; ++n)
        for (Target *t : targets) {
            if (const auto latency = bench.startTrial(*t)) {
                t->starts.push_back(*latency);
                if (n == 0)
                    t->first = *latency;
            }
        }
    for (int n = 0; status == 0 && n < restarts; ++n)
        for (Target *t : targets) {
            double error = 0;
            if (const auto latency = bench.restartTrial(*t, &error)) {
                t->restarts.push_back(*latency);
                t->matchErrors.push_back(error);
            }
        }
    if (status == 0) {
        std::printf("Enter key to first audible sample at the null sink: median and range of %d alternating\n"
                    "trials from silence (start) and of %d with the second answer 0.3 s into the chime (restart)\n",
                    trials, restarts);
        std::printf("  %-24s %9s  %-10s %9s  %-10s %-11s %9s\n", "", "start", "range", "restart", "range", "heard",
                    "first");
        report(floorTarget, trials, restarts);
        report(program, trials, restarts);
        const double ratio = median(program.starts) / median(floorTarget.starts);
        const double restart = median(program.restarts);
        const bool allHeard = int(program.starts.size()) == trials && int(program.restarts.size()) == restarts;
        std::printf("  %-24s %6.2f x (target: at most 2 x); restart %.1f ms (target: within 20 ms)  %s\n", "ratio",
                    ratio, restart, ratio <= 2.0 && restart <= 20.0 && allHeard ? "met" : "MISSED");
    }
    for (Target *t : targets)
        if (t->launched) {
            kill(t->pid, SIGTERM);
            waitpid(t->pid, nullptr, 0);
        }
    return status;
}
