#include "platform/Sound.h"

#include "platform/PulseSoundOutput.h"

namespace platform {

namespace {

std::shared_ptr<SoundOutput> installedOutput;

}  // namespace

void SetSoundOutput(std::shared_ptr<SoundOutput> output) { installedOutput = std::move(output); }

void Sound::Play(std::size_t times)
{
    if (!installedOutput)
        installedOutput = std::make_shared<PulseSoundOutput>();
    installedOutput->Play(path_, times);
}

}  // namespace platform
