// What the 500 ms tick and a minute's work cost, each beside a bare Qt
// baseline measured in the same run.
//
// In-process figures only: the clock is a test clock and the sound output
// records names without playing, and no window is shown or painted. Start-up,
// first paint, sound latency, memory, idle CPU and the dialog are measured on
// the real executable by run-program-bench.sh.
#include <QApplication>
#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>

#include "clock/mainWindow.h"
#include "tests/support/QtReach.h"
#include "tests/support/TestProgram.h"

namespace {

constexpr int kPhotoWidth = 768;
constexpr int kPhotoHeight = 1024;

// A photo-like picture: smooth gradients and some detail, so the JPEG has
// the size and decoding cost of a real photo.
QImage MakePhoto()
{
    QImage image(kPhotoWidth, kPhotoHeight, QImage::Format_RGB32);
    for (int y = 0; y < kPhotoHeight; ++y)
        for (int x = 0; x < kPhotoWidth; ++x)
            image.setPixel(x, y, qRgb((x * 255) / kPhotoWidth, (y * 255) / kPhotoHeight, ((x ^ y) * 7) & 0xFF));
    QPainter painter(&image);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 120));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("12:34"));
    return image;
}

// The baseline of a tick: format the time of day and set a window title.
void BM_BareQtTick(benchmark::State& state)
{
    QWidget window;
    window.resize(384, 512);
    window.show();
    int second = 0;
    for (auto _ : state) {
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        second = (second + 1) % 60;
        window.setWindowTitle(QString::asprintf("%02d:%02d:%02d", local.tm_hour, local.tm_min, second));
    }
}
BENCHMARK(BM_BareQtTick);

// A tick within the minute already handled: title only.
void BM_ClockTickSameMinute(benchmark::State& state)
{
    TestProgram program;
    mainWindow& clock = program.open();
    program.tickAt(12, 34, 0);
    int second = 0;
    for (auto _ : state) {
        second = (second + 1) % 60;
        program.clock->Set(12, 34, second);
        qtreach::Fire(clock.mainTimer());
    }
    state.counters["handled_minutes"] = clock.lastTime == "12:34" ? 1 : 0;
}
BENCHMARK(BM_ClockTickSameMinute);

// The baseline of a minute's work: decoding the photo alone.
void BM_DecodeJpegOnly(benchmark::State& state)
{
    TestProgram program;
    program.writePhoto("1234.jpg", MakePhoto());
    const QString path = program.dataFolder() + QStringLiteral("/Photos/1234.jpg");
    for (auto _ : state) {
        QImageReader reader(path);
        QImage image = reader.read();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_DecodeJpegOnly)->Unit(benchmark::kMillisecond);

// A new minute with a 768 x 1024 photo, its backdrop drawn at the window's
// size, and the time announcement chosen from a full day's schedule.
void BM_MinuteWork(benchmark::State& state)
{
    TestProgram program;
    program.writePhoto("1234.jpg", MakePhoto());
    program.writeSound("Time/1234.mp3");
    std::vector<std::string> schedule;
    for (int minute = 0; minute < 24 * 60; ++minute)
        schedule.push_back(QString::asprintf("%02d%02d\t%d", minute / 60, minute % 60, minute % 12 + 1).toStdString());
    program.writeResource("ActTime.txt", CrLines(schedule));
    program.writeSettings({"seiyuOn/Off=1,1,1,1,1,1,1,1,1,1,1,1", "alarmOn=0", "alarmHour=00", "alarmMin=00",
                           "alarmVoice=0", "voiceMode=2"});
    mainWindow& clock = program.open();
    clock.SetWidth(static_cast<int>(state.range(0)));
    clock.SetHeight(static_cast<int>(state.range(1)));
    program.clock->Set(12, 34, 0);
    for (auto _ : state) {
        clock.lastTime.clear();
        qtreach::Fire(clock.mainTimer());
    }
    state.counters["played"] = static_cast<double>(program.takePlayed().size()) / state.iterations();
}
BENCHMARK(BM_MinuteWork)->Args({384, 512})->Args({768, 1024})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::fprintf(stderr, "In-process figures: no sound is played and no window painted; "
                         "bench/run-program-bench.sh measures the real program.\n");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
