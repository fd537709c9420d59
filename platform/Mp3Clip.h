#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct mpg123_handle_struct;

namespace platform {

// The 16-bit samples of one MP3 file, decoded only as far as a reader has
// asked, so that every play of the file shares one decode and none waits for
// the whole file. Not thread-safe: after Open, one thread reads.
class Mp3Clip {
public:
    // nullptr when the file cannot be read or holds no MPEG audio.
    static std::shared_ptr<Mp3Clip> Open(const std::string& path);
    ~Mp3Clip();
    Mp3Clip(const Mp3Clip&) = delete;
    Mp3Clip& operator=(const Mp3Clip&) = delete;

    unsigned Rate() const { return rate_; }
    unsigned Channels() const { return channels_; }
    std::size_t FrameBytes() const { return 2 * channels_; }

    // Whole frames from byte offset on, at most maxBytes; shorter only at
    // the end of the clip.
    std::span<const unsigned char> Read(std::size_t offset, std::size_t maxBytes);

private:
    Mp3Clip(mpg123_handle_struct* decoder, unsigned rate, unsigned channels);
    void DecodeUntil(std::size_t bytes);

    mpg123_handle_struct* decoder_;  // null once the file is decoded whole
    unsigned rate_;
    unsigned channels_;
    std::vector<unsigned char> pcm_;
};

}  // namespace platform
