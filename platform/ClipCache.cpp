#include "platform/ClipCache.h"

#include <sndfile.h>
#include <unistd.h>

#include <iostream>

#include "platform/QtAccess.h"

namespace platform {
namespace {

// Longer clips are read as they play, so memory does not follow their length.
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

// The header's length is only a claim: the decode stops at twice the limit.
std::shared_ptr<const DecodedClip> DecodeWhole(SNDFILE* sound, const SF_INFO& format)
{
    auto clip = std::make_shared<DecodedClip>(unsigned(format.samplerate), unsigned(format.channels));
    const sf_count_t limit = 2 * kShortSeconds * format.samplerate;
    sf_count_t frames = 0;
    for (sf_count_t got = 1; got > 0 && frames < limit; frames += got) {
        clip->samples.resize(std::size_t((frames + format.samplerate) * format.channels));
        got = std::max<sf_count_t>(0, sf_readf_short(sound, &clip->samples[std::size_t(frames * format.channels)],
                                                     format.samplerate));
    }
    clip->samples.resize(std::size_t(frames * format.channels));
    clip->samples.shrink_to_fit();
    return clip;
}

std::vector<ClipReader> Shared(const std::shared_ptr<const DecodedClip>& clip, std::size_t count)
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
        const auto clip = DecodeWhole(sound, format);
        sf_close(sound);
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
