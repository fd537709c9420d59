#include "platform/FolderItem.h"

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSize>
#include <QStandardPaths>

#include "platform/QtAccess.h"
#include "platform/TextStreams.h"

namespace platform {
namespace {

std::string appRootOverride;

std::string AppRoot()
{
    if (!appRootOverride.empty())
        return appRootOverride;
    return FolderItem(QCoreApplication::applicationDirPath().toStdString()).Parent().NativePath();
}

bool OpenRegularFile(const std::string& path, QFile& file)
{
    struct stat status {};
    const int fd = platform::OpenRegularFile(path, status);
    if (fd >= 0 && !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        ::close(fd);
    return file.isOpen();
}

}  // namespace

// The open never waits, as one of a named pipe would, and the check looks at
// what was opened, so nothing can be swapped in between.
int OpenRegularFile(const std::string& path, struct stat& status)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0 && (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

FolderItem FolderItem::Child(const std::string& name) const
{
    return FolderItem(path_.ends_with('/') ? path_ + name : path_ + "/" + name);
}

FolderItem FolderItem::Parent() const
{
    return FolderItem(QDir::cleanPath(QString::fromStdString(path_) + QStringLiteral("/..")).toStdString());
}

bool FolderItem::Exists() const { return !path_.empty() && QFileInfo::exists(QString::fromStdString(path_)); }

std::shared_ptr<TextInputStream> FolderItem::OpenAsTextFile() const
{
    QFile file;
    if (!OpenRegularFile(path_, file))
        return nullptr;
    // Read straight into the stream's text: a list file may be large.
    std::string content(static_cast<std::size_t>(file.size()), '\0');
    const qint64 read = file.read(content.data(), static_cast<qint64>(content.size()));
    if (read < 0 || file.error() != QFileDevice::NoError)
        return nullptr;
    content.resize(static_cast<std::size_t>(read));
    return std::make_shared<TextInputStream>(std::move(content));
}

PicturePtr FolderItem::OpenAsPicture(std::int32_t maxWidth, std::int32_t maxHeight) const
{
    QFile file;
    if (!OpenRegularFile(path_, file))
        return nullptr;
    return ReadPicture(file, QSize(std::max(maxWidth, 1), std::max(maxHeight, 1)));
}

SoundPtr FolderItem::OpenAsSound() const
{
    QFile file;
    return OpenRegularFile(path_, file) ? std::make_shared<Sound>(path_) : nullptr;
}

FolderItem GetFolderItem(const std::string& relativeName, int /*pathMode*/)
{
    return relativeName.empty() ? FolderItem(AppRoot()) : FolderItem(AppRoot()).Child(relativeName);
}

FolderItem ExecutableFile()
{
    if (!appRootOverride.empty())
        return FolderItem(appRootOverride).Child("bin").Child("talking-clock");
    return FolderItem(QCoreApplication::applicationFilePath().toStdString());
}

FolderItem PreferencesFolder()
{
    return FolderItem(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString());
}

void SetAppRootForTesting(const std::string& folder) { appRootOverride = folder; }

}  // namespace platform
