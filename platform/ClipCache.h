#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/ClipReader.h"

namespace platform {

// Opens sound files in any format libsndfile reads. A short clip is decoded
// once, as it plays, and shared by its plays while any lasts (afresh once the
// file changed); a longer one gives each play its own handle on the file.
// One thread uses it.
class ClipCache {
public:
    // Readers for `count` plays; none when the file is missing, no regular
    // file, or no decoder accepts it (said once per file on stderr).
    std::vector<ClipReader> Open(const std::string& path, std::size_t count);

private:
    struct Entry {
        std::weak_ptr<DecodedClip> clip;
        struct stat file;
    };
    std::map<std::string, Entry> entries_;
    std::set<std::string> toldUndecodable_;
};

}  // namespace platform
