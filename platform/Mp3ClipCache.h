#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "platform/Mp3Clip.h"

namespace platform {

// Hands out one shared clip per file while any play of it lasts, so a minute
// that plays its file for every matching schedule line opens and decodes it
// once; its samples go with its last play. A file that changed on disk is
// opened afresh.
class Mp3ClipCache {
public:
    // nullptr when the file is missing or no MP3.
    std::shared_ptr<Mp3Clip> Get(const std::string& path);

private:
    struct Entry {
        std::weak_ptr<Mp3Clip> clip;
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
    };
    std::map<std::string, Entry> entries_;
};

}  // namespace platform
