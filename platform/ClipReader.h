#pragma once

#include <cstddef>
#include <memory>
#include <vector>

struct sf_private_tag;

namespace platform {

// The 16-bit frames of a short clip, decoded once for every play of it.
struct DecodedClip {
    unsigned rate = 0;
    unsigned channels = 0;
    std::vector<short> samples;
};

// One play's samples at the file's own rate and channel count: a short clip's
// shared decode, or the play's own handle on a longer file, read as it plays.
class ClipReader {
public:
    explicit ClipReader(std::shared_ptr<const DecodedClip> decoded);
    ClipReader(sf_private_tag* file, unsigned rate, unsigned channels);

    unsigned Rate() const { return rate_; }
    unsigned Channels() const { return channels_; }
    std::size_t FrameBytes() const { return 2 * channels_; }

    // Whole frames into `into`, at most maxBytes; fewer only at the end.
    std::size_t Read(void* into, std::size_t maxBytes);

private:
    struct FileCloser {
        void operator()(sf_private_tag* file) const;
    };
    std::shared_ptr<const DecodedClip> decoded_;
    std::size_t offset_ = 0;  // in samples of decoded_
    std::unique_ptr<sf_private_tag, FileCloser> file_;
    unsigned rate_;
    unsigned channels_;
};

}  // namespace platform
