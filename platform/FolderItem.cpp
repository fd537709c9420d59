#include "platform/FolderItem.h"

#include <algorithm>

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

QString ToQString(const std::string& path) { return QString::fromStdString(path); }

std::string AppRoot()
{
    if (!appRootOverride.empty())
        return appRootOverride;
    return FolderItem(QCoreApplication::applicationDirPath().toStdString()).Parent().NativePath();
}

}  // namespace

FolderItem FolderItem::Child(const std::string& name) const
{
    return FolderItem(path_.ends_with('/') ? path_ + name : path_ + "/" + name);
}

FolderItem FolderItem::Parent() const
{
    return FolderItem(QDir::cleanPath(ToQString(path_) + QStringLiteral("/..")).toStdString());
}

bool FolderItem::Exists() const { return !path_.empty() && QFileInfo::exists(ToQString(path_)); }

// Qt opens no folder as a file.
std::shared_ptr<TextInputStream> FolderItem::OpenAsTextFile() const
{
    QFile file(ToQString(path_));
    if (!file.open(QIODevice::ReadOnly))
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
    return ReadPicture(ToQString(path_), QSize(std::max(maxWidth, 1), std::max(maxHeight, 1)));
}

SoundPtr FolderItem::OpenAsSound() const
{
    return QFileInfo(ToQString(path_)).isFile() ? std::make_shared<Sound>(path_) : nullptr;
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
