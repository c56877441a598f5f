#include "sound_decoder.h"

#include <QtEndian>

#include <mpg123.h>

#include <memory>

namespace {

struct Mpg123Closer {
    void operator()(mpg123_handle* h) const
    {
        mpg123_close(h);
        mpg123_delete(h);
    }
};
using Mpg123Handle = std::unique_ptr<mpg123_handle, Mpg123Closer>;

Mpg123Handle openFeed()
{
    int err = MPG123_OK;
    Mpg123Handle h(mpg123_new(nullptr, &err));
    if (!h)
        return nullptr;
    mpg123_param(h.get(), MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0);
    // Decode at the stream's own rate and channels, always as 16-bit samples.
    mpg123_format_none(h.get());
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(h.get(), rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open_feed(h.get()) != MPG123_OK)
        return nullptr;
    return h;
}

} // namespace

std::optional<PcmSound> SoundDecoder::decode(const WaveFile& wave)
{
    if (wave.formatTag == WaveFile::MpegLayer3)
        return decodeMp3(wave);
    if (wave.formatTag != WaveFile::Pcm)
        return std::nullopt;
    return decodePcm(wave);
}

PcmSound SoundDecoder::decodePcm(const WaveFile& wave)
{
    PcmSound s;
    s.sampleRate = int(wave.sampleRate);
    s.channels = wave.channels;
    const qsizetype cap = qsizetype(MaxSeconds) * s.sampleRate * s.channels * (wave.bitsPerSample / 8);
    const QByteArray data = wave.data.left(cap);
    if (wave.bitsPerSample == 16) {
        s.samples.resize(data.size());
        qFromLittleEndian<qint16>(data.constData(), data.size() / 2, s.samples.data());
        return s;
    }
    // 8-bit WAVE samples are unsigned with silence at 128.
    s.samples.resize(data.size() * 2);
    auto* out = reinterpret_cast<qint16*>(s.samples.data());
    for (qsizetype i = 0; i < data.size(); ++i)
        out[i] = qint16((int(quint8(data.at(i))) - 128) * 256);
    return s;
}

std::optional<PcmSound> SoundDecoder::decodeMp3(const WaveFile& wave)
{
    Mpg123Handle h = openFeed();
    if (!h
        || mpg123_feed(h.get(), reinterpret_cast<const unsigned char*>(wave.data.constData()), size_t(wave.data.size()))
            != MPG123_OK)
        return std::nullopt;
    PcmSound s;
    unsigned char buffer[16384];
    for (;;) {
        size_t done = 0;
        const int rc = mpg123_read(h.get(), buffer, sizeof buffer, &done);
        s.samples.append(reinterpret_cast<const char*>(buffer), qsizetype(done));
        if (rc == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0;
            int encoding = 0;
            mpg123_getformat(h.get(), &rate, &channels, &encoding);
            s.sampleRate = int(rate);
            s.channels = channels;
        } else if (rc != MPG123_OK) {
            break; // MPG123_NEED_MORE: the whole file has been fed; anything else is damage
        }
        if (s.sampleRate > 0 && s.samples.size() > qsizetype(MaxSeconds) * s.sampleRate * s.channels * 2)
            break;
    }
    if (s.sampleRate <= 0 || s.channels <= 0 || s.samples.isEmpty())
        return std::nullopt;
    s.samples.truncate(s.samples.size() - s.samples.size() % (2 * s.channels));
    return s;
}
