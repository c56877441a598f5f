#pragma once

#include "chat/core/sound_output.h"

#include <QObject>
#include <QPointer>

class QAudioSink;

// Plays sounds on the desktop's default audio output through Qt Multimedia.
// Each sound gets its own sink, released once it has played out or a newer
// sound replaces it.
class AudioSinkOutput : public QObject, public SoundOutput {
    Q_OBJECT
public:
    explicit AudioSinkOutput(QObject* parent = nullptr);
    ~AudioSinkOutput() override;

    void play(const PcmSound& sound) override;
    void stop() override;

    bool isPlaying() const override { return !m_sink.isNull(); }

private:
    void release();

    QPointer<QAudioSink> m_sink;
};
