#include "wave_file.h"

#include <QtEndian>

namespace {

constexpr quint32 MaxSampleRate = 192000;

quint16 u16(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.data() + at);
}

quint32 u32(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.data() + at);
}

bool readFormat(QByteArrayView chunk, WaveFile& w)
{
    if (chunk.size() < 16)
        return false;
    w.formatTag = u16(chunk, 0);
    w.channels = u16(chunk, 2);
    w.sampleRate = u32(chunk, 4);
    w.blockAlign = u16(chunk, 12);
    w.bitsPerSample = u16(chunk, 14);
    if (w.channels < 1 || w.channels > 2 || w.sampleRate < 1 || w.sampleRate > MaxSampleRate)
        return false;
    if (w.formatTag == WaveFile::MpegLayer3)
        return true;
    return w.formatTag == WaveFile::Pcm && (w.bitsPerSample == 8 || w.bitsPerSample == 16)
        && w.blockAlign == w.channels * w.bitsPerSample / 8;
}

} // namespace

std::optional<WaveFile> WaveFile::parse(QByteArrayView bytes)
{
    if (bytes.size() < 12 || bytes.first(4) != "RIFF" || bytes.sliced(8, 4) != "WAVE")
        return std::nullopt;
    // The RIFF size counts from byte 8; a file shorter than it claims is cut off.
    const quint64 riffEnd = quint64(u32(bytes, 4)) + 8;
    if (riffEnd > quint64(bytes.size()) || riffEnd < 12)
        return std::nullopt;
    const QByteArrayView riff = bytes.first(qsizetype(riffEnd));
    WaveFile w;
    bool haveFormat = false;
    bool haveData = false;
    qsizetype at = 12;
    while (riff.size() - at >= 8) {
        const QByteArrayView id = riff.sliced(at, 4);
        const quint32 size = u32(riff, at + 4);
        at += 8;
        if (size > quint64(riff.size() - at))
            return std::nullopt;
        const QByteArrayView body = riff.sliced(at, size);
        if (id == "fmt ") {
            if (!readFormat(body, w))
                return std::nullopt;
            haveFormat = true;
        } else if (id == "fact" && size >= 4) {
            w.factSamples = u32(body, 0);
        } else if (id == "data" && !haveData) {
            w.data = body.toByteArray();
            haveData = true;
        }
        at += size + (size & 1); // chunks are padded to even length
    }
    if (!haveFormat || !haveData)
        return std::nullopt;
    if (w.formatTag == Pcm)
        w.data.truncate(w.data.size() - w.data.size() % w.blockAlign);
    return w;
}
