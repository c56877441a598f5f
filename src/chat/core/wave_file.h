#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The parts of a RIFF/WAVE file a player needs. Only plain PCM (8 or 16 bit)
// and MPEG Layer-3 data are accepted.
struct WaveFile {
    static constexpr quint16 Pcm = 0x0001;
    static constexpr quint16 MpegLayer3 = 0x0055;

    quint16 formatTag = 0;
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
    // Samples per channel from the "fact" chunk; 0 when there is none.
    quint32 factSamples = 0;
    QByteArray data;

    // Refuses a file whose header or any chunk claims more bytes than the file
    // holds, or whose format cannot be played; never reads past the end.
    static std::optional<WaveFile> parse(QByteArrayView bytes);
};
