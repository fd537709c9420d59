#include "platform/PulseSoundOutput.h"

#include <pulse/pulseaudio.h>

#include <iostream>

namespace platform {

namespace {

// Enough to ride over a busy moment; more only delays the start: buffer
// attributes left to the server wait for about two seconds of data.
constexpr pa_usec_t kBufferUsec = 100 * PA_USEC_PER_MSEC;

// The server mixes and resamples each stream on its own and chokes on a few
// dozen: 32 streams started together stretched a 1 s clip to 1.9 s, and 250
// had PulseAudio killed for hogging its real-time thread. Further plays of a
// clip that many streams play join its newest stream and end with it; they
// would only have made it louder.
constexpr std::size_t kMaxStreamsPerClip = 16;

// Without a server, every play of a busy minute would try again.
constexpr auto kRetryAfter = std::chrono::seconds(1);

class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop_); }
    ~LoopLock() { pa_threaded_mainloop_unlock(loop_); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* loop_;
};

}  // namespace

PulseSoundOutput::~PulseSoundOutput()
{
    if (!loop_)
        return;
    // The loop thread first, so no callback runs during the teardown; then
    // the context, whose disconnect ends its streams; the streams last.
    pa_threaded_mainloop_stop(loop_);
    for (Stream& stream : streams_)
        Detach(stream);
    DropContext();
    for (Stream& stream : streams_)
        pa_stream_unref(stream.stream);
    streams_.clear();
    pa_threaded_mainloop_free(loop_);
}

void PulseSoundOutput::Play(const std::string& path, std::size_t times)
{
    if (times == 0 || !StartLoop())
        return;
    LoopLock lock(loop_);
    if (!context_ || !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_))) {
        if (lastConnect_ && Clock::now() - *lastConnect_ < kRetryAfter)
            return;
        Connect();
    }
    // The file is opened only when it can play: no server, no decode.
    std::shared_ptr<Mp3Clip> clip = context_ ? clips_.Get(path) : nullptr;
    if (!clip)
        return;
    for (std::size_t i = 0; i < times; ++i) {
        if (pa_context_get_state(context_) == PA_CONTEXT_READY)
            Start(clip);
        else
            Wait(clip);
    }
}

std::size_t PulseSoundOutput::Playing()
{
    if (!loop_)
        return 0;
    LoopLock lock(loop_);
    std::size_t plays = 0;
    for (const Waiting& waiting : waiting_)
        plays += waiting.plays;
    for (const Stream& stream : streams_)
        plays += stream.plays;
    return plays;
}

// Started with the first play, so a program that plays nothing has no
// sound thread, and none is made before the first paint.
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

// Counted, not listed: a server that accepts and never answers must not
// make every minute's plays pile up.
void PulseSoundOutput::Wait(std::shared_ptr<Mp3Clip> clip)
{
    if (!waiting_.empty() && waiting_.back().clip == clip)
        ++waiting_.back().plays;
    else
        waiting_.push_back(Waiting{std::move(clip)});
}

void PulseSoundOutput::Start(std::shared_ptr<Mp3Clip> clip)
{
    if (JoinPlaying(*clip))
        return;
    const pa_sample_spec spec{PA_SAMPLE_S16NE, clip->Rate(), uint8_t(clip->Channels())};
    pa_stream* handle = pa_stream_new(context_, "clip", &spec, nullptr);
    if (!handle)
        return;
    Stream& stream = streams_.emplace_back(Stream{this, std::move(clip), handle});
    pa_stream_set_state_callback(handle, OnStreamState, &stream);
    pa_stream_set_write_callback(handle, OnWrite, &stream);
    const auto unset = uint32_t(-1);
    pa_buffer_attr buffer{unset, uint32_t(pa_usec_to_bytes(kBufferUsec, &spec)), unset, unset, unset};
    if (pa_stream_connect_playback(handle, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) < 0)
        Release(&stream);
}

bool PulseSoundOutput::JoinPlaying(const Mp3Clip& clip)
{
    std::size_t playing = 0;
    Stream* newest = nullptr;
    for (Stream& stream : streams_) {
        if (stream.clip.get() == &clip) {
            ++playing;
            newest = &stream;
        }
    }
    if (playing < kMaxStreamsPerClip)
        return false;
    ++newest->plays;
    return true;
}

// No callback of the stream comes after this.
void PulseSoundOutput::Detach(Stream& stream)
{
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
    Detach(*stream);
    pa_stream_disconnect(stream->stream);
    pa_stream_unref(stream->stream);
    streams_.remove_if([stream](const Stream& s) { return &s == stream; });
}

void PulseSoundOutput::SkipWaiting()
{
    if (!toldNoServer_)
        std::cerr << "talking-clock: no sound server; sounds are skipped until one runs\n";
    toldNoServer_ = true;
    waiting_.clear();
}

void PulseSoundOutput::OnContextState(pa_context* context, void* data)
{
    auto* output = static_cast<PulseSoundOutput*>(data);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY: {
        output->toldNoServer_ = false;
        auto waiting = std::move(output->waiting_);
        output->waiting_.clear();
        for (const Waiting& plays : waiting)
            for (std::size_t i = 0; i < plays.plays; ++i)
                output->Start(plays.clip);
        break;
    }
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        if (!output->waiting_.empty())
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

// The server asks for data as its buffer empties; after the last sample the
// stream drains, so the clip is heard to its end before the stream goes.
void PulseSoundOutput::OnWrite(pa_stream* handle, std::size_t bytes, void* data)
{
    auto* stream = static_cast<Stream*>(data);
    const auto samples = stream->clip->Read(stream->written, bytes);
    if (!samples.empty()) {
        pa_stream_write(handle, samples.data(), samples.size(), nullptr, 0, PA_SEEK_RELATIVE);
        stream->written += samples.size();
    }
    if (samples.size() < bytes - bytes % stream->clip->FrameBytes()) {
        pa_stream_set_write_callback(handle, nullptr, nullptr);
        stream->drain = pa_stream_drain(handle, OnDrained, stream);
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
