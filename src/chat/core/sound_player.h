#pragma once

#include "pcm_sound.h"
#include "sound_output.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

// The program's recordings, found by name in any letter case ("bomb", "WAVE5")
// among the WAVE files of a resource folder, decoded once and played
// asynchronously; starting a sound stops the one still playing. A name without
// a recording, or one that does not decode, plays nothing.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    static QString defaultFolder() { return QStringLiteral(":/sounds"); }

    // output: where sounds are played; null means the default audio device.
    explicit SoundPlayer(std::unique_ptr<SoundOutput> output = nullptr, const QString& folder = defaultFolder(),
                         QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Plays the recording whatever the options say; false when there is none.
    bool play(const QString& name);

    // A game sound: played only while "Play Sounds" is ticked.
    void playsounds(const QString& name);
    void setPlaySounds(bool on) { m_playSounds = on; }
    bool playSounds() const { return m_playSounds; }

    // The decoded recording of that name.
    std::optional<PcmSound> sound(const QString& name);
    // Upper-case names of every recording in the folder.
    QStringList names() const { return m_files.keys(); }

private:
    std::unique_ptr<SoundOutput> m_output;
    QHash<QString, QString> m_files; // upper-case name -> file path
    QHash<QString, PcmSound> m_decoded; // upper-case name -> samples
    bool m_playSounds = true;
};
