#include "tools/sampledata/Jobs.h"

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QMutex>
#include <QProcess>
#include <QSaveFile>
#include <QThread>
#include <QThreadPool>

namespace sampledata {

QStringList runInParallel(const Jobs& jobs)
{
    QThreadPool pool;
    pool.setMaxThreadCount(QThread::idealThreadCount());
    QMutex failuresLock;
    QStringList failures;
    for (const Job& job : jobs) {
        pool.start([&job, &failuresLock, &failures] {
            const QString failure = job();
            if (failure.isEmpty())
                return;
            QMutexLocker locker(&failuresLock);
            failures << failure;
        });
    }
    pool.waitForDone();
    return failures;
}

QString runProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted())
        return QStringLiteral("cannot start %1: %2").arg(program, process.errorString());
    process.waitForFinished(-1);
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return {};
    return QStringLiteral("%1 %2 failed: %3")
        .arg(program, arguments.join(QLatin1Char(' ')),
             QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
}

QString writeWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return {};
}

QString writeJpeg(const QString& path, const QImage& image)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "JPG", 80) || !file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return {};
}

QString makeFolders(const QStringList& folders)
{
    for (const QString& folder : folders) {
        if (!QDir().mkpath(folder))
            return QStringLiteral("cannot make the folder %1").arg(folder);
    }
    return {};
}

}  // namespace sampledata
