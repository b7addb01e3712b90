// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A private PulseAudio server with one silent sink, for tests that listen to
// what the program really plays. The sink's monitor is recorded to a wave
// file, which sox then measures.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/types.h>

#include <vector>

// A child process that is ended when this object goes, and that the kernel
// ends anyway if the test dies first, so no server outlives a crashed test.
class HelperProcess
{
public:
    HelperProcess() = default;
    ~HelperProcess();
    HelperProcess(const HelperProcess &) = delete;
    HelperProcess &operator=(const HelperProcess &) = delete;

    // Starts argv[0] found in PATH; its output goes to logFile. False if it
    // could not be started.
    bool start(const QStringList &argv, const QString &logFile);
    bool isRunning();
    // SIGTERM, then waits for it to end.
    void stop();
    // SIGKILL, as a crash would end it, and waits for it.
    void kill();
    // Sends a signal and leaves it running (SIGSTOP, SIGCONT).
    void signal(int number);

private:
    pid_t m_pid = -1;
};

class SoundServer
{
public:
    // The programs the server and the measurements need; those not found.
    static QStringList missingTools();

    // Points this process at the server's socket (PULSE_SERVER, and a
    // private HOME and XDG_RUNTIME_DIR), whether or not the server runs yet.
    // Call it before any thread starts: the environment is not thread-safe.
    void pointHere();
    // Starts the server on that socket (pointing here first if need be), and
    // returns once it answers. A server stopped or killed can be started
    // again: the new one takes the same socket.
    bool start();
    bool isRunning() { return m_server.isRunning(); }
    void stop();
    // Ends the server with SIGKILL, as a crash would.
    void kill();
    // Freezes the server with SIGSTOP, and lets it go on with SIGCONT.
    void pause();
    void resume();
    QString log() const;

    // Records the sink's monitor into a wave file until stopRecording().
    bool startRecording(const QString &wavFile);
    void stopRecording();

private:
    QTemporaryDir m_dir;
    bool m_pointed = false;
    HelperProcess m_server;
    HelperProcess m_recorder;
};

// Runs a program to its end and gives its exit status (-1 if it could not
// run); its standard output and error go to *output when given.
int runTool(const QStringList &argv, QString *output = nullptr);

// Measurements of a recorded wave file, through sox.
namespace recording {

double seconds(const QString &wavFile);
// The largest absolute sample value between from and from + length seconds,
// as a fraction of full scale (sox's "stat").
double peak(const QString &wavFile, double from, double length);
// The peak of each consecutive window of the given length.
std::vector<double> envelope(const QString &wavFile, double window);

// A recording as sox decodes it: mono (the channels mixed), floats in -1..1.
struct Sound {
    std::vector<float> samples;
    int rate = 0;

    double seconds() const { return rate ? double(samples.size()) / rate : 0.0; }
    // The largest absolute sample in [from, from + length) seconds.
    double peak(double from, double length) const;
    std::vector<double> envelope(double window) const;
};
Sound load(const QString &wavFile);

} // namespace recording
