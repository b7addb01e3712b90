// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/chimeoutput.h"

#include "platform/chimesource.h"
#include "platform/pulseplayer.h"

#include <QFile>
#include <QHash>

namespace platform {

namespace {

// Decoded sounds by source, shared by the windows' players for the whole run.
std::shared_ptr<const WaveData> decodedSound(const QString &source)
{
    static QHash<QString, std::shared_ptr<const WaveData>> sounds;
    if (auto found = sounds.constFind(source); found != sounds.cend())
        return *found;
    std::shared_ptr<const WaveData> sound;
    QFile file(source);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        auto decoded = std::make_shared<WaveData>(decodeWave(std::string_view(bytes.constData(), std::size_t(bytes.size()))));
        if (!decoded->isEmpty())
            sound = std::move(decoded);
    }
    // A file that does not decode is remembered too, as silence; a file that
    // is missing is looked for again at the next cue.
    if (sound || file.exists())
        sounds.insert(source, sound);
    return sound;
}

QString fileOf(const QUrl &url)
{
    if (url.scheme() == QLatin1String("qrc"))
        return QLatin1Char(':') + url.path();
    return url.toLocalFile();
}

} // namespace

ChimeOutput::ChimeOutput()
{
    if (PulsePlayer *player = PulsePlayer::instance()) {
        m_voice = player->openVoice();
        // Every window plays the program's chime: its stream can be ready
        // before the first right answer.
        player->prepare(m_voice, decodedSound(fileOf(programChime())));
    }
}

ChimeOutput::~ChimeOutput()
{
    if (PulsePlayer *player = PulsePlayer::instance())
        player->closeVoice(m_voice);
}

void ChimeOutput::setFileName(const QString &path)
{
    m_fileName = path;
}

void ChimeOutput::command(const QString &verb)
{
    PulsePlayer *player = PulsePlayer::instance();
    if (!player)
        return;
    if (verb == QLatin1String("close"))
        player->stop(m_voice);
    else if (verb == QLatin1String("open"))
        open();
    else if (verb == QLatin1String("play"))
        player->play(m_voice, m_sound);
}

void ChimeOutput::open()
{
    const QUrl url = chimeSource(m_fileName);
    const QString source = url.isEmpty() ? QString() : fileOf(url);
    if (source == m_openedSource && m_sound)
        return;
    m_openedSource = source;
    m_sound = source.isEmpty() ? nullptr : decodedSound(source);
}

} // namespace platform

extern "C" Q_DECL_EXPORT platform::SoundOutput *lupreda_create_chime_output()
{
    return new platform::ChimeOutput();
}
