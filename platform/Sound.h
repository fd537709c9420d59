#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace platform {

// Where sounds go: the sound server, or a test's own output.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts the file `times` times over, all at once, and returns at once;
    // each plays to its end even when nothing holds on to it.
    virtual void Play(const std::string& path, std::size_t times) = 0;
};

// Installs an output; nullptr restores the real one.
void SetSoundOutput(std::shared_ptr<SoundOutput> output);

// A sound file opened for playing.
class Sound {
public:
    explicit Sound(std::string path) : path_(std::move(path)) {}
    void Play(std::size_t times = 1);

private:
    std::string path_;
};

using SoundPtr = std::shared_ptr<Sound>;

}  // namespace platform
