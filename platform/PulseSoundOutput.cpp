#include "platform/PulseSoundOutput.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <iostream>
#include <ranges>

#include "platform/Sound.h"

namespace platform {
namespace {

// Enough to ride over a busy moment, asked for half at a time to wake the
// sound thread less; the server's own choice would buffer about two seconds.
constexpr pa_usec_t kBufferUsec = 250 * PA_USEC_PER_MSEC;
constexpr pa_usec_t kRefillUsec = kBufferUsec / 2;

// The server chokes on a few dozen streams (32 stretched a 1 s clip to 1.9 s,
// 250 had it killed). Further plays of a clip join its newest stream: they
// would only have made it louder.
constexpr std::size_t kMaxStreamsPerClip = 16;

// Without a server, every play of a busy minute would try again.
constexpr auto kRetryAfter = std::chrono::seconds(1);

// Holds the loop's lock until it goes out of scope.
using LoopLock = std::unique_ptr<pa_threaded_mainloop, decltype(&pa_threaded_mainloop_unlock)>;

LoopLock Lock(pa_threaded_mainloop* loop)
{
    pa_threaded_mainloop_lock(loop);
    return {loop, pa_threaded_mainloop_unlock};
}

std::shared_ptr<SoundOutput> installedOutput;

}  // namespace

void SetSoundOutput(std::shared_ptr<SoundOutput> output) { installedOutput = std::move(output); }

void Sound::Play(std::size_t times)
{
    if (!installedOutput)
        installedOutput = std::make_shared<PulseSoundOutput>();
    installedOutput->Play(path_, times);
}

PulseSoundOutput::~PulseSoundOutput()
{
    if (!loop_)
        return;
    // The thread first, so no callback runs; the streams last.
    pa_threaded_mainloop_stop(loop_);
    for (Stream& stream : streams_)
        Detach(stream);
    DropContext();
    for (Stream& stream : streams_)
        if (stream.stream)
            pa_stream_unref(stream.stream);
    pa_threaded_mainloop_free(loop_);
}

void PulseSoundOutput::Play(const std::string& path, std::size_t times)
{
    if (times == 0)
        return;
    // No server, no decode.
    std::vector<ClipReader> readers;
    if (StartLoop() && ReadyToPlay())
        readers = clips_.Open(path, std::min(times, kMaxStreamsPerClip));
    if (readers.empty()) {
        Ended(times);
        return;
    }
    const LoopLock lock = Lock(loop_);
    if (!context_ || !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_))) {
        Ended(times);
        return;
    }
    const bool ready = pa_context_get_state(context_) == PA_CONTEXT_READY;
    std::size_t left = times;
    for (ClipReader& reader : readers) {
        const std::size_t plays = &reader == &readers.back() ? left : 1;
        left -= plays;
        if (JoinPlaying(path, plays))
            continue;
        Stream& stream = streams_.emplace_back(Stream{this, path, std::move(reader), plays});
        if (ready)
            Start(stream);
    }
}

// With the first play: none is made before the first paint.
bool PulseSoundOutput::StartLoop()
{
    if (loop_)
        return true;
    loop_ = pa_threaded_mainloop_new();
    if (loop_ && pa_threaded_mainloop_start(loop_) == 0)
        return true;
    if (loop_)
        pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
    return false;
}

// Whether a context is up or on its way; connects at most once a second.
bool PulseSoundOutput::ReadyToPlay()
{
    const LoopLock lock = Lock(loop_);
    if (context_ && PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)))
        return true;
    if (lastConnect_ && Clock::now() - *lastConnect_ < kRetryAfter)
        return false;
    Connect();
    return context_ != nullptr;
}

// A context that failed stays failed; a new one finds a restarted server.
void PulseSoundOutput::Connect()
{
    DropContext();
    lastConnect_ = Clock::now();
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "talking-clock");
    if (!context_)
        return;
    pa_context_set_state_callback(context_, OnContextState, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        DropContext();
        SkipWaiting();
    }
}

// Silently: ends its streams if it still runs.
void PulseSoundOutput::DropContext()
{
    if (!context_)
        return;
    pa_context_set_state_callback(context_, nullptr, nullptr);
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
}

void PulseSoundOutput::Start(Stream& stream)
{
    const pa_sample_spec spec{PA_SAMPLE_S16NE, stream.reader.Rate(), uint8_t(stream.reader.Channels())};
    const bool valid = stream.reader.Channels() <= PA_CHANNELS_MAX && pa_sample_spec_valid(&spec);
    stream.stream = valid ? pa_stream_new(context_, "clip", &spec, nullptr) : nullptr;
    if (!stream.stream) {
        Release(&stream);
        return;
    }
    pa_stream_set_state_callback(stream.stream, OnStreamState, &stream);
    pa_stream_set_write_callback(stream.stream, OnWrite, &stream);
    const auto unset = uint32_t(-1);
    pa_buffer_attr buffer{unset, uint32_t(pa_usec_to_bytes(kBufferUsec, &spec)), unset,
                          uint32_t(pa_usec_to_bytes(kRefillUsec, &spec)), unset};
    if (pa_stream_connect_playback(stream.stream, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) < 0)
        Release(&stream);
}

// Waiting plays count too: a server that never answers must not pile them up.
bool PulseSoundOutput::JoinPlaying(const std::string& path, std::size_t plays)
{
    const auto samePath = [&path](const Stream& stream) { return stream.path == path; };
    if (std::ranges::count_if(streams_, samePath) < std::ptrdiff_t(kMaxStreamsPerClip))
        return false;
    std::ranges::find_if(streams_ | std::views::reverse, samePath)->plays += plays;
    return true;
}

// No callback of the stream comes after this.
void PulseSoundOutput::Detach(Stream& stream)
{
    if (!stream.stream)
        return;
    pa_stream_set_state_callback(stream.stream, nullptr, nullptr);
    pa_stream_set_write_callback(stream.stream, nullptr, nullptr);
    if (stream.drain) {
        pa_operation_cancel(stream.drain);
        pa_operation_unref(stream.drain);
        stream.drain = nullptr;
    }
}

void PulseSoundOutput::Release(Stream* stream)
{
    if (stream->stream) {
        Detach(*stream);
        pa_stream_disconnect(stream->stream);
        pa_stream_unref(stream->stream);
    }
    Ended(stream->plays);
    streams_.remove_if([stream](const Stream& s) { return &s == stream; });
}

void PulseSoundOutput::SkipWaiting()
{
    if (!toldNoServer_)
        std::cerr << "talking-clock: no sound server; sounds are skipped until one runs\n";
    toldNoServer_ = true;
    for (auto it = streams_.begin(); it != streams_.end();) {
        Stream& stream = *it++;
        if (!stream.stream)
            Release(&stream);
    }
}

void PulseSoundOutput::OnContextState(pa_context* context, void* data)
{
    auto* output = static_cast<PulseSoundOutput*>(data);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        output->toldNoServer_ = false;
        for (auto it = output->streams_.begin(); it != output->streams_.end();) {
            Stream& stream = *it++;
            if (!stream.stream)
                output->Start(stream);
        }
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        if (std::ranges::any_of(output->streams_, [](const Stream& stream) { return !stream.stream; }))
            output->SkipWaiting();
        break;
    default:
        break;
    }
}

void PulseSoundOutput::OnStreamState(pa_stream* handle, void* data)
{
    const pa_stream_state_t state = pa_stream_get_state(handle);
    if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) {
        auto* stream = static_cast<Stream*>(data);
        stream->output->Release(stream);
    }
}

// Read straight into the server's memory. After the last sample the stream
// drains, so the clip is heard to its end.
void PulseSoundOutput::OnWrite(pa_stream* handle, std::size_t bytes, void* data)
{
    auto* stream = static_cast<Stream*>(data);
    const std::size_t frameBytes = stream->reader.FrameBytes();
    while (bytes >= frameBytes) {
        void* buffer = nullptr;
        std::size_t room = bytes;
        if (pa_stream_begin_write(handle, &buffer, &room) < 0 || !buffer)
            return;
        room = std::min(room, bytes) / frameBytes * frameBytes;
        const std::size_t got = room ? stream->reader.Read(buffer, room) : 0;
        if (got > 0)
            pa_stream_write(handle, buffer, got, nullptr, 0, PA_SEEK_RELATIVE);
        else
            pa_stream_cancel_write(handle);
        if (room == 0)
            return;
        if (got < room) {
            pa_stream_set_write_callback(handle, nullptr, nullptr);
            stream->drain = pa_stream_drain(handle, OnDrained, stream);
            return;
        }
        bytes -= got;
    }
}

void PulseSoundOutput::OnDrained(pa_stream*, int, void* data)
{
    auto* stream = static_cast<Stream*>(data);
    pa_operation_unref(stream->drain);
    stream->drain = nullptr;
    stream->output->Release(stream);
}

}  // namespace platform
