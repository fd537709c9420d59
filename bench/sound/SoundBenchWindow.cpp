// A bare Qt window as the clock has one (two menus, the title set every
// 500 ms). Given files, it plays them through the program's sound output
// twice: 1 s after its first paint (the first sounds of a run) and 3 s after
// that. It prints "batch <wall clock µs> <µs the calls took>" for each, then
// "rss_kb" (peak RSS) and "cpu_ms" (user and system, all threads), and quits
// once all have ended. Without files it is the baseline and quits at the
// same time.
//
//   sound_bench_window [--times N] [file...]

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTime>
#include <QTimer>

#include <sys/resource.h>

#include <chrono>
#include <functional>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/CountingSoundOutput.h"

namespace {

struct Batch {
    std::vector<std::string> files;
    int times = 1;
};

void PlayBatch(CountingSoundOutput& output, const Batch& batch)
{
    using namespace std::chrono;
    const auto wall = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
    const auto start = steady_clock::now();
    for (const auto& file : batch.files)
        output.Play(file, std::size_t(batch.times));
    const auto took = duration_cast<microseconds>(steady_clock::now() - start).count();
    std::printf("batch %lld %lld\n", static_cast<long long>(wall), static_cast<long long>(took));
}

void PrintResourceUse()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
                       (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
    std::printf("rss_kb %ld\ncpu_ms %ld\n", usage.ru_maxrss, cpuMs);
    std::fflush(stdout);
}

class Window : public QMainWindow {
public:
    explicit Window(std::function<void()> firstPaint) : firstPaint_(std::move(firstPaint))
    {
        menuBar()->addMenu(QStringLiteral("ファイル"))->addAction(QStringLiteral("終了"));
        menuBar()->addMenu(QStringLiteral("ウインドウ"))->addAction(QStringLiteral("小"));
        resize(384, 512);
        auto* tick = new QTimer(this);
        connect(tick, &QTimer::timeout, this,
                [this] { setWindowTitle(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))); });
        tick->start(500);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QMainWindow::paintEvent(event);
        if (firstPaint_)
            std::exchange(firstPaint_, nullptr)();
    }

private:
    std::function<void()> firstPaint_;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Batch batch;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--times") && i + 1 < args.size())
            batch.times = args[++i].toInt();
        else
            batch.files.push_back(args[i].toStdString());
    }
    std::unique_ptr<CountingSoundOutput> output;
    if (!batch.files.empty())
        output = std::make_unique<CountingSoundOutput>();

    auto finish = [&app, &output] {
        auto* poll = new QTimer(&app);
        QObject::connect(poll, &QTimer::timeout, &app, [&app, &output] {
            if (!output || output->Playing() == 0) {
                PrintResourceUse();
                app.quit();
            }
        });
        poll->start(10);
    };
    Window window([&] {
        QTimer::singleShot(1000, &app, [&] {
            if (output)
                PlayBatch(*output, batch);
            QTimer::singleShot(3000, &app, [&] {
                if (output)
                    PlayBatch(*output, batch);
                QTimer::singleShot(2500, &app, finish);
            });
        });
    });
    window.show();
    return app.exec();
}
