#include "platform/ClipCache.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>

namespace platform {

namespace {

// Shorter clips are decoded whole and shared; longer ones are read as they
// play, so memory does not follow a clip's length.
constexpr sf_count_t kShortSeconds = 4;

bool SameFile(const struct stat& info, dev_t device, ino_t inode, off_t size, const timespec& modified)
{
    return info.st_dev == device && info.st_ino == inode && info.st_size == size &&
           info.st_mtim.tv_sec == modified.tv_sec && info.st_mtim.tv_nsec == modified.tv_nsec;
}

// Only a regular file: a named pipe or a device in the data folder would
// block the caller.
int OpenRegularFile(const std::string& path, struct stat& info)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

// The header's length is only a claim: the decode stops at twice the limit.
std::shared_ptr<DecodedClip> DecodeWhole(SNDFILE* file, const SF_INFO& format)
{
    auto clip = std::make_shared<DecodedClip>();
    clip->rate = unsigned(format.samplerate);
    clip->channels = unsigned(format.channels);
    const sf_count_t limit = 2 * kShortSeconds * format.samplerate;
    clip->samples.resize(std::size_t(std::min(format.frames, limit) * format.channels));
    sf_count_t frames = 0;
    for (;;) {
        if (std::size_t(frames * format.channels) == clip->samples.size()) {
            if (frames >= limit)
                break;
            clip->samples.resize(clip->samples.size() + std::size_t(format.samplerate * format.channels));
        }
        const sf_count_t room = sf_count_t(clip->samples.size()) / format.channels - frames;
        const sf_count_t got = sf_readf_short(file, clip->samples.data() + frames * format.channels, room);
        if (got <= 0)
            break;
        frames += got;
    }
    clip->samples.resize(std::size_t(frames * format.channels));
    clip->samples.shrink_to_fit();
    return clip;
}

std::vector<ClipReader> Shared(const std::shared_ptr<const DecodedClip>& clip, std::size_t count)
{
    std::vector<ClipReader> readers;
    readers.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        readers.emplace_back(clip);
    return readers;
}

}  // namespace

std::vector<ClipReader> ClipCache::Open(const std::string& path, std::size_t count)
{
    struct stat info {};
    const int fd = OpenRegularFile(path, info);
    if (fd < 0)
        return {};
    std::erase_if(entries_, [](const auto& entry) { return entry.second.clip.expired(); });
    const auto known = entries_.find(path);
    if (known != entries_.end()) {
        const Entry& entry = known->second;
        if (auto clip = entry.clip.lock(); clip && SameFile(info, entry.device, entry.inode, entry.size, entry.modified)) {
            close(fd);
            return Shared(clip, count);
        }
    }
    std::vector<ClipReader> readers = Decode(fd, info, path, count);
    if (readers.empty())
        SayUndecodable(path);
    return readers;
}

std::vector<ClipReader> ClipCache::Decode(int fd, const struct stat& info, const std::string& path,
                                          std::size_t count)
{
    SF_INFO format{};
    SNDFILE* file = sf_open_fd(fd, SFM_READ, &format, SF_TRUE);
    if (!file)
        return {};
    if (format.samplerate <= 0 || format.channels <= 0) {
        sf_close(file);
        return {};
    }
    if (format.frames <= kShortSeconds * format.samplerate) {
        std::shared_ptr<const DecodedClip> clip = DecodeWhole(file, format);
        sf_close(file);
        entries_[path] = Entry{clip, info.st_dev, info.st_ino, info.st_size, info.st_mtim};
        return Shared(clip, count);
    }
    // Each play reads from its own handle.
    std::vector<ClipReader> readers;
    readers.emplace_back(file, unsigned(format.samplerate), unsigned(format.channels));
    while (readers.size() < count) {
        struct stat again {};
        const int other = OpenRegularFile(path, again);
        SF_INFO otherFormat{};
        SNDFILE* otherFile = other < 0 ? nullptr : sf_open_fd(other, SFM_READ, &otherFormat, SF_TRUE);
        if (!otherFile)
            break;
        readers.emplace_back(otherFile, unsigned(otherFormat.samplerate), unsigned(otherFormat.channels));
    }
    return readers;
}

void ClipCache::SayUndecodable(const std::string& path)
{
    if (toldUndecodable_.insert(path).second)
        std::cerr << "talking-clock: no decoder reads " << path << "; it plays nothing\n";
}

}  // namespace platform
