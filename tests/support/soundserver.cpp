// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/soundserver.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <cmath>
#include <cstring>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// argv as the exec family wants it; built before fork, so the child only execs.
class ArgvBuffer
{
public:
    explicit ArgvBuffer(const QStringList &argv)
    {
        for (const QString &arg : argv)
            m_bytes.push_back(arg.toLocal8Bit());
        for (QByteArray &bytes : m_bytes)
            m_pointers.push_back(bytes.data());
        m_pointers.push_back(nullptr);
    }
    char *const *data() { return m_pointers.data(); }

private:
    std::vector<QByteArray> m_bytes;
    std::vector<char *> m_pointers;
};

pid_t spawn(const QStringList &argv, int outputFd)
{
    ArgvBuffer args(argv);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        const int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, STDIN_FILENO);
        if (outputFd >= 0) {
            dup2(outputFd, STDOUT_FILENO);
            dup2(outputFd, STDERR_FILENO);
        }
        execvp(args.data()[0], args.data());
        _exit(127);
    }
    return pid;
}

void stopChild(pid_t &pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    pid_t reaped = 0;
    for (int i = 0; i < 50 && (reaped = waitpid(pid, nullptr, WNOHANG)) == 0; ++i)
        QThread::msleep(100);
    if (reaped == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    pid = -1;
}

} // namespace

HelperProcess::~HelperProcess() { stop(); }

bool HelperProcess::start(const QStringList &argv, const QString &logFile)
{
    const int fd = open(QFile::encodeName(logFile).constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    m_pid = spawn(argv, fd);
    if (fd >= 0)
        close(fd);
    return m_pid > 0;
}

bool HelperProcess::isRunning()
{
    if (m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == m_pid)
        m_pid = -1; // reaped: its number may soon belong to another process
    return m_pid > 0;
}

void HelperProcess::stop() { stopChild(m_pid); }

void HelperProcess::kill()
{
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}

void HelperProcess::signal(int number)
{
    if (isRunning())
        ::kill(m_pid, number);
}

int runTool(const QStringList &argv, QString *output)
{
    char pattern[] = "/tmp/lupreda-tool-XXXXXX";
    const int fd = mkstemp(pattern);
    pid_t pid = spawn(argv, fd);
    int status = -1;
    if (pid > 0)
        waitpid(pid, &status, 0);
    if (output) {
        QFile file(QString::fromLocal8Bit(pattern));
        *output = file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }
    if (fd >= 0)
        close(fd);
    unlink(pattern);
    return pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QStringList SoundServer::missingTools()
{
    QStringList missing;
    for (const char *tool : {"pulseaudio", "pactl", "parec", "sox"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            missing << QLatin1String(tool);
    return missing;
}

void SoundServer::pointHere()
{
    if (m_pointed || !m_dir.isValid())
        return;
    const QString runtime = m_dir.filePath(QStringLiteral("run"));
    const QString home = m_dir.filePath(QStringLiteral("home"));
    QDir().mkpath(runtime);
    QDir().mkpath(home);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The server and the program share these: no user's own server or settings
    // are touched, and the program can reach no other server.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    qputenv("HOME", QFile::encodeName(home));
    qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(m_dir.filePath(QStringLiteral("native"))));
    m_pointed = true;
}

bool SoundServer::start()
{
    if (!m_dir.isValid())
        return false;
    pointHere();
    const QString socket = m_dir.filePath(QStringLiteral("native"));
    // A killed server leaves its socket file behind; the new one takes its place.
    QFile::remove(socket);

    // The same server as scripts/bench-chime's, started by the same script.
    if (!m_server.start({QStringLiteral("bash"), QStringLiteral(LUPREDA_SOURCE_DIR "/tests/support/pulseaudio.sh"), socket},
                        m_dir.filePath(QStringLiteral("pulseaudio.log"))))
        return false;

    bool answering = false;
    for (int i = 0; i < 100 && !answering && m_server.isRunning(); ++i) {
        answering = runTool({QStringLiteral("pactl"), QStringLiteral("info")}) == 0;
        if (!answering)
            QThread::msleep(100);
    }
    if (!answering)
        return false;
    // A fresh null sink runs seconds behind the clock until it has been
    // suspended and woken once.
    for (const char *state : {"0", "1", "0"})
        if (runTool({QStringLiteral("pactl"), QStringLiteral("suspend-sink"), QStringLiteral("null"),
                     QLatin1String(state)}) != 0)
            return false;
    return true;
}

void SoundServer::stop()
{
    m_recorder.stop();
    m_server.stop();
}

void SoundServer::kill()
{
    m_recorder.stop();
    m_server.kill();
}

void SoundServer::pause() { m_server.signal(SIGSTOP); }
void SoundServer::resume() { m_server.signal(SIGCONT); }

QString SoundServer::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("pulseaudio.log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

bool SoundServer::startRecording(const QString &wavFile)
{
    // A short latency: by default parec takes data in two-second pieces and
    // loses the last one when it is stopped.
    return m_recorder.start({QStringLiteral("parec"), QStringLiteral("--latency-msec=20"), QStringLiteral("-d"), QStringLiteral("null.monitor"),
                             QStringLiteral("--file-format=wav"), wavFile},
                            m_dir.filePath(QStringLiteral("parec.log")));
}

void SoundServer::stopRecording() { m_recorder.stop(); }

namespace recording {

double seconds(const QString &wavFile)
{
    QString out;
    runTool({QStringLiteral("sox"), QStringLiteral("--i"), QStringLiteral("-D"), wavFile}, &out);
    return out.trimmed().toDouble();
}

double peak(const QString &wavFile, double from, double length)
{
    QString out;
    runTool({QStringLiteral("sox"), wavFile, QStringLiteral("-n"), QStringLiteral("trim"), QString::number(from),
             QString::number(length), QStringLiteral("stat")},
            &out);
    double result = 0.0;
    static const QRegularExpression extreme(QStringLiteral("(Maximum|Minimum) amplitude:\\s*(-?[0-9.]+)"));
    for (auto match = extreme.globalMatch(out); match.hasNext();)
        result = std::max(result, std::abs(match.next().captured(2).toDouble()));
    return result;
}

std::vector<double> envelope(const QString &wavFile, double window)
{
    return load(wavFile).envelope(window);
}

double Sound::peak(double from, double length) const
{
    const auto first = size_t(std::max(0.0, from) * rate);
    const auto last = std::min(samples.size(), size_t(std::max(0.0, from + length) * rate));
    float result = 0.0f;
    for (size_t i = first; i < last; ++i)
        result = std::max(result, std::abs(samples[i]));
    return result;
}

std::vector<double> Sound::envelope(double window) const
{
    std::vector<double> peaks;
    const int count = int(seconds() / window);
    for (int i = 0; i < count; ++i)
        peaks.push_back(peak(i * window, window));
    return peaks;
}

Sound load(const QString &wavFile)
{
    Sound sound;
    QString rate;
    runTool({QStringLiteral("sox"), QStringLiteral("--i"), QStringLiteral("-r"), wavFile}, &rate);
    sound.rate = rate.trimmed().toInt();
    const QString raw = wavFile + QStringLiteral(".f32");
    if (sound.rate <= 0
        || runTool({QStringLiteral("sox"), wavFile, QStringLiteral("-t"), QStringLiteral("raw"), QStringLiteral("-e"),
                    QStringLiteral("floating-point"), QStringLiteral("-b"), QStringLiteral("32"), QStringLiteral("-c"),
                    QStringLiteral("1"), raw}) != 0)
        return sound;
    QFile file(raw);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        sound.samples.resize(size_t(bytes.size()) / sizeof(float));
        std::memcpy(sound.samples.data(), bytes.constData(), sound.samples.size() * sizeof(float));
    }
    file.remove();
    return sound;
}

} // namespace recording
