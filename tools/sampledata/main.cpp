// make-sample-data <app root>: makes made-up lists, photos and clips in the
// layout the talking clock reads, for running and testing it without the real
// data. Only what is missing is made, so a second run is quick.

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

#include "tools/sampledata/AlarmTones.h"
#include "tools/sampledata/Jobs.h"
#include "tools/sampledata/ListTexts.h"
#include "tools/sampledata/PhotoMaker.h"
#include "tools/sampledata/SampleLayout.h"
#include "tools/sampledata/SpeechClips.h"

namespace {

using namespace sampledata;

void append(Jobs& jobs, const Jobs& more)
{
    jobs.insert(jobs.end(), more.begin(), more.end());
}

// Speech and tones first: they wait on child processes, and the photos fill
// the cores meanwhile.
QStringList makeData(const SampleLayout& layout, const QString& workFolder)
{
    SpeechClips speech(layout, workFolder);
    AlarmTones alarms(layout, workFolder);
    Jobs firstStage = speech.synthesisJobs();
    append(firstStage, alarms.synthesisJobs());
    append(firstStage, missingPhotoJobs(layout));
    QStringList failures = runInParallel(firstStage);
    if (!failures.isEmpty())
        return failures;

    failures << speech.loadWords() << alarms.loadTones();
    if (!failures.isEmpty())
        return failures;
    Jobs secondStage = speech.assemblyJobs();
    append(secondStage, alarms.copyJobs());
    std::printf("made %zu photos, words and tones, then %zu clips\n", firstStage.size(), secondStage.size());
    return runInParallel(secondStage);
}

QStringList makeAll(const QString& appRoot)
{
    const SampleLayout layout = SampleLayout::under(appRoot);
    const QString failure = makeFolders(layout.folders());
    if (!failure.isEmpty())
        return {failure};
    QStringList failures = writeMissingLists(layout.resources);
    QTemporaryDir workFolder;
    if (!workFolder.isValid())
        return failures << QStringLiteral("cannot make a temporary folder");
    return failures << makeData(layout, workFolder.path());
}

}  // namespace

int main(int argc, char** argv)
{
    // Drawing needs fonts, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: make-sample-data <app root>\n");
        return 2;
    }

    QElapsedTimer timer;
    timer.start();
    const QStringList failures = makeAll(QDir(arguments[1]).absolutePath());
    for (const QString& failure : failures)
        std::fprintf(stderr, "make-sample-data: %s\n", qPrintable(failure));
    std::printf("sample data %s in %.1f s\n", failures.isEmpty() ? "ready" : "incomplete", timer.elapsed() / 1000.0);
    return failures.isEmpty() ? 0 : 1;
}
