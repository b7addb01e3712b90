// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the chime's latency: the least a program can do to play the
// chime when Enter is pressed. A plain X window; a libpulse-simple stream
// opened at start with a 10 ms buffer; on Enter it drops whatever is still
// queued and writes the chime from its start, in 2 ms pieces so that the next
// Enter is seen between them.
//
//   bench_chimefloor CHIME.wav
#include "platform/wavedata.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <pulse/simple.h>
#include <pulse/error.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/select.h>
#include <unistd.h>

namespace {

pa_sample_format_t sampleFormat(platform::WaveData::Format format)
{
    using F = platform::WaveData::Format;
    switch (format) {
    case F::U8: return PA_SAMPLE_U8;
    case F::S16: return PA_SAMPLE_S16LE;
    case F::S24: return PA_SAMPLE_S24LE;
    case F::S32: return PA_SAMPLE_S32LE;
    case F::Float32: return PA_SAMPLE_FLOAT32LE;
    }
    return PA_SAMPLE_S16LE;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CHIME.wav\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const platform::WaveData chime = platform::decodeWave(file);
    if (chime.isEmpty()) {
        std::fprintf(stderr, "bench_chimefloor: %s is not a wave file\n", argv[1]);
        return 1;
    }

    const pa_sample_spec streamFormat{sampleFormat(chime.format), uint32_t(chime.sampleRate), uint8_t(chime.channels)};
    pa_buffer_attr attr;
    attr.maxlength = uint32_t(-1);
    attr.tlength = uint32_t(pa_usec_to_bytes(10000, &streamFormat));
    attr.prebuf = uint32_t(-1);
    attr.minreq = uint32_t(-1);
    attr.fragsize = uint32_t(-1);
    int error = 0;
    pa_simple *stream = pa_simple_new(nullptr, "bench_chimefloor", PA_STREAM_PLAYBACK, nullptr, "chime", &streamFormat,
                                      nullptr, &attr, &error);
    if (!stream) {
        std::fprintf(stderr, "bench_chimefloor: %s\n", pa_strerror(error));
        return 1;
    }

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "bench_chimefloor: no X server in DISPLAY\n");
        return 1;
    }
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 320, 120, 0, 0,
                                              WhitePixel(display, DefaultScreen(display)));
    XStoreName(display, window, "bench_chimefloor");
    const long pid = getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&pid), 1);
    XSelectInput(display, window, KeyPressMask);
    XMapWindow(display, window);
    XFlush(display);

    const size_t piece = size_t(chime.frameBytes()) * size_t(chime.sampleRate / 500);
    size_t position = chime.bytes.size(); // nothing to play yet
    for (;;) {
        const bool playing = position < chime.bytes.size();
        if (!playing) {
            // Idle: sleep until the X server has something for us.
            const int fd = ConnectionNumber(display);
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(fd, &readable);
            if (!XPending(display))
                select(fd + 1, &readable, nullptr, nullptr, nullptr);
        }
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == KeyPress && XLookupKeysym(&event.xkey, 0) == XK_Return) {
                if (position < chime.bytes.size())
                    pa_simple_flush(stream, nullptr);
                position = 0;
            }
        }
        if (position < chime.bytes.size()) {
            const size_t length = std::min(piece, chime.bytes.size() - position);
            if (pa_simple_write(stream, chime.bytes.data() + position, length, &error) < 0) {
                std::fprintf(stderr, "bench_chimefloor: %s\n", pa_strerror(error));
                return 1;
            }
            position += length;
        }
    }
}
