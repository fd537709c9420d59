#pragma once

#include <cstddef>
#include <memory>
#include <vector>

struct sf_private_tag;

namespace platform {

using SoundFile = std::unique_ptr<sf_private_tag, int (*)(sf_private_tag*)>;  // closed by sf_close

// The 16-bit frames of a short clip, shared by every play of it and decoded
// a step ahead of the play that has got furthest. One thread reads either.
struct DecodedClip {
    SoundFile file{nullptr, nullptr};  // null once decoded to its end or to its room
    unsigned rate = 0;
    unsigned channels = 0;
    std::vector<short> samples;  // reserved to the most it may hold
};

// One play's samples at the file's own rate and channel count: a short clip's
// shared decode, or the play's own handle on a longer file, read as it plays.
class ClipReader {
public:
    explicit ClipReader(std::shared_ptr<DecodedClip> decoded);
    ClipReader(sf_private_tag* file, unsigned rate, unsigned channels);

    unsigned Rate() const { return rate_; }
    unsigned Channels() const { return channels_; }
    std::size_t FrameBytes() const { return 2 * channels_; }

    // Whole frames into `into`, at most maxBytes; fewer only at the end.
    std::size_t Read(void* into, std::size_t maxBytes);

private:
    std::shared_ptr<DecodedClip> decoded_;
    std::size_t offset_ = 0;  // in samples of decoded_
    SoundFile file_{nullptr, nullptr};
    unsigned rate_;
    unsigned channels_;
};

}  // namespace platform
