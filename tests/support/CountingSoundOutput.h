#pragma once

#include <atomic>
#include <cstddef>
#include <string>

#include "platform/PulseSoundOutput.h"

// The real sound output, counting the plays not yet ended (those waiting for
// the server included), so a test or tool knows when all have been heard.
class CountingSoundOutput : public platform::PulseSoundOutput {
public:
    ~CountingSoundOutput() override = default;

    void Play(const std::string& path, std::size_t times) override
    {
        playing_ += times;
        PulseSoundOutput::Play(path, times);
    }
    std::size_t Playing() const { return playing_; }

protected:
    void Ended(std::size_t plays) override { playing_ -= plays; }

private:
    std::atomic<std::size_t> playing_{0};
};
