// The six settings in "velkaViewer2 Prefs" in the user's Preferences folder:
// read when the clock window opens, written whole when it closes.
#include <iostream>
#include <memory>

#include "clock/mainWindow.h"
#include "platform/FolderItem.h"
#include "platform/Runtime.h"
#include "platform/Text.h"
#include "platform/TextStreams.h"

namespace {

platform::FolderItem SettingsFile() { return platform::PreferencesFolder().Child("velkaViewer2 Prefs"); }

// The text between a line's first "=" and the next one, or the line's end.
std::string ValueOf(const std::string& line) { return platform::NthField(line, "=", 2); }

std::string FlagText(const std::array<bool, kActorFlagCount>& flags)
{
    std::string text;
    for (int i = 0; i < kActorCount; ++i)
        text += flags[i] ? "1," : "0,";
    text.pop_back();
    return text;
}

}  // namespace

void mainWindow::ApplyDefaultSettings()
{
    for (int i = 0; i < kActorCount; ++i)
        nameCheck[i] = true;
    alarmCheck = false;
    alarmHour = "00";
    alarmMin = "00";
    alarmVoice = 0;
    voiceMode = 0;
}

// Lines count by position; the keys are not read. A missing line reads as
// the empty text, and a file that cannot be read at all gives the defaults.
void mainWindow::ReadSettings()
{
    platform::FolderItem file = SettingsFile();
    std::shared_ptr<platform::TextInputStream> stream = file.Exists() ? file.OpenAsTextFile() : nullptr;
    if (!stream) {
        ApplyDefaultSettings();
        return;
    }
    const std::string flags = ValueOf(stream->ReadLine());
    for (int i = 0; i < kActorCount; ++i)
        nameCheck[i] = platform::NthField(flags, ",", i + 1) == "1";
    alarmCheck = ValueOf(stream->ReadLine()) == "1";
    alarmHour = ValueOf(stream->ReadLine());
    alarmMin = ValueOf(stream->ReadLine());
    alarmVoice = platform::CInt32(platform::Val(ValueOf(stream->ReadLine())));
    voiceMode = platform::CInt32(platform::Val(ValueOf(stream->ReadLine())));
    stream->Close();
}

// The file is replaced only once the new one is whole on disk; a failed save
// keeps the old file and says why in error.
bool mainWindow::WriteSettings(std::string& error) const
{
    auto stream = platform::TextOutputStream::Create(SettingsFile());
    stream->WriteLine("seiyuOn/Off=" + FlagText(nameCheck));
    stream->WriteLine(alarmCheck ? "alarmOn=1" : "alarmOn=0");
    stream->WriteLine("alarmHour=" + alarmHour);
    stream->WriteLine("alarmMin=" + alarmMin);
    stream->WriteLine("alarmVoice=" + platform::Str(alarmVoice));
    stream->WriteLine("voiceMode=" + platform::Str(voiceMode));
    if (stream->Close())
        return true;
    error = stream->ErrorString();
    return false;
}

void mainWindow::Event_Close()
{
    std::string error;
    if (!WriteSettings(error))
        std::cerr << "talking-clock: the settings were not saved: " << error << '\n';
    platform::Quit(0);
}
