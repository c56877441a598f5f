#pragma once

#include "pcm_sound.h"
#include "wave_file.h"

#include <optional>

// Turns the data of a WAVE file into 16-bit samples: 8-bit and 16-bit PCM
// directly, MPEG Layer-3 through libmpg123 (which drops the encoder's delay and
// padding, so the length matches the original recording).
class SoundDecoder {
public:
    // Longest recording decoded; a chatter sound is a few seconds, anything
    // far beyond is a damaged file that must not fill the memory.
    static constexpr int MaxSeconds = 60;

    static std::optional<PcmSound> decode(const WaveFile& wave);

private:
    static PcmSound decodePcm(const WaveFile& wave);
    static std::optional<PcmSound> decodeMp3(const WaveFile& wave);
};
