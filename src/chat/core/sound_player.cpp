#include "sound_player.h"

#include "lazy_sound_output.h"
#include "sound_decoder.h"
#include "wave_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Recordings are short; a bigger file is not one of ours.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

} // namespace

SoundPlayer::SoundPlayer(std::unique_ptr<SoundOutput> output, const QString& folder, QObject* parent)
    : QObject(parent), m_output(std::move(output))
{
    if (!m_output)
        m_output = std::make_unique<LazySoundOutput>();
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.wav")}, QDir::Files);
    for (const QFileInfo& f : files)
        m_files.insert(f.completeBaseName().toUpper(), f.filePath());
}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::play(const QString& name)
{
    const auto s = sound(name);
    if (!s)
        return false;
    m_output->play(*s);
    return true;
}

void SoundPlayer::playsounds(const QString& name)
{
    if (m_playSounds)
        play(name);
}

std::optional<PcmSound> SoundPlayer::sound(const QString& name)
{
    const QString key = name.toUpper();
    const auto cached = m_decoded.constFind(key);
    if (cached != m_decoded.cend())
        return *cached;
    const auto path = m_files.constFind(key);
    if (path == m_files.cend())
        return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return std::nullopt;
    const auto wave = WaveFile::parse(file.readAll());
    const auto pcm = wave ? SoundDecoder::decode(*wave) : std::nullopt;
    if (pcm)
        m_decoded.insert(key, *pcm);
    return pcm;
}
