// The dialog's opening: every control shows the clock window's state.
#include "prefs/prefWindow.h"

#include "clock/Counts.h"
#include "clock/ListLines.h"
#include "clock/mainWindow.h"
#include "platform/Runtime.h"
#include "platform/Text.h"
#include "prefs/PrefLayout.h"

void prefWindow::Event_Open()
{
    const mainWindow& clock = implicit::mainWindow();
    for (std::int32_t i = 0; i < preflayout::kActorCount; ++i) {
        ShowActor(clock, i);
        platform::LoopYield();
    }
    alarmCheck().SetValue(clock.alarmCheck);
    // A stored time names its row by number: "7" and "07" both select row 7.
    alarmHourPopup().SetListIndex(platform::CInt32(platform::Val(clock.alarmHour)));
    alarmMinPopup().SetListIndex(platform::CInt32(platform::Val(clock.alarmMin)));
    ShowAlarmSounds(clock);
    alarmVoicePopup().SetListIndex(clock.alarmVoice);
    voiceMode().SetListIndex(clock.voiceMode);
}

// A missing actor line is the empty line: an empty caption, and a face
// looked for as ".jpg".
void prefWindow::ShowActor(const mainWindow& clock, std::int32_t index)
{
    const std::string_view line = clock.seiyuName.LineAt(index);
    nameCheck(index).SetCaption(Field(platform::ConvertEncodingToUTF8(line), 2));
    nameCheck(index).SetValue(clock.nameCheck[static_cast<std::size_t>(index)]);
    ShowFace(clock, index, Field(line, 3) + ".jpg");
}

// A photo that is missing, or is no picture, leaves the well empty.
void prefWindow::ShowFace(const mainWindow& clock, std::int32_t index, const std::string& fileName)
{
    if (!clock.dataPath)
        return;
    const platform::FolderItem face = clock.dataPath->Child("Photos").Child(fileName);
    if (face.Exists())
        faceImage(index).SetImage(face.OpenAsPicture(preflayout::kFaceSize, preflayout::kFaceSize));
}

// Always one row per alarm slot, so a row number is an alarm line number;
// a missing line gives an empty row.
void prefWindow::ShowAlarmSounds(const mainWindow& clock)
{
    alarmVoicePopup().DeleteAllRows();
    for (std::int32_t r = 0; r < kAlarmSoundCount; ++r) {
        alarmVoicePopup().AddRow(Field(platform::ConvertEncodingToUTF8(clock.alarmArray.LineAt(r)), 1));
        platform::LoopYield();
    }
}
