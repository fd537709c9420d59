// bench-decode-photo <jpeg>: the baseline of a minute's work: Qt decoding
// that photo alone. Prints the main thread's CPU milliseconds for one decode
// (the median of five, after one that loads the JPEG plugin).
#include <cstdio>

#include <QGuiApplication>
#include <QImageReader>

#include "MedianCpu.h"

namespace {

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
    std::printf("%.3f\n", MedianThreadCpuMs([&] { Decode(path); }));
    return 0;
}
