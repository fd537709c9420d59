// The 500 ms tick: the time in the title, and at each new minute that
// minute's photo and its alarm, spoken line or time announcement.
#include "clock/ListLines.h"
#include "clock/mainWindow.h"
#include "platform/Date.h"
#include "platform/Sound.h"
#include "platform/Text.h"

namespace {

bool IsTenMinuteMark(const std::string& minute)
{
    for (const char* mark : {"00", "10", "20", "30", "40", "50"})
        if (minute == mark)
            return true;
    return false;
}

void PlayFile(const platform::FolderItem& file)
{
    if (platform::SoundPtr sound = file.OpenAsSound())
        sound->Play();
}

}  // namespace

void mainWindow::mainTimer_Action(platform::Timer&)
{
    const std::string title = platform::Right(platform::Date().Text(), 8);
    SetTitle(title);
    const std::string minuteText = platform::Left(title, 5);
    if (minuteText == lastTime)
        return;
    lastTime = minuteText;
    if (!dataPath)
        return;
    const std::string minuteKey = platform::Left(lastTime, 2) + platform::Right(lastTime, 2);
    ShowMinutePhoto(minuteKey);
    PlayMinuteSound(minuteKey);
}

// A photo that is missing, or no picture, leaves the background as it was;
// one cut short shows what of it decodes.
void mainWindow::ShowMinutePhoto(const std::string& minuteKey)
{
    platform::FolderItem photo = dataPath->Child("Photos").Child(minuteKey + ".jpg");
    if (!photo.Exists())
        return;
    platform::PicturePtr picture = photo.OpenAsPicture(MaxWidth(), MaxHeight());
    if (!picture)
        return;
    readPicture = std::move(picture);
    ScaledBackdrop();
}

// At most one branch: the alarm, else the spoken line at a ten-minute mark,
// else the time announcement. A branch taken whose file is missing plays
// nothing; no later branch stands in for it.
void mainWindow::PlayMinuteSound(const std::string& minuteKey)
{
    const std::string minute = platform::Right(lastTime, 2);
    if (alarmCheck && platform::Left(lastTime, 2) == alarmHour && minute == alarmMin) {
        PlayAlarmSound(alarmVoice);
        return;
    }
    const platform::FolderItem sounds = dataPath->Child("Sounds");
    if ((voiceMode == 0 || voiceMode == 1) && IsTenMinuteMark(minute)) {
        const platform::FolderItem clip = sounds.Child("Serif").Child(minuteKey + ".mp3");
        if (clip.Exists())
            WalkSchedule(serifTally, minuteKey, clip);
        return;
    }
    if (voiceMode == 0 || voiceMode == 2) {
        const platform::FolderItem clip = sounds.Child("Time").Child(minuteKey + ".mp3");
        if (clip.Exists())
            WalkSchedule(timeTally, minuteKey, clip);
    }
}

// The sound of one alarm line, from Sounds/Alarm: the minute's alarm and the
// preferences' preview both play it. A line without a file name, or a name
// with no file, plays nothing.
void mainWindow::PlayAlarmSound(std::int64_t alarmLine) const
{
    const std::string fileName = Field(alarmArray.LineAt(alarmLine), 2);
    if (fileName.empty() || !dataPath)
        return;
    const platform::FolderItem file = dataPath->Child("Sounds").Child("Alarm").Child(fileName);
    if (file.Exists())
        PlayFile(file);
}

// The clip plays once for every line of the minute whose actor is enabled;
// an actor number outside the list of actors names nobody. The lines were
// counted when the schedule loaded, so the minute's work does not grow with
// the list. The plays are handed over in one call: the file is looked at once.
void mainWindow::WalkSchedule(const MinuteTally& schedule, const std::string& minuteKey,
                              const platform::FolderItem& clip) const
{
    const std::size_t plays = schedule.Plays(minuteKey, nameCheck);
    if (plays == 0)
        return;
    if (platform::SoundPtr sound = clip.OpenAsSound())
        sound->Play(plays);
}
