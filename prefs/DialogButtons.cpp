// OK, Cancel and the alarm-sound preview. Only OK changes the clock's
// settings, and the settings file is written when the clock closes.
#include "prefs/prefWindow.h"

#include "clock/mainWindow.h"
#include "prefs/PrefLayout.h"

// The new settings take effect at the clock's next minute.
void prefWindow::PushButton1_Action(platform::PushButton&)
{
    mainWindow& clock = implicit::mainWindow();
    for (std::int32_t i = 0; i < preflayout::kActorCount; ++i)
        clock.nameCheck[static_cast<std::size_t>(i)] = nameCheck(i).Value();
    clock.alarmCheck = alarmCheck().Value();
    clock.alarmHour = alarmHourPopup().Text();
    clock.alarmMin = alarmMinPopup().Text();
    clock.alarmVoice = alarmVoicePopup().ListIndex();
    clock.voiceMode = voiceMode().ListIndex();
    Close();
}

void prefWindow::PushButton2_Action(platform::PushButton&) { Close(); }

// Plays the row selected now, confirmed or not; no row plays nothing.
void prefWindow::PushButton3_Action(platform::PushButton&)
{
    implicit::mainWindow().PlayAlarmSound(alarmVoicePopup().ListIndex());
}
