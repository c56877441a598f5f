#include "lazy_sound_output.h"

#include "base/program_module.h"
#include "chat_log.h"

LazySoundOutput::LazySoundOutput() = default;
LazySoundOutput::~LazySoundOutput() = default;

void LazySoundOutput::play(const PcmSound& sound)
{
    // An empty sound only cuts off the one playing; no reason to load for that.
    if (!m_tried && !sound.isEmpty()) {
        m_tried = true;
        QString error;
        using Create = SoundOutput* (*)();
        const auto create = reinterpret_cast<Create>(
            ProgramModule::entry(QStringLiteral("gloopdash-audio"), "gd_audio_create_output", &error));
        if (create)
            m_output.reset(create());
        else
            qCWarning(lcChat) << "sounds stay silent:" << error;
    }
    if (m_output)
        m_output->play(sound);
}

void LazySoundOutput::stop()
{
    if (m_output)
        m_output->stop();
}

bool LazySoundOutput::isPlaying() const
{
    return m_output && m_output->isPlaying();
}
