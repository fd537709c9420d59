// Records the null sink "rec" into a raw file (mono signed 16-bit at 16 kHz,
// as tests/endtoend/lib/audio.sh reads it) and prints "onset <wall clock µs>"
// whenever sound starts after at least 300 ms of silence, to within the
// 2 ms it reads at a time. Ends on SIGTERM or SIGINT.
//
//   sound_listen <raw file>

#include <pulse/simple.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

volatile std::sig_atomic_t stop = 0;

constexpr int kRate = 16000;
constexpr int kBlock = kRate / 500;  // 2 ms
constexpr int kLoud = 300;
constexpr int kSilentBlocks = 150;   // 300 ms

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 1;
    std::signal(SIGTERM, [](int) { stop = 1; });
    std::signal(SIGINT, [](int) { stop = 1; });
    const pa_sample_spec spec{PA_SAMPLE_S16LE, kRate, 1};
    const pa_buffer_attr buffer{uint32_t(-1), uint32_t(-1), uint32_t(-1), uint32_t(-1), kBlock * 2};
    int error = 0;
    pa_simple* in = pa_simple_new(nullptr, "sound_listen", PA_STREAM_RECORD, "rec.monitor", "listen", &spec,
                                  nullptr, &buffer, &error);
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!in || !out)
        return 1;
    short block[kBlock];
    int silent = kSilentBlocks;
    while (!stop && pa_simple_read(in, block, sizeof block, &error) == 0) {
        const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::system_clock::now().time_since_epoch());
        std::fwrite(block, sizeof block, 1, out);
        bool loud = false;
        for (short sample : block)
            loud = loud || std::abs(sample) > kLoud;
        if (loud && silent >= kSilentBlocks) {
            std::printf("onset %lld\n", static_cast<long long>(now.count()));
            std::fflush(stdout);
        }
        silent = loud ? 0 : silent + 1;
    }
    std::fclose(out);
    pa_simple_free(in);
    return 0;
}
