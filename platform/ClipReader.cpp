#include "platform/ClipReader.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>

namespace platform {

// Steps of about 125 ms, so a write callback decodes a little at a time. It
// stops at the room reserved: the header's length is only a claim.
static void DecodeTo(DecodedClip& clip, std::size_t samples)
{
    while (clip.file && clip.samples.size() < samples) {
        const std::size_t had = clip.samples.size();
        const auto frames = std::min<std::size_t>(clip.rate / 8 + 1, (clip.samples.capacity() - had) / clip.channels);
        clip.samples.resize(had + frames * clip.channels);
        const sf_count_t got = sf_readf_short(clip.file.get(), clip.samples.data() + had, sf_count_t(frames));
        clip.samples.resize(had + std::size_t(std::max<sf_count_t>(got, 0)) * clip.channels);
        if (got <= 0)
            clip.file = nullptr;
    }
}

ClipReader::ClipReader(std::shared_ptr<DecodedClip> decoded)
    : decoded_(std::move(decoded)), rate_(decoded_->rate), channels_(decoded_->channels)
{
}

ClipReader::ClipReader(SNDFILE* file, unsigned rate, unsigned channels)
    : file_(file, sf_close), rate_(rate), channels_(channels)
{
}

std::size_t ClipReader::Read(void* into, std::size_t maxBytes)
{
    const std::size_t frames = maxBytes / FrameBytes();
    if (file_) {
        // A damaged rest ends the clip as its end does.
        const sf_count_t got = sf_readf_short(file_.get(), static_cast<short*>(into), sf_count_t(frames));
        return got > 0 ? std::size_t(got) * FrameBytes() : 0;
    }
    DecodeTo(*decoded_, offset_ + frames * channels_);
    const std::size_t samples = std::min(frames * channels_, decoded_->samples.size() - offset_);
    std::memcpy(into, decoded_->samples.data() + offset_, samples * sizeof(short));
    offset_ += samples;
    return samples * sizeof(short);
}

}  // namespace platform
