#include "platform/Sound.h"

#include "platform/PulseSoundOutput.h"

namespace platform {

namespace {

std::shared_ptr<SoundOutput>& InstalledOutput()
{
    static std::shared_ptr<SoundOutput> output;
    return output;
}

}  // namespace

void SetSoundOutput(std::shared_ptr<SoundOutput> output)
{
    InstalledOutput() = std::move(output);
}

SoundOutput& CurrentSoundOutput()
{
    auto& output = InstalledOutput();
    if (!output)
        output = std::make_shared<PulseSoundOutput>();
    return *output;
}

}  // namespace platform
