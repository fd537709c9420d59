#include <array>

#include <gtest/gtest.h>

#include "tests/prefs/PrefsInstallation.h"
#include "tests/support/QtReach.h"

namespace {

class DialogButtons : public PrefsTest {
protected:
    // Every control away from the installation's settings.
    static void ChangeEverything(prefWindow& dialog)
    {
        for (int i = 0; i < 12; ++i)
            dialog.nameCheck(i).SetValue(i % 3 == 0);
        dialog.alarmCheck().SetValue(false);
        dialog.alarmHourPopup().SetListIndex(24);
        dialog.alarmMinPopup().SetListIndex(5);
        dialog.alarmVoicePopup().SetListIndex(71);
        dialog.voiceMode().SetListIndex(3);
    }

    struct Settings {
        std::array<bool, 13> flags;
        bool alarmOn;
        std::string hour, minute;
        std::int32_t voice, mode;
        friend bool operator==(const Settings&, const Settings&) = default;
    };
    Settings settings() const
    {
        return {clock->nameCheck, clock->alarmCheck, clock->alarmHour, clock->alarmMin, clock->alarmVoice,
                clock->voiceMode};
    }
};

TEST_F(DialogButtons, OkAppliesAllSix)
{
    openClock();
    clock->nameCheck[12] = true;
    const std::string fileBefore = program->readSettings();
    EXPECT_TRUE(WithModalDialog([](prefWindow& dialog) {
        ChangeEverything(dialog);
        qtreach::Push(dialog.PushButton1());
    }));

    std::array<bool, 13> flags{};
    for (int i = 0; i < 12; ++i)
        flags[i] = i % 3 == 0;
    flags[12] = true;  // OK writes elements 0 to 11 only
    EXPECT_EQ(settings(), (Settings{flags, false, "24", "05", 71, 3}));
    EXPECT_EQ(program->readSettings(), fileBefore) << "the file is written when the clock closes";
}

TEST_F(DialogButtons, OkStoresTheRowTextsAsShown)
{
    openClock();
    clock->alarmHour = "7";  // a hand-edited settings file
    clock->alarmMin = "3";
    qtreach::Push(implicit::prefWindow().PushButton1());
    EXPECT_EQ(clock->alarmHour, "07");
    EXPECT_EQ(clock->alarmMin, "03");

    // Without a selected row the empty text and -1 are stored as they are.
    clock->alarmHour = "30";
    clock->alarmVoice = 99;
    qtreach::Push(implicit::prefWindow().PushButton1());
    EXPECT_EQ(clock->alarmHour, "");
    EXPECT_EQ(clock->alarmVoice, -1);
}

TEST_F(DialogButtons, CancelAfterChangingEverythingAppliesNothing)
{
    openClock();
    const Settings before = settings();
    EXPECT_TRUE(WithModalDialog([](prefWindow& dialog) {
        ChangeEverything(dialog);
        qtreach::Push(dialog.PushButton2());
    }));
    EXPECT_EQ(settings(), before);
}

TEST_F(DialogButtons, PreviewPlaysTheRowSelectedNow)
{
    openClock();
    EXPECT_TRUE(WithModalDialog([&](prefWindow& dialog) {
        dialog.alarmCheck().SetValue(false);  // the preview ignores the alarm switch
        qtreach::Push(dialog.PushButton3());
        qtreach::Push(dialog.PushButton3());
        EXPECT_EQ(program->takePlayed(), (Played{"Alarm/alarm05.mp3", "Alarm/alarm05.mp3"}));

        dialog.alarmVoicePopup().SetListIndex(71);
        qtreach::Push(dialog.PushButton3());
        EXPECT_EQ(program->takePlayed(), Played{"Alarm/alarm71.mp3"});

        dialog.alarmVoicePopup().SetListIndex(6);  // its file is missing
        qtreach::Push(dialog.PushButton3());
        dialog.alarmVoicePopup().SetListIndex(-1);  // no row
        qtreach::Push(dialog.PushButton3());
        EXPECT_TRUE(program->takePlayed().empty());
        EXPECT_FALSE(dialog.IsClosed());

        dialog.alarmVoicePopup().SetListIndex(0);
        qtreach::Push(dialog.PushButton3());
        EXPECT_EQ(program->takePlayed(), Played{"Alarm/alarm00.mp3"});
        qtreach::Push(dialog.PushButton2());
    }));
    EXPECT_EQ(clock->alarmVoice, 5);
    EXPECT_TRUE(clock->alarmCheck);
}

}  // namespace
