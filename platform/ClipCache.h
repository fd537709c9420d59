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
// once, as it plays, and shared by every play of it while any lasts, so a
// minute that plays its file for many schedule lines decodes it once; a file
// that changed on disk is decoded afresh. A longer one gives each play its own
// handle on the file. Used from one thread.
class ClipCache {
public:
    // Readers for `count` plays, each at the clip's start; none when the file
    // is missing, no regular file, or no decoder accepts it (said once per
    // file on stderr).
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
