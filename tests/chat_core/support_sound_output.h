#pragma once

#include "chat/core/sound_output.h"

#include <QList>

// Records what the player asks the sound device to do.
class RecordingSoundOutput : public SoundOutput {
public:
    struct Log {
        QList<PcmSound> played;
        int stops = 0;
    };

    explicit RecordingSoundOutput(Log& log) : m_log(log) { }
    void play(const PcmSound& sound) override { m_log.played.append(sound); }
    void stop() override { ++m_log.stops; }

private:
    Log& m_log;
};
