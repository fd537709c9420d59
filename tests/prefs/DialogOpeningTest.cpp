#include <gtest/gtest.h>

#include "tests/prefs/PrefsInstallation.h"
#include "tests/support/QtReach.h"

namespace {

class DialogOpening : public PrefsTest {};

TEST_F(DialogOpening, TheMenuShowsTheClockStateInAModalDialog)
{
    openClock();
    const bool shown = WithModalDialog([&](prefWindow& dialog) {
        for (int i = 0; i < 12; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(qtreach::ShownText(dialog.nameCheck(i)), kActorNames[i]);
            EXPECT_EQ(dialog.nameCheck(i).Value(), i % 2 == 0);
            const platform::PicturePtr face = dialog.faceImage(i).Image();
            if (i < 6) {
                ASSERT_TRUE(face);
                EXPECT_EQ(face->Width(), 72) << "decoded at the well's size";
                EXPECT_TRUE(NearColour(qtreach::Pixel(*face, 36, 36), kFaceColours[i]));
            } else {
                EXPECT_FALSE(face) << "missing photo, or (actor 7) a file that is no picture";
            }
        }
        EXPECT_TRUE(dialog.alarmCheck().Value());
        EXPECT_EQ(dialog.alarmHourPopup().ListIndex(), 7);
        EXPECT_EQ(dialog.alarmHourPopup().Text(), "07");
        EXPECT_EQ(dialog.alarmMinPopup().ListIndex(), 59);  // the last row
        ASSERT_EQ(qtreach::RowCount(dialog.alarmVoicePopup()), 72);
        EXPECT_EQ(dialog.alarmVoicePopup().List(0), "アラーム00");
        EXPECT_EQ(dialog.alarmVoicePopup().List(71), "アラーム71");
        EXPECT_EQ(dialog.alarmVoicePopup().ListIndex(), 5);
        EXPECT_EQ(dialog.voiceMode().ListIndex(), 2);
        EXPECT_EQ(dialog.voiceMode().Text(), "毎分");
        qtreach::Push(dialog.PushButton2());
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(platform::ImplicitWindow(prefWindow::kClassName), nullptr) << "a closed dialog is forgotten";
}

// The stored texts name rows by their number; values without a row select none.
TEST_F(DialogOpening, StoredValuesSelectRowsByNumber)
{
    struct Case {
        const char* hour;
        const char* minute;
        std::int32_t voice, mode;
        std::int32_t hourRow, minuteRow, voiceRow, modeRow;
    };
    const Case cases[] = {
        {"07", "00", 0, 0, 7, 0, 0, 0},
        {"7", "5", 71, 3, 7, 5, 71, 3},      // edited by hand
        {"24", "59", 0, 1, 24, 59, 0, 1},     // the last rows
        {"25", "60", 72, 4, -1, -1, -1, -1},  // no such rows
        {"-1", "x", -1, -1, -1, 0, -1, -1},   // "x" is 0
        {"", " 08", 0, 0, 0, 8, 0, 0},
    };
    mainWindow& clock = openClock();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.hour) + ":" + c.minute);
        clock.alarmHour = c.hour;
        clock.alarmMin = c.minute;
        clock.alarmVoice = c.voice;
        clock.voiceMode = c.mode;
        prefWindow& dialog = implicit::prefWindow();
        EXPECT_EQ(dialog.alarmHourPopup().ListIndex(), c.hourRow);
        EXPECT_EQ(dialog.alarmMinPopup().ListIndex(), c.minuteRow);
        EXPECT_EQ(dialog.alarmVoicePopup().ListIndex(), c.voiceRow);
        EXPECT_EQ(dialog.voiceMode().ListIndex(), c.modeRow);
        qtreach::Push(dialog.PushButton2());
    }
}

// Lists shorter than the dialog's twelve actors and 72 sounds: the missing
// lines show as empty captions and rows, and the dialog still works.
TEST_F(DialogOpening, ShortListsGiveEmptyCaptionsAndRows)
{
    program->writeResource("ActMain.txt", ActorLine(0) + "\r\nname only\r\n1\t" + kActorNames[2]);
    program->writeResource("Alarm.txt", AlarmLine(0) + "\r\nNo tab at all");
    program->writePhoto(QStringLiteral(".jpg"), 8, 8, kGreen);  // what a line without field 3 names
    mainWindow& clock = openClock();
    clock.alarmVoice = 1;

    prefWindow& dialog = implicit::prefWindow();
    EXPECT_EQ(qtreach::ShownText(dialog.nameCheck(0)), kActorNames[0]);
    EXPECT_EQ(qtreach::ShownText(dialog.nameCheck(1)), "");
    EXPECT_EQ(qtreach::ShownText(dialog.nameCheck(2)), kActorNames[2]);
    EXPECT_TRUE(dialog.faceImage(0).Image());
    for (int i = 1; i < 12; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(dialog.faceImage(i).Image());  // every short or missing line names ".jpg"
        EXPECT_TRUE(NearColour(qtreach::Pixel(*dialog.faceImage(i).Image(), 4, 4), kGreen));
    }
    for (int i = 3; i < 12; ++i)
        EXPECT_EQ(qtreach::ShownText(dialog.nameCheck(i)), "");

    ASSERT_EQ(qtreach::RowCount(dialog.alarmVoicePopup()), 72);
    EXPECT_EQ(dialog.alarmVoicePopup().List(0), "アラーム00");
    EXPECT_EQ(dialog.alarmVoicePopup().List(1), "No tab at all");
    EXPECT_EQ(dialog.alarmVoicePopup().List(2), "");
    EXPECT_EQ(dialog.alarmVoicePopup().List(71), "");

    // Rows without a sound file play nothing; an empty row is still a row.
    for (int row : {1, 2, 71}) {
        dialog.alarmVoicePopup().SetListIndex(row);
        qtreach::Push(dialog.PushButton3());
    }
    EXPECT_TRUE(program->takePlayed().empty());
    dialog.alarmVoicePopup().SetListIndex(70);
    qtreach::Push(dialog.PushButton1());
    EXPECT_EQ(clock.alarmVoice, 70);
}

}  // namespace
