// Plays files through the program's sound output and exits when all have
// ended: the end-to-end sound test and the sound benchmark drive it.
//
//   play-sounds [--delay-ms N] [--again-ms N] [--timeout-ms N] [--times N] file...
//
// --delay-ms waits that long after start-up before the plays, as the clock's
// first tick does; --times plays each file that many times in one call, as a
// minute with that many matching schedule lines does; --again-ms plays them
// all once more that long after the first plays. For each batch it prints
// "batch <wall clock µs at its start> <µs the calls took>". Exit status: 0
// when every sound ended, 1 on bad arguments, 2 when sounds were still playing
// at the timeout (counted from the first plays; it then quits with them
// playing).

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/Sound.h"
#include "tests/support/CountingSoundOutput.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct Options {
    int delayMs = 0;
    int againMs = 0;
    int timeoutMs = 30000;
    int times = 1;
    std::vector<std::string> files;
};

bool ReadCount(int argc, char** argv, int& i, int& count)
{
    if (i + 1 >= argc)
        return false;
    char* end = nullptr;
    const long value = std::strtol(argv[++i], &end, 10);
    count = int(value);
    return *end == '\0' && value >= 0 && value <= 1000000;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        bool ok = true;
        if (arg == "--delay-ms")
            ok = ReadCount(argc, argv, i, options.delayMs);
        else if (arg == "--again-ms")
            ok = ReadCount(argc, argv, i, options.againMs);
        else if (arg == "--timeout-ms")
            ok = ReadCount(argc, argv, i, options.timeoutMs);
        else if (arg == "--times")
            ok = ReadCount(argc, argv, i, options.times);
        else if (arg.starts_with("--"))
            ok = false;
        else
            options.files.push_back(arg);
        if (!ok)
            return false;
    }
    return !options.files.empty();
}

void PlayBatch(const Options& options)
{
    const auto wall = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    const auto start = Clock::now();
    for (const auto& file : options.files)
        platform::Sound(file).Play(std::size_t(options.times));
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    std::printf("batch %lld %lld\n", static_cast<long long>(wall.count()), static_cast<long long>(took.count()));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: play-sounds [--delay-ms N] [--again-ms N] [--timeout-ms N] [--times N] file...\n");
        return 1;
    }
    // Installed as the program's output, so the exit tears it down as the
    // program's does.
    auto output = std::make_shared<CountingSoundOutput>();
    platform::SetSoundOutput(output);

    std::this_thread::sleep_for(milliseconds(options.delayMs));
    const auto deadline = Clock::now() + milliseconds(options.timeoutMs);
    PlayBatch(options);
    if (options.againMs > 0) {
        std::this_thread::sleep_for(milliseconds(options.againMs));
        PlayBatch(options);
    }
    while (output->Playing() > 0) {
        if (Clock::now() >= deadline)
            return 2;
        std::this_thread::sleep_for(milliseconds(5));
    }
    return 0;
}
