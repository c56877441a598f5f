#pragma once

#include "pcm_sound.h"

// Where decoded sounds go. The player hands over one sound at a time; starting
// one must cut off the one still playing. Neither call may block or fail loudly:
// without a device the sound is simply not heard.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void play(const PcmSound& sound) = 0;
    virtual void stop() = 0;
    // Whether a sound is still being heard; an output that cannot tell says no.
    virtual bool isPlaying() const { return false; }
};
