// bench-decode-clip <clip>: part of the floor of a minute's CPU: libsndfile
// decoding that clip whole, alone. Prints the thread's CPU milliseconds for
// one decode (the median of five, after one that loads the codec).
#include <sndfile.h>

#include <cstdio>
#include <vector>

#include "MedianCpu.h"

namespace {

// The frames decoded, or -1 when the file cannot be opened.
sf_count_t Decode(const char* path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (!file)
        return -1;
    constexpr sf_count_t kFrames = 4096;
    std::vector<short> buffer(static_cast<std::size_t>(kFrames * info.channels));
    sf_count_t total = 0;
    for (sf_count_t got = 0; (got = sf_readf_short(file, buffer.data(), kFrames)) > 0;)
        total += got;
    sf_close(file);
    return total;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* path = argc == 2 ? argv[1] : "";
    if (Decode(path) <= 0) {
        std::fprintf(stderr, "bench-decode-clip: cannot decode %s: %s\n", path, sf_strerror(nullptr));
        return 1;
    }
    std::printf("%.3f\n", MedianThreadCpuMs([&] { Decode(path); }));
    return 0;
}
