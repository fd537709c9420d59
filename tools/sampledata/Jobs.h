#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QByteArray;
class QImage;

namespace sampledata {

// One piece of work: returns the empty text when it worked, else why not.
using Job = std::function<QString()>;
using Jobs = std::vector<Job>;

// Runs the jobs on every core and waits for all of them; returns the
// failures.
QStringList runInParallel(const Jobs& jobs);

// Runs a program to its end; the empty text when it exited with status 0.
QString runProgram(const QString& program, const QStringList& arguments);

// Whole-file writes: a reader never sees half a file, and an interrupted run
// leaves nothing that a later run would take as done.
QString writeWholeFile(const QString& path, const QByteArray& bytes);
QString writeJpeg(const QString& path, const QImage& image);

QString makeFolders(const QStringList& folders);

}  // namespace sampledata
