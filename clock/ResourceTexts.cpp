#include "clock/ResourceTexts.h"

#include <memory>
#include <string>

#include "clock/MinuteTally.h"
#include "clock/PercentDecoding.h"
#include "clock/mainWindow.h"
#include "platform/FolderItem.h"
#include "platform/TextStreams.h"

namespace {

struct ResourceList {
    const char* fileName;
    bool percentEncoded;
    bool loaded = false;
    ListText lines;
    MinuteTally tally;  // schedules only
};

ResourceList actMainList{"ActMain.txt", true, false, {}, {}};
ResourceList actSerifList{"ActSerif.txt", false, false, {}, {}};
ResourceList actTimeList{"ActTime.txt", false, false, {}, {}};
ResourceList alarmList{"Alarm.txt", true, false, {}, {}};

std::string ReadResource(const char* fileName)
{
    platform::FolderItem resources = platform::ExecutableFile().Parent().Parent().Child("Resources");
    std::shared_ptr<platform::TextInputStream> stream = resources.Child(fileName).OpenAsTextFile();
    return stream ? stream->ReadAll() : std::string();
}

// The file's text lives on only inside its lines.
const ResourceList& Load(ResourceList& list)
{
    if (list.loaded)
        return list;
    list.loaded = true;
    std::string text = ReadResource(list.fileName);
    if (list.percentEncoded) {
        list.lines = ListText(PercentDecoded(std::move(text)), "\r\n");
    } else {
        list.tally = MinuteTally(text, "\r");
        list.lines = ListText(std::move(text), "\r");
    }
    return list;
}

}  // namespace

const ListText& ActMain() { return Load(actMainList).lines; }
const ListText& ActSerif() { return Load(actSerifList).lines; }
const ListText& ActTime() { return Load(actTimeList).lines; }
const ListText& Alarm() { return Load(alarmList).lines; }

void LoadLists(mainWindow& window)
{
    window.seiyuName = ActMain();
    window.timeArray = ActTime();
    window.timeTally = Load(actTimeList).tally;
    window.serifArray = ActSerif();
    window.serifTally = Load(actSerifList).tally;
    window.alarmArray = Alarm();
}

void ReleaseResourceTexts()
{
    for (ResourceList* list : {&actMainList, &actSerifList, &actTimeList, &alarmList}) {
        list->lines = ListText();
        list->tally = MinuteTally();
    }
}

void ResetResourceTextsForTesting()
{
    ReleaseResourceTexts();
    for (ResourceList* list : {&actMainList, &actSerifList, &actTimeList, &alarmList})
        list->loaded = false;
}
