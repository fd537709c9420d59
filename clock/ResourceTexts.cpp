#include "clock/ResourceTexts.h"

#include <memory>

#include "clock/mainWindow.h"
#include "platform/FolderItem.h"
#include "platform/Text.h"
#include "platform/TextStreams.h"

namespace {

struct ResourceText {
    const char* fileName;
    bool loaded = false;
    std::string permaText;
};

ResourceText actMainText{"ActMain.txt", false, {}};
ResourceText actSerifText{"ActSerif.txt", false, {}};
ResourceText actTimeText{"ActTime.txt", false, {}};
ResourceText alarmText{"Alarm.txt", false, {}};

const std::string& Load(ResourceText& text)
{
    if (text.loaded)
        return text.permaText;
    text.loaded = true;
    platform::FolderItem resources = platform::ExecutableFile().Parent().Parent().Child("Resources");
    std::shared_ptr<platform::TextInputStream> stream = resources.Child(text.fileName).OpenAsTextFile();
    if (!stream)
        return text.permaText;
    text.permaText = stream->ReadAll();
    stream->Close();
    return text.permaText;
}

}  // namespace

const std::string& ActMain() { return Load(actMainText); }
const std::string& ActSerif() { return Load(actSerifText); }
const std::string& ActTime() { return Load(actTimeText); }
const std::string& Alarm() { return Load(alarmText); }

void LoadLists(mainWindow& window)
{
    window.seiyuName = platform::Split(platform::DecodeURLComponent(ActMain()), "\r\n");
    window.timeArray = platform::Split(ActTime(), "\r");
    window.serifArray = platform::Split(ActSerif(), "\r");
    window.alarmArray = platform::Split(platform::DecodeURLComponent(Alarm()), "\r\n");
}

void ReleaseResourceTexts()
{
    for (ResourceText* text : {&actMainText, &actSerifText, &actTimeText, &alarmText})
        text->permaText.clear();
}

void ResetResourceTextsForTesting()
{
    for (ResourceText* text : {&actMainText, &actSerifText, &actTimeText, &alarmText}) {
        text->permaText.clear();
        text->loaded = false;
    }
}
