#pragma once

#include <chrono>
#include <cstddef>
#include <list>
#include <memory>
#include <optional>
#include <string>

#include "platform/ClipCache.h"
#include "platform/Sound.h"

struct pa_context;
struct pa_operation;
struct pa_stream;
struct pa_threaded_mainloop;

namespace platform {

// Plays sound files through the PulseAudio API (PipeWire serves it too): one
// stream per play, fed on the sound library's thread, so Play never waits for
// the server. Files are opened before the loop's lock is taken and decoded a
// step at a time as they play. Without a server a play is skipped, said once
// on stderr; a play a second later connects again.
class PulseSoundOutput : public SoundOutput {
public:
    PulseSoundOutput() = default;
    ~PulseSoundOutput() override;
    PulseSoundOutput(const PulseSoundOutput&) = delete;
    PulseSoundOutput& operator=(const PulseSoundOutput&) = delete;

    void Play(const std::string& path, std::size_t times) override;

protected:
    // Test seam: plays heard to their end, cut short or skipped; either thread.
    virtual void Ended(std::size_t /*plays*/) {}

private:
    using Clock = std::chrono::steady_clock;
    // A play on its own stream, or waiting for the server when stream is null.
    struct Stream {
        PulseSoundOutput* output;
        std::string path;
        ClipReader reader;
        std::size_t plays = 1;
        pa_stream* stream = nullptr;
        pa_operation* drain = nullptr;
    };

    bool StartLoop();
    bool ReadyToPlay();
    void Connect();
    void DropContext();
    void Start(Stream& stream);
    bool JoinPlaying(const std::string& path, std::size_t plays);
    void Detach(Stream& stream);
    void Release(Stream* stream);
    void SkipWaiting();
    static void OnContextState(pa_context* context, void* output);
    static void OnStreamState(pa_stream* stream, void* entry);
    static void OnWrite(pa_stream* stream, std::size_t bytes, void* entry);
    static void OnDrained(pa_stream* stream, int success, void* entry);

    ClipCache clips_;  // the calling thread's
    pa_threaded_mainloop* loop_ = nullptr;
    // The members below belong to the loop's lock.
    pa_context* context_ = nullptr;
    std::optional<Clock::time_point> lastConnect_;
    std::list<Stream> streams_;
    bool toldNoServer_ = false;
};

}  // namespace platform
