#include "tests/support/TestProgram.h"

#include <QCoreApplication>
#include <QFile>

#include "app/Startup.h"
#include "clock/ResourceTexts.h"
#include "clock/mainWindow.h"
#include "platform/FolderItem.h"
#include "platform/Runtime.h"
#include "tests/support/QtReach.h"

namespace {

const QString kPayload = QStringLiteral("velka-namro/Payload/");
const QString kHD = QStringLiteral("Velka Namro 2 HD.app");
const QString kStandard = QStringLiteral("Velka Namro 2.app");

// The start of an MPEG audio file: an ID3 tag and frames.
std::string Mp3Bytes()
{
    std::string bytes("ID3\x03\x00\x00\x00\x00\x00\x00", 10);
    for (int frame = 0; frame < 4; ++frame) {
        bytes += std::string("\xFF\xFB\x90\x64", 4);
        bytes += std::string(413, '\0');
    }
    return bytes;
}

}  // namespace

std::string CrLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r";
    return text;
}

TestProgram::TestProgram(DataFolder data)
{
    QDir dir(root());
    dir.mkpath(QStringLiteral("bin"));
    dir.mkpath(QStringLiteral("Resources"));
    if (data == DataFolder::HD || data == DataFolder::Both)
        dir.mkpath(kPayload + kHD);
    if (data == DataFolder::Standard || data == DataFolder::Both)
        dir.mkpath(kPayload + kStandard);
    for (const char* sub : {"/Photos", "/Sounds/Alarm", "/Sounds/Serif", "/Sounds/Time"})
        if (data != DataFolder::None)
            dir.mkpath(dataFolder() + QLatin1String(sub));

    platform::SetAppRootForTesting(root().toStdString());
    qputenv("XDG_CONFIG_HOME", prefs_.path().toUtf8());
    platform::SetClock(clock);
    platform::SetSoundOutput(sounds_);
    platform::SetMsgBoxHandlerForTesting([this](const std::string& text) { messages_.push_back(text); });
    platform::ResetRuntimeForTesting();
    ResetResourceTextsForTesting();
}

TestProgram::~TestProgram()
{
    if (open_)
        close();
    platform::ReleaseModuleState();
    platform::ResetRuntimeForTesting();
    platform::SetSoundOutput(nullptr);
    platform::SetClock(nullptr);
    platform::SetMsgBoxHandlerForTesting(nullptr);
    platform::SetAppRootForTesting("");
    qunsetenv("XDG_CONFIG_HOME");
}

QString TestProgram::dataFolder() const
{
    const bool hd = QDir(root()).exists(kPayload + kHD);
    return root() + QLatin1Char('/') + kPayload + (hd ? kHD : kStandard);
}

QString TestProgram::prefsFile() const { return prefs_.path() + QStringLiteral("/velkaViewer2 Prefs"); }

void TestProgram::writeFile(const QString& relativePath, const std::string& bytes) const
{
    const QString path = root() + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void TestProgram::writeResource(const QString& name, const std::string& bytes) const
{
    writeFile(QStringLiteral("Resources/") + name, bytes);
}

void TestProgram::writePhoto(const QString& name, int width, int height, QRgb colour) const
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    writePhoto(name, image);
}

void TestProgram::writePhoto(const QString& name, const QImage& image) const
{
    image.save(dataFolder() + QStringLiteral("/Photos/") + name, nullptr, 100);
}

void TestProgram::writeSound(const QString& relativeToSounds) const
{
    const QString dataRelative = QDir(root()).relativeFilePath(dataFolder());
    writeFile(dataRelative + QStringLiteral("/Sounds/") + relativeToSounds, Mp3Bytes());
}

void TestProgram::writeSettings(const std::vector<std::string>& lines) const
{
    QFile file(prefsFile());
    file.open(QIODevice::WriteOnly);
    for (const std::string& line : lines)
        file.write((line + "\n").c_str());
}

std::string TestProgram::readSettings() const
{
    QFile file(prefsFile());
    if (!file.open(QIODevice::ReadOnly))
        return "(missing)";
    return file.readAll().toStdString();
}

mainWindow& TestProgram::open()
{
    open_ = true;
    return implicit::mainWindow();
}

void TestProgram::tickAt(int hour, int minute, int second)
{
    clock->Set(hour, minute, second);
    tick();
}

void TestProgram::tick() { qtreach::Fire(implicit::mainWindow().mainTimer()); }

void TestProgram::close()
{
    if (platform::Window* window = platform::ImplicitWindow(mainWindow::kClassName))
        window->Close();
    QCoreApplication::processEvents();
    open_ = false;
}

std::vector<std::string> TestProgram::takePlayed()
{
    std::vector<std::string> played;
    const std::string prefix = dataFolder().toStdString() + "/Sounds/";
    for (const std::string& path : sounds_->played)
        played.push_back(path.rfind(prefix, 0) == 0 ? path.substr(prefix.size()) : path);
    sounds_->played.clear();
    return played;
}
