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

private:
    pid_t m_pid = -1;
};

class SoundServer
{
public:
    // The programs the server and the measurements need; those not found.
    static QStringList missingTools();

    // Starts the server and points this process at it (PULSE_SERVER, and a
    // private HOME and XDG_RUNTIME_DIR). Must run before Qt first touches
    // sound: Qt never finds a server that appeared after that.
    bool start();
    void stop();
    QString log() const;

    // Records the sink's monitor into a wave file until stopRecording().
    bool startRecording(const QString &wavFile);
    void stopRecording();

private:
    QTemporaryDir m_dir;
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

} // namespace recording
