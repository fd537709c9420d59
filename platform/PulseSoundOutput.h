#pragma once

#include <chrono>
#include <cstddef>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Mp3ClipCache.h"
#include "platform/Sound.h"

struct pa_context;
struct pa_operation;
struct pa_stream;
struct pa_threaded_mainloop;

namespace platform {

// Plays MP3 files through the PulseAudio API (served by PipeWire on current
// desktops): one stream per play, fed from the file's shared decoded samples
// on the sound library's own thread, so Play returns at once and never waits
// for the server. Without a server a play is skipped, said once on stderr;
// a play a second later tries to connect again.
class PulseSoundOutput : public SoundOutput {
public:
    PulseSoundOutput() = default;
    ~PulseSoundOutput() override;
    PulseSoundOutput(const PulseSoundOutput&) = delete;
    PulseSoundOutput& operator=(const PulseSoundOutput&) = delete;

    void Play(const std::string& path, std::size_t times) override;
    // Plays started and not yet ended, those waiting for the server included.
    std::size_t Playing();

private:
    using Clock = std::chrono::steady_clock;
    struct Stream {
        PulseSoundOutput* output;
        std::shared_ptr<Mp3Clip> clip;
        pa_stream* stream = nullptr;
        std::size_t plays = 1;
        pa_operation* drain = nullptr;
        std::size_t written = 0;
    };

    struct Waiting {
        std::shared_ptr<Mp3Clip> clip;
        std::size_t plays = 1;
    };

    bool StartLoop();
    void Connect();
    void DropContext();
    void Wait(std::shared_ptr<Mp3Clip> clip);
    void Start(std::shared_ptr<Mp3Clip> clip);
    bool JoinPlaying(const Mp3Clip& clip);
    void Detach(Stream& stream);
    void Release(Stream* stream);
    void SkipWaiting();
    static void OnContextState(pa_context* context, void* output);
    static void OnStreamState(pa_stream* stream, void* entry);
    static void OnWrite(pa_stream* stream, std::size_t bytes, void* entry);
    static void OnDrained(pa_stream* stream, int success, void* entry);

    Mp3ClipCache clips_;
    pa_threaded_mainloop* loop_ = nullptr;
    // The members below belong to the loop's lock.
    pa_context* context_ = nullptr;
    std::optional<Clock::time_point> lastConnect_;
    std::vector<Waiting> waiting_;
    std::list<Stream> streams_;
    bool toldNoServer_ = false;
};

}  // namespace platform
