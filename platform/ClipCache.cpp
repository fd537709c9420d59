#include "platform/ClipCache.h"

#include <sndfile.h>
#include <unistd.h>

#include <iostream>

#include "platform/QtAccess.h"

namespace platform {
namespace {

// Shorter clips are decoded once, as they play, into room for twice this, and
// shared; longer ones are read by each play, so memory does not follow length.
constexpr sf_count_t kShortSeconds = 4;

SNDFILE* OpenSound(int fd, SF_INFO& format)
{
    SNDFILE* sound = fd < 0 ? nullptr : sf_open_fd(fd, SFM_READ, &format, SF_TRUE);
    if (sound && (format.samplerate <= 0 || format.channels <= 0)) {
        sf_close(sound);
        return nullptr;
    }
    return sound;
}

std::vector<ClipReader> Shared(const std::shared_ptr<DecodedClip>& clip, std::size_t count)
{
    std::vector<ClipReader> readers;
    for (std::size_t i = 0; i < count; ++i)
        readers.emplace_back(clip);
    return readers;
}

bool Unchanged(const struct stat& now, const struct stat& then)
{
    return now.st_dev == then.st_dev && now.st_ino == then.st_ino && now.st_size == then.st_size &&
           now.st_mtim.tv_sec == then.st_mtim.tv_sec && now.st_mtim.tv_nsec == then.st_mtim.tv_nsec;
}

}  // namespace

std::vector<ClipReader> ClipCache::Open(const std::string& path, std::size_t count)
{
    struct stat file {};
    const int fd = OpenRegularFile(path, file);
    if (fd < 0)
        return {};
    std::erase_if(entries_, [](const auto& entry) { return entry.second.clip.expired(); });
    const auto known = entries_.find(path);
    if (known != entries_.end() && Unchanged(file, known->second.file)) {
        close(fd);
        return Shared(known->second.clip.lock(), count);
    }
    SF_INFO format{};
    SNDFILE* sound = OpenSound(fd, format);
    if (!sound) {
        if (toldUndecodable_.insert(path).second)
            std::cerr << "talking-clock: no decoder reads " << path << "; it plays nothing\n";
        return {};
    }
    if (format.frames <= kShortSeconds * format.samplerate) {
        auto clip = std::make_shared<DecodedClip>(SoundFile(sound, sf_close), unsigned(format.samplerate),
                                                  unsigned(format.channels));
        clip->samples.reserve(std::size_t(2 * kShortSeconds * format.samplerate * format.channels));
        entries_[path] = Entry{clip, file};
        return Shared(clip, count);
    }
    std::vector<ClipReader> readers;
    while (sound) {
        readers.emplace_back(sound, unsigned(format.samplerate), unsigned(format.channels));
        sound = readers.size() < count ? OpenSound(OpenRegularFile(path, file), format) : nullptr;
    }
    return readers;
}

}  // namespace platform
