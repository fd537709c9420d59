#include "platform/ClipReader.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

// Whole steps of about 125 ms, so a write callback decodes a little at once.
// The header's length is only a claim: the decode stops at maxSamples.
void DecodeTo(DecodedClip& clip, std::size_t samples)
{
    const std::size_t step = std::max(1u, clip.rate / 8) * clip.channels;
    while (clip.file && clip.samples.size() < samples) {
        const std::size_t had = clip.samples.size();
        clip.samples.resize(had + step);
        const sf_count_t got = sf_readf_short(clip.file.get(), &clip.samples[had], sf_count_t(step / clip.channels));
        clip.samples.resize(had + std::size_t(std::max<sf_count_t>(got, 0)) * clip.channels);
        if (got <= 0 || clip.samples.size() >= clip.maxSamples)
            clip.file = nullptr;
    }
}

}  // namespace

ClipReader::ClipReader(std::shared_ptr<DecodedClip> decoded)
    : decoded_(std::move(decoded)), rate_(decoded_->rate), channels_(decoded_->channels)
{
}

ClipReader::ClipReader(SNDFILE* file, unsigned rate, unsigned channels) : file_(file), rate_(rate), channels_(channels)
{
}

void SoundFileCloser::operator()(SNDFILE* file) const { sf_close(file); }

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
