// bench-probe: the measuring side of run-program-bench.sh, kept out of the
// measured processes.
//
//   bench-probe now                   monotonic and real time, in seconds
//   bench-probe exec <file> <cmd>...  writes the monotonic time to <file>,
//                                     then becomes <cmd>
//   bench-probe cpu <pid>             CPU seconds of the whole process (every
//                                     thread, ended ones too) and of its main
//                                     thread, to the nanosecond
//   bench-probe onset <rate> <from> <level>
//                                     reads mono s16le samples from stdin (a
//                                     recording of the sink as it plays) and
//                                     prints the real time of the first
//                                     sample at or above <level> that played
//                                     at real time <from> or later, or -1
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

double Seconds(clockid_t clock)
{
    timespec ts{};
    if (clock_gettime(clock, &ts) != 0)
        return -1;
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Another process's thread has no CPU clock to read, but the scheduler
// keeps its time on the CPU, in nanoseconds.
double MainThreadCpu(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/schedstat";
    FILE* file = std::fopen(path.c_str(), "r");
    if (!file)
        return -1;
    unsigned long long nanoseconds = 0;
    const bool read = std::fscanf(file, "%llu", &nanoseconds) == 1;
    std::fclose(file);
    return read ? static_cast<double>(nanoseconds) * 1e-9 : -1;
}

int Cpu(pid_t pid)
{
    clockid_t process{};
    if (clock_getcpuclockid(pid, &process) != 0)
        return 1;
    const double all = Seconds(process);
    const double main = MainThreadCpu(pid);
    if (all < 0 || main < 0)
        return 1;
    std::printf("%.9f %.9f\n", all, main);
    return 0;
}

// The sink plays in real time, so sample k played at origin + k / rate. Each
// read arrives some latency after its samples played; the read that arrives
// soonest after them gives the origin best.
int Onset(double rate, double from, int level)
{
    std::vector<std::int16_t> samples;
    std::vector<char> chunk(8192);
    std::vector<char> bytes;
    double origin = 1e300;
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, chunk.data(), chunk.size());
        if (got <= 0)
            break;
        const double now = Seconds(CLOCK_REALTIME);
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
        const std::size_t whole = bytes.size() / 2 * 2;
        for (std::size_t i = 0; i < whole; i += 2) {
            std::int16_t sample = 0;
            std::memcpy(&sample, bytes.data() + i, 2);
            samples.push_back(sample);
        }
        bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(whole));
        origin = std::min(origin, now - static_cast<double>(samples.size()) / rate);
    }
    for (std::size_t k = 0; k < samples.size(); ++k) {
        const double played = origin + static_cast<double>(k) / rate;
        if (played >= from && std::abs(samples[k]) >= level) {
            std::printf("%.6f\n", played);
            return 0;
        }
    }
    std::printf("-1\n");
    return 0;
}

int Usage()
{
    std::fprintf(stderr, "usage: bench-probe now | exec <file> <cmd>... | cpu <pid> | onset <rate> <from> <level>\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    const char* command = argv[1];
    if (std::strcmp(command, "now") == 0) {
        std::printf("%.6f %.6f\n", Seconds(CLOCK_MONOTONIC), Seconds(CLOCK_REALTIME));
        return 0;
    }
    if (std::strcmp(command, "exec") == 0 && argc >= 4) {
        FILE* file = std::fopen(argv[2], "w");
        if (!file)
            return 1;
        std::fprintf(file, "%.6f\n", Seconds(CLOCK_MONOTONIC));
        std::fclose(file);
        execvp(argv[3], argv + 3);
        std::perror(argv[3]);
        return 127;
    }
    if (std::strcmp(command, "cpu") == 0 && argc == 3)
        return Cpu(static_cast<pid_t>(std::atoi(argv[2])));
    if (std::strcmp(command, "onset") == 0 && argc == 5)
        return Onset(std::atof(argv[2]), std::atof(argv[3]), std::atoi(argv[4]));
    return Usage();
}
