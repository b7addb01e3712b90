#include "platform/chimeoutput.h"

#include "platform/chimesource.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>

namespace platform {

ChimeOutput::ChimeOutput()
{
    if (!QMediaDevices::audioOutputs().isEmpty())
        m_effect = std::make_unique<QSoundEffect>();
}

ChimeOutput::~ChimeOutput() = default;

void ChimeOutput::setFileName(const QString &path)
{
    m_fileName = path;
}

void ChimeOutput::command(const QString &verb)
{
    if (!m_effect)
        return;
    if (verb == QLatin1String("close"))
        m_effect->stop();
    else if (verb == QLatin1String("open"))
        open();
    else if (verb == QLatin1String("play") && m_effect->source().isValid())
        m_effect->play();
}

void ChimeOutput::open()
{
    // The decoded sound is kept between cues: reopening the same file costs nothing.
    const QUrl source = chimeSource(m_fileName);
    if (source != m_effect->source())
        m_effect->setSource(source);
}

} // namespace platform

extern "C" Q_DECL_EXPORT platform::SoundOutput *lupreda_create_chime_output()
{
    return new platform::ChimeOutput();
}
