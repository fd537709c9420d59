#pragma once

#include <string>
#include <vector>

#include "platform/Sound.h"

// Stands in for the sound server in tests: keeps the path of every play, in
// order; a call for n plays is kept as n plays.
class RecordingSoundOutput : public platform::SoundOutput {
public:
    void Play(const std::string& path, std::size_t times) override { played.insert(played.end(), times, path); }
    std::vector<std::string> played;
};
