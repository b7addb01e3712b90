// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakes.h"

#include "app/programforms.h"
#include "platform/soundmodule.h"

#include <memory>

void RecordingMessages::present(const QString &prompt, const QString &title)
{
    shown.append({prompt, title});
    if (onShow)
        onShow();
}

QStringList SoundLog::playedFiles() const
{
    QStringList played;
    QString file;
    for (const QString &entry : entries) {
        if (entry.startsWith(QLatin1String("file ")))
            file = entry.mid(5);
        else if (entry == QLatin1String("play"))
            played.append(file);
    }
    return played;
}

namespace {

class RecordingSoundOutput : public platform::SoundOutput
{
public:
    explicit RecordingSoundOutput(SoundLog &log) : m_log(log) {}
    void setFileName(const QString &path) override { m_log.entries.append(QLatin1String("file ") + path); }
    void command(const QString &verb) override { m_log.entries.append(verb); }

private:
    SoundLog &m_log;
};

} // namespace

FakePlatform::FakePlatform()
{
    // What the program gives the platform at start-up, for the tests that
    // show a real box or the About text without starting it.
    installProgramServices();
    platform::setClock(&clock);
    platform::setMessagePresenter(&messages);
    platform::setSoundModuleDirectory(QStringLiteral(LUPREDA_BUILD_DIR));
    installSoundFake();
}

void FakePlatform::installSoundFake()
{
    platform::setSoundOutputFactory([this] { return std::make_unique<RecordingSoundOutput>(sound); });
}

FakePlatform::~FakePlatform()
{
    platform::setClock(nullptr);
    platform::setMessagePresenter(nullptr);
    platform::setSoundOutputFactory(nullptr);
}

void FakePlatform::clear()
{
    messages.shown.clear();
    messages.onShow = nullptr;
    sound.entries.clear();
}
