#pragma once

#include <QByteArray>

// A decoded recording ready for the sound device: signed 16-bit samples in the
// machine's byte order, channels interleaved.
struct PcmSound {
    int sampleRate = 0;
    int channels = 0;
    QByteArray samples;

    qsizetype frames() const { return channels > 0 ? samples.size() / (2 * channels) : 0; }
    bool isEmpty() const { return samples.isEmpty(); }
};
