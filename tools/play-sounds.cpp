// Plays every file given at once through the program's sound output and
// exits when all have ended: the end-to-end sound test drives it.
//
//   play-sounds [--delay-ms N] [--again-ms N] [--timeout-ms N] [--yield] file...
//
// --delay-ms waits that long after start-up before the plays, as the clock's
// first tick does; --again-ms plays every file once more that long after the
// first plays; --yield lets the event loop run between two plays, as the
// clock's schedule walk does. Exit status: 0 when every sound ended, 1 on bad
// arguments, 2 when sounds were still playing at the timeout (counted from
// the first plays; the program then quits with them playing).

#include <QCoreApplication>
#include <QMediaPlayer>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/MediaBackend.h"
#include "platform/Sound.h"

namespace {

struct Options {
    int delayMs = 0;
    int againMs = 0;
    int timeoutMs = 30000;
    bool yield = false;
    std::vector<std::string> files;
};

bool ReadCount(const QStringList& args, qsizetype& i, int& count)
{
    bool ok = false;
    if (i + 1 < args.size())
        count = args[++i].toInt(&ok);
    return ok && count >= 0;
}

bool ParseOptions(const QStringList& args, Options& options)
{
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        bool ok = true;
        if (arg == QLatin1String("--delay-ms"))
            ok = ReadCount(args, i, options.delayMs);
        else if (arg == QLatin1String("--again-ms"))
            ok = ReadCount(args, i, options.againMs);
        else if (arg == QLatin1String("--timeout-ms"))
            ok = ReadCount(args, i, options.timeoutMs);
        else if (arg == QLatin1String("--yield"))
            options.yield = true;
        else if (arg.startsWith(QLatin1String("--")))
            ok = false;
        else
            options.files.push_back(arg.toStdString());
        if (!ok)
            return false;
    }
    return !options.files.empty();
}

void PlayAll(const Options& options)
{
    for (const auto& file : options.files) {
        platform::CurrentSoundOutput().Play(file);
        if (options.yield)
            QCoreApplication::processEvents();
    }
}

// Quits with status 0 once no player is left; players delete themselves.
void QuitWhenAllEnded(QCoreApplication& app)
{
    auto* poll = new QTimer(&app);
    QObject::connect(poll, &QTimer::timeout, &app, [&app] {
        if (app.findChildren<QMediaPlayer*>().isEmpty())
            app.exit(0);
    });
    poll->start(20);
}

}  // namespace

int main(int argc, char** argv)
{
    platform::ChooseMediaBackend();
    QCoreApplication app(argc, argv);
    Options options;
    if (!ParseOptions(app.arguments(), options)) {
        std::fprintf(stderr,
                     "usage: play-sounds [--delay-ms N] [--again-ms N] [--timeout-ms N] "
                     "[--yield] file...\n");
        return 1;
    }

    QTimer::singleShot(options.delayMs, &app, [&app, &options] {
        PlayAll(options);
        if (options.againMs == 0) {
            QuitWhenAllEnded(app);
            return;
        }
        QTimer::singleShot(options.againMs, &app, [&app, &options] {
            PlayAll(options);
            QuitWhenAllEnded(app);
        });
    });
    QTimer::singleShot(options.delayMs + options.timeoutMs, &app, [&app] { app.exit(2); });
    return app.exec();
}
