#pragma once

#include <string>
#include <vector>

#include "platform/Sound.h"

// Stands in for the sound server in tests: keeps the path of every play, in
// order.
class RecordingSoundOutput : public platform::SoundOutput {
public:
    void Play(const std::string& path) override { played.push_back(path); }
    std::vector<std::string> played;
};
