#pragma once

#include "sound_output.h"

#include <memory>

// The desktop's audio output, loaded from the module "gloopdash-audio" when the
// first audible sound is played. Without the module every sound is silent.
class LazySoundOutput : public SoundOutput {
public:
    LazySoundOutput();
    ~LazySoundOutput() override;

    void play(const PcmSound& sound) override;
    void stop() override;
    bool isPlaying() const override;

private:
    std::unique_ptr<SoundOutput> m_output;
    bool m_tried = false;
};
