#include "platform/Mp3Clip.h"

#include <mpg123.h>

#include <algorithm>

namespace platform {

namespace {

struct DecoderDeleter {
    void operator()(mpg123_handle* decoder) const { mpg123_delete(decoder); }
};
using DecoderPtr = std::unique_ptr<mpg123_handle, DecoderDeleter>;

// Signed 16-bit at whatever rate and channel count the file has: the sound
// server converts, so the decoder never resamples.
DecoderPtr NewDecoder()
{
    DecoderPtr decoder(mpg123_new(nullptr, nullptr));
    if (!decoder)
        return nullptr;
    mpg123_param(decoder.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_format_none(decoder.get());
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(decoder.get(), rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    return decoder;
}

}  // namespace

std::shared_ptr<Mp3Clip> Mp3Clip::Open(const std::string& path)
{
    DecoderPtr decoder = NewDecoder();
    if (!decoder || mpg123_open(decoder.get(), path.c_str()) != MPG123_OK)
        return nullptr;
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(decoder.get(), &rate, &channels, &encoding) != MPG123_OK || rate <= 0 ||
        (channels != 1 && channels != 2))
        return nullptr;
    // A later change of format ends the clip rather than garbling it.
    mpg123_format_none(decoder.get());
    mpg123_format(decoder.get(), rate, channels, MPG123_ENC_SIGNED_16);
    return std::shared_ptr<Mp3Clip>(new Mp3Clip(decoder.release(), unsigned(rate), unsigned(channels)));
}

Mp3Clip::Mp3Clip(mpg123_handle* decoder, unsigned rate, unsigned channels)
    : decoder_(decoder), rate_(rate), channels_(channels)
{
    // The length a header claims may be anything: room for ten minutes at most.
    const off_t frames = std::min<off_t>(mpg123_length(decoder), off_t(rate) * 600);
    if (frames > 0)
        pcm_.reserve(std::size_t(frames) * FrameBytes());
}

Mp3Clip::~Mp3Clip()
{
    mpg123_delete(decoder_);
}

std::span<const unsigned char> Mp3Clip::Read(std::size_t offset, std::size_t maxBytes)
{
    maxBytes -= maxBytes % FrameBytes();
    DecodeUntil(offset + maxBytes);
    if (offset >= pcm_.size())
        return {};
    return std::span<const unsigned char>(pcm_).subspan(offset, std::min(maxBytes, pcm_.size() - offset));
}

void Mp3Clip::DecodeUntil(std::size_t bytes)
{
    while (decoder_ && pcm_.size() < bytes) {
        unsigned char* frame = nullptr;
        size_t size = 0;
        off_t at = 0;
        if (mpg123_decode_frame(decoder_, &at, &frame, &size) != MPG123_OK) {
            // The end, a damaged rest or a new format: keep what played.
            mpg123_delete(decoder_);
            decoder_ = nullptr;
            break;
        }
        pcm_.insert(pcm_.end(), frame, frame + size - size % FrameBytes());
    }
}

}  // namespace platform
