#pragma once

#include <string>

#include "platform/Sound.h"

namespace platform {

// The real output: each play gets its own Qt media player, so several sounds
// overlap, and each player deletes itself once its file has ended or failed.
class QtSoundOutput : public SoundOutput {
public:
    void Play(const std::string& path) override;

    // Plays a moment of silence through the same path as an MP3 clip, so that
    // the media backend has loaded its decoder and opened its audio stream
    // before the first real sound.
    static void PlaySilence();
};

}  // namespace platform
