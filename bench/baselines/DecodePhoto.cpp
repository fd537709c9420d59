// bench-decode-photo <jpeg>: the baseline of a minute's work: Qt decoding
// that photo alone. Prints the main thread's CPU milliseconds for one decode
// (the median of five, after one that loads the JPEG plugin).
#include <time.h>

#include <algorithm>
#include <array>
#include <cstdio>

#include <QGuiApplication>
#include <QImageReader>

namespace {

double ThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
}

bool Decode(const QString& path)
{
    QImageReader reader(path);
    return !reader.read().isNull();
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    const QString path = application.arguments().value(1);
    if (!Decode(path)) {
        std::fprintf(stderr, "bench-decode-photo: cannot decode %s\n", qPrintable(path));
        return 1;
    }
    std::array<double, 5> costs{};
    for (double& cost : costs) {
        const double start = ThreadCpuMs();
        Decode(path);
        cost = ThreadCpuMs() - start;
    }
    std::nth_element(costs.begin(), costs.begin() + 2, costs.end());
    std::printf("%.3f\n", costs[2]);
    return 0;
}
