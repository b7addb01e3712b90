#include "platform/chimeoutput.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>

namespace platform {

QUrl chimeSource(const QString &path)
{
    QString normalised = path.toLower();
    normalised.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (normalised.endsWith(QLatin1String("/windows/media/chimes.wav")))
        return QUrl(QStringLiteral("qrc:/lupreda/chime.wav"));
    if (!path.isEmpty() && QFileInfo(path).isFile())
        return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    return {};
}

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
