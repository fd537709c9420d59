#pragma once

#include <cstddef>
#include <memory>
#include <vector>

struct sf_private_tag;

namespace platform {

struct SoundFileCloser {
    void operator()(sf_private_tag* file) const;
};
using SoundFile = std::unique_ptr<sf_private_tag, SoundFileCloser>;

// The 16-bit frames of a short clip, shared by every play of it and decoded
// on the sound thread a step ahead of the play that has got furthest.
struct DecodedClip {
    SoundFile file;  // null once decoded to its end or to maxSamples
    unsigned rate = 0;
    unsigned channels = 0;
    std::size_t maxSamples = 0;
    std::vector<short> samples;
};

// Where one play's samples come from, at the file's own rate and channel
// count (the sound server converts): a short clip's shared decode, or the
// play's own handle on a longer file, read as it plays so memory does not
// follow the clip's length. One thread reads.
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
    SoundFile file_;
    unsigned rate_;
    unsigned channels_;
};

}  // namespace platform
