#include "platform/Mp3ClipCache.h"

#include <system_error>

namespace platform {

std::shared_ptr<Mp3Clip> Mp3ClipCache::Get(const std::string& path)
{
    std::error_code error;
    const auto modified = std::filesystem::last_write_time(path, error);
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return nullptr;
    std::erase_if(entries_, [](const auto& entry) { return entry.second.clip.expired(); });
    Entry& entry = entries_[path];
    std::shared_ptr<Mp3Clip> clip = entry.clip.lock();
    if (!clip || entry.modified != modified || entry.size != size) {
        clip = Mp3Clip::Open(path);
        entry = Entry{clip, modified, size};
    }
    return clip;
}

}  // namespace platform
