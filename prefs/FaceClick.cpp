// A click on an actor's face: that actor's picture becomes the clock's
// background at once, whatever the dialog's buttons do later.
#include "prefs/prefWindow.h"

#include "clock/ListLines.h"
#include "clock/mainWindow.h"
#include "platform/Text.h"

bool prefWindow::faceImage_MouseDown(platform::ImageWell& face, std::int32_t, std::int32_t)
{
    mainWindow& clock = implicit::mainWindow();
    if (!clock.dataPath)
        return false;
    const std::string baseName = Field(clock.seiyuName.LineAt(face.Index()), 3);
    const std::string fileName = "noimage" + platform::Right(baseName, 2) + ".jpg";
    const platform::FolderItem file = clock.dataPath->Child("Photos").Child(fileName);
    if (!file.Exists())
        return false;
    // A file that is no picture keeps the background the clock has.
    platform::PicturePtr picture = file.OpenAsPicture(clock.MaxWidth(), clock.MaxHeight());
    if (!picture)
        return false;
    clock.readPicture = std::move(picture);
    clock.ScaledBackdrop();
    return false;
}
