#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Picture.h"
#include "platform/Sound.h"

namespace platform {

class TextInputStream;

// A file or folder by path, whether or not anything is there.
class FolderItem {
public:
    explicit FolderItem(std::string path) : path_(std::move(path)) {}

    const std::string& NativePath() const { return path_; }
    FolderItem Child(const std::string& name) const;
    FolderItem Parent() const;
    bool Exists() const;

    // Whatever is not a regular file (a folder, a named pipe, a device)
    // counts as missing for these three, and is never opened.
    // nullptr when the file is missing or cannot be read.
    std::shared_ptr<TextInputStream> OpenAsTextFile() const;
    // nullptr when the file holds no picture; a larger one than the bounds is
    // shrunk to fit, its aspect ratio kept.
    PicturePtr OpenAsPicture(std::int32_t maxWidth = INT32_MAX, std::int32_t maxHeight = INT32_MAX) const;
    // nullptr when the file is missing; one that holds no sound plays nothing.
    SoundPtr OpenAsSound() const;

private:
    std::string path_;
};

// Relative to the app root, the parent of the executable's folder.
FolderItem GetFolderItem(const std::string& relativeName, int pathMode = 0);
FolderItem ExecutableFile();
// $XDG_CONFIG_HOME, else ~/.config.
FolderItem PreferencesFolder();

// Test seam: the app root; the empty text restores the default.
void SetAppRootForTesting(const std::string& folder);

}  // namespace platform
