#include "platform/ClipReader.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>

namespace platform {

ClipReader::ClipReader(std::shared_ptr<const DecodedClip> decoded)
    : decoded_(std::move(decoded)), rate_(decoded_->rate), channels_(decoded_->channels)
{
}

ClipReader::ClipReader(SNDFILE* file, unsigned rate, unsigned channels) : file_(file), rate_(rate), channels_(channels)
{
}

void ClipReader::FileCloser::operator()(SNDFILE* file) const { sf_close(file); }

std::size_t ClipReader::Read(void* into, std::size_t maxBytes)
{
    const std::size_t frames = maxBytes / FrameBytes();
    if (file_) {
        // A damaged rest ends the clip as its end does.
        const sf_count_t got = sf_readf_short(file_.get(), static_cast<short*>(into), sf_count_t(frames));
        return got > 0 ? std::size_t(got) * FrameBytes() : 0;
    }
    const std::size_t samples = std::min(frames * channels_, decoded_->samples.size() - offset_);
    std::memcpy(into, decoded_->samples.data() + offset_, samples * sizeof(short));
    offset_ += samples;
    return samples * sizeof(short);
}

}  // namespace platform
