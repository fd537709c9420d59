#include "platform/FolderItem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

#include "platform/TextStreams.h"

namespace platform {

namespace {

std::string appRootOverride;
std::string preferencesOverride;

QString ToQString(const std::string& path)
{
    return QString::fromStdString(path);
}

// The path without trailing slashes; the root stays "/".
std::string_view WithoutTrailingSlashes(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    return path;
}

bool IsRegularFile(const std::string& path)
{
    return QFileInfo(ToQString(path)).isFile();
}

std::string AppRoot()
{
    if (!appRootOverride.empty())
        return appRootOverride;
    return FolderItem(QCoreApplication::applicationDirPath().toStdString()).Parent().NativePath();
}

}  // namespace

FolderItem FolderItem::Child(const std::string& name) const
{
    if (!path_.empty() && path_.back() == '/')
        return FolderItem(path_ + name);
    return FolderItem(path_ + "/" + name);
}

FolderItem FolderItem::Parent() const
{
    const std::string_view path = WithoutTrailingSlashes(path_);
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return FolderItem(".");
    return FolderItem(std::string(slash == 0 ? path.substr(0, 1) : path.substr(0, slash)));
}

bool FolderItem::Exists() const
{
    return !path_.empty() && QFileInfo::exists(ToQString(path_));
}

std::shared_ptr<TextInputStream> FolderItem::OpenAsTextFile() const
{
    if (!IsRegularFile(path_))
        return nullptr;
    QFile file(ToQString(path_));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return nullptr;
    return std::make_shared<TextInputStream>(content.toStdString());
}

PicturePtr FolderItem::OpenAsPicture(std::int32_t maxWidth, std::int32_t maxHeight) const
{
    return IsRegularFile(path_) ? ReadPictureFile(path_, maxWidth, maxHeight) : nullptr;
}

SoundPtr FolderItem::OpenAsSound() const
{
    if (!IsRegularFile(path_))
        return nullptr;
    return std::make_shared<Sound>(path_);
}

FolderItem GetFolderItem(const std::string& relativeName, int /*pathMode*/)
{
    const FolderItem root(AppRoot());
    if (relativeName.empty())
        return root;
    if (relativeName.front() == '/')
        return FolderItem(relativeName);
    return root.Child(relativeName);
}

FolderItem ExecutableFile()
{
    if (!appRootOverride.empty())
        return FolderItem(appRootOverride).Child("bin").Child("talking-clock");
    return FolderItem(QCoreApplication::applicationFilePath().toStdString());
}

FolderItem PreferencesFolder()
{
    if (!preferencesOverride.empty())
        return FolderItem(preferencesOverride);
    return FolderItem(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString());
}

void SetAppRootForTesting(const std::string& folder)
{
    appRootOverride = folder;
}

void SetPreferencesFolderForTesting(const std::string& folder)
{
    preferencesOverride = folder;
}

}  // namespace platform
