#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "clock/mainWindow.h"
#include "platform/Runtime.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestProgram.h"

namespace {

const std::string kFirstRun =
    "seiyuOn/Off=1,1,1,1,1,1,1,1,1,1,1,1\nalarmOn=0\nalarmHour=00\nalarmMin=00\nalarmVoice=0\nvoiceMode=0\n";

std::string Flags(const mainWindow& clock)
{
    std::string flags;
    for (bool on : clock.nameCheck)
        flags += on ? '1' : '0';
    return flags;
}

TEST(SettingsFile, FirstRunWritesTheDefaultsAndWhatIsWrittenReadsBackTheSame)
{
    TestProgram program;
    program.open();
    program.close();
    EXPECT_EQ(program.readSettings(), kFirstRun);

    mainWindow& clock = program.open();
    EXPECT_EQ(Flags(clock), "1111111111110");  // element 12 is never set
    EXPECT_EQ(clock.alarmHour, "00");
    clock.nameCheck = {true, false, true, false, false, true, true, false, false, false, true, false, false};
    clock.alarmCheck = true;
    clock.alarmHour = "24";
    clock.alarmMin = "59";
    clock.alarmVoice = -1;
    clock.voiceMode = 7;
    program.close();
    const std::string written = program.readSettings();
    EXPECT_EQ(written, "seiyuOn/Off=1,0,1,0,0,1,1,0,0,0,1,0\nalarmOn=1\nalarmHour=24\nalarmMin=59\n"
                       "alarmVoice=-1\nvoiceMode=7\n");

    mainWindow& again = program.open();
    EXPECT_EQ(Flags(again), "1010011000100");
    EXPECT_TRUE(again.alarmCheck);
    EXPECT_EQ(again.alarmHour, "24");
    EXPECT_EQ(again.alarmMin, "59");
    EXPECT_EQ(again.alarmVoice, -1);
    EXPECT_EQ(again.voiceMode, 7);
    program.close();
    EXPECT_EQ(program.readSettings(), written);
}

TEST(SettingsFile, LinesAreTakenByPositionAndValuesAsWritten)
{
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        std::string flags;
        bool alarm;
        std::string hour, minute;
        int voice, mode;
    };
    const Case cases[] = {
        {"three flags", {"seiyuOn/Off=1,0,1", "alarmOn=1", "alarmHour=07", "alarmMin=30", "alarmVoice=5", "voiceMode=1"},
         "1010000000000", true, "07", "30", 5, 1},
        {"keys ignored", {"x=1,1", "alarmOn=true", "alarmMin=30", "alarmHour=7", "voiceMode=2.6", "a=b"},
         "1100000000000", false, "30", "7", 3, 0},
        {"second equals", {"seiyuOn/Off=1 ,01,1", "alarmOn= 1", "alarmHour=07=1", "alarmMin", "alarmVoice=-1"},
         "0010000000000", false, "07", "", -1, 0},
        {"long flag list", {"seiyuOn/Off=1,1,1,1,1,1,1,1,1,1,1,1,1,1"}, "1111111111110", false, "", "", 0, 0},
        {"empty file", {}, "0000000000000", false, "", "", 0, 0},
        {"garbage", {"\x01\x02\xff\xfe", "=", "==", "\xe6\x97\xa5=\xe6\x9c\xac", "alarmVoice=99999999999", "voiceMode=-x"},
         "0000000000000", false, "", "\xe6\x9c\xac", 2147483647, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestProgram program;
        program.writeSettings(c.lines);
        mainWindow& clock = program.open();
        EXPECT_EQ(Flags(clock), c.flags);
        EXPECT_EQ(clock.alarmCheck, c.alarm);
        EXPECT_EQ(clock.alarmHour, c.hour);
        EXPECT_EQ(clock.alarmMin, c.minute);
        EXPECT_EQ(clock.alarmVoice, c.voice);
        EXPECT_EQ(clock.voiceMode, c.mode);
    }
}

TEST(SettingsFile, AShortFileIsWrittenBackWhole)
{
    TestProgram program;
    program.writeSettings({"seiyuOn/Off=1", "alarmOn=0"});
    program.open();
    program.close();
    EXPECT_EQ(program.readSettings(), "seiyuOn/Off=1,0,0,0,0,0,0,0,0,0,0,0\nalarmOn=0\nalarmHour=\nalarmMin=\n"
                                      "alarmVoice=0\nvoiceMode=0\n");
}

// The disk fills up before the close: the new file cannot be written whole,
// so the old one stays, the failure is said, and the program still ends.
TEST(SettingsFile, AFullDiskAtCloseKeepsTheOldFile)
{
    TestProgram program;
    program.writeSettings({"seiyuOn/Off=0,0,0,0,0,0,0,0,0,0,0,1", "alarmOn=1", "alarmHour=06", "alarmMin=45",
                           "alarmVoice=2", "voiceMode=3"});
    const std::string before = program.readSettings();
    mainWindow& clock = program.open();
    clock.alarmHour = "11";
    const ChildRun closing = RunWithFileSizeLimit(16, [&] {
        program.close();
        return platform::QuitRequested() ? 0 : 1;
    });
    EXPECT_EQ(closing.status, 0) << "the program still ends";
    EXPECT_EQ(program.readSettings(), before);
    EXPECT_NE(closing.stderrText.find("settings were not saved"), std::string::npos) << closing.stderrText;
    EXPECT_EQ(QFileInfo(program.prefsFile()).dir().entryList(QDir::Files).size(), 1)
        << "no temporary file is left behind";
}

TEST(SettingsFile, ASettingsFileThatCannotBeReadGivesTheDefaults)
{
    TestProgram program;
    QDir().mkpath(program.prefsFile());  // a folder where the file should be
    mainWindow& clock = program.open();
    EXPECT_EQ(Flags(clock), "1111111111110");
    EXPECT_EQ(clock.alarmHour, "00");
    testing::internal::CaptureStderr();
    program.close();
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(QFileInfo(program.prefsFile()).isDir());
}

}  // namespace
