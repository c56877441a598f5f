#include "audio_sink_output.h"

#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

AudioSinkOutput::AudioSinkOutput(QObject* parent) : QObject(parent)
{
}

AudioSinkOutput::~AudioSinkOutput()
{
    release();
}

void AudioSinkOutput::play(const PcmSound& sound)
{
    release();
    if (sound.isEmpty())
        return;
    // Without a device a sink fails only at start(); asking first keeps a
    // machine without sound from building sinks for every game event.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return;
    QAudioFormat format;
    format.setSampleRate(sound.sampleRate);
    format.setChannelCount(sound.channels);
    format.setSampleFormat(QAudioFormat::Int16);
    auto* sink = new QAudioSink(device, format, this);
    // The buffer is the sink's child so it outlives the sink's last read.
    auto* buffer = new QBuffer(sink);
    buffer->setData(sound.samples);
    buffer->open(QIODevice::ReadOnly);
    m_sink = sink;
    connect(sink, &QAudioSink::stateChanged, this, [this, sink](QAudio::State state) {
        if (state == QAudio::IdleState && m_sink == sink)
            release();
    });
    sink->start(buffer);
    if (sink->error() != QAudio::NoError)
        release();
}

void AudioSinkOutput::stop()
{
    release();
}

void AudioSinkOutput::release()
{
    if (!m_sink)
        return;
    QAudioSink* sink = m_sink;
    m_sink.clear();
    sink->disconnect(this);
    sink->stop();
    // Deleted later: release() may run inside the sink's own state signal.
    sink->deleteLater();
}
