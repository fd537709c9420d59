#include <gtest/gtest.h>

#include <QFile>

#include "clock/ListLines.h"
#include "clock/ResourceTexts.h"
#include "clock/mainWindow.h"
#include "tests/support/ListContents.h"
#include "tests/support/TestProgram.h"

namespace {

using Lines = std::vector<std::string>;

TEST(ResourceLists, ActorAndAlarmListsArePercentDecodedThenSplitAtCrLf)
{
    TestProgram program;
    // "春" is E6 98 A5; %0D%0A and %09 split like a literal CR LF and TAB.
    program.writeResource("ActMain.txt", "1%09%E6%98%A5%E9%87%8E%09face01%0D%0A2\t%E5%A4%8F\tface02\r\n3\tOnly two");
    program.writeResource("Alarm.txt", "Bell%09alarm01.mp3\r\nNo tab\rstill the same line\r\n");
    mainWindow& clock = program.open();

    ASSERT_EQ(clock.seiyuName.size(), 3u);
    EXPECT_EQ(Field(clock.seiyuName.LineAt(0), 2), "春野");
    EXPECT_EQ(Field(clock.seiyuName.LineAt(0), 3), "face01");
    EXPECT_EQ(Field(clock.seiyuName.LineAt(1), 2), "夏");
    EXPECT_EQ(Field(clock.seiyuName.LineAt(2), 3), "");  // a missing field is empty

    EXPECT_EQ(LinesOf(clock.alarmArray), (Lines{"Bell\talarm01.mp3", "No tab\rstill the same line", ""}));
    EXPECT_EQ(Field(clock.alarmArray.LineAt(1), 1), "No tab\rstill the same line");
    EXPECT_EQ(Field(clock.alarmArray.LineAt(1), 2), "");
    EXPECT_EQ(clock.alarmArray.LineAt(3), "");  // past the end
    EXPECT_EQ(clock.alarmArray.LineAt(-1), "");
}

// One byte that is no UTF-8 spoils only its own character, never the names
// on the other lines.
TEST(ResourceLists, AnInvalidByteSpoilsOnlyItsOwnCharacter)
{
    TestProgram program;
    program.writeResource("ActMain.txt", "1%09%E6%98%A5%E9%87%8E%09face01%0D%0A2%09A%FFB%09face02%0D%0A3%09%E5%A4%8F%09face03");
    program.writeResource("Alarm.txt", "%E9%90%98\xE9.mp3\r\n%E9%90%98%09bell.mp3");
    mainWindow& clock = program.open();
    ASSERT_EQ(clock.seiyuName.size(), 3u);
    EXPECT_EQ(Field(clock.seiyuName.LineAt(0), 2), "春野");
    EXPECT_EQ(Field(clock.seiyuName.LineAt(1), 2), "A\uFFFDB");
    EXPECT_EQ(Field(clock.seiyuName.LineAt(2), 2), "夏");
    EXPECT_EQ(LinesOf(clock.alarmArray), (Lines{"鐘\uFFFD.mp3", "鐘\tbell.mp3"}));
}

TEST(ResourceLists, SchedulesSplitAtCrAndAreNotDecoded)
{
    TestProgram program;
    program.writeResource("ActSerif.txt", "0700\t1\r0710%092\r");
    program.writeResource("ActTime.txt", "0700\t1\r\n0701\t2");
    program.writeResource("ActMain.txt", "a\tb\tc\rd\te\tf");  // CR alone does not split actors
    mainWindow& clock = program.open();
    EXPECT_EQ(LinesOf(clock.serifArray), (Lines{"0700\t1", "0710%092", ""}));
    EXPECT_EQ(LinesOf(clock.timeArray), (Lines{"0700\t1", "\n0701\t2"}));
    EXPECT_EQ(LinesOf(clock.seiyuName), (Lines{"a\tb\tc\rd\te\tf"}));
}

TEST(ResourceLists, MissingFilesGiveEmptyListsAndNothingIsReadTwice)
{
    TestProgram program;
    program.writeResource("ActTime.txt", CrLines({"0731\t1"}));
    mainWindow& clock = program.open();
    EXPECT_EQ(LinesOf(clock.seiyuName), Lines{""});
    EXPECT_EQ(LinesOf(clock.alarmArray), Lines{""});
    EXPECT_EQ(LinesOf(clock.timeArray), (Lines{"0731\t1", ""}));

    // Once read, the texts stay as they were for the rest of the run, a
    // missing file included.
    QFile::remove(program.root() + QStringLiteral("/Resources/ActTime.txt"));
    program.writeResource("Alarm.txt", "Late\tlate.mp3");
    program.close();
    mainWindow& again = program.open();
    EXPECT_EQ(LinesOf(again.timeArray), (Lines{"0731\t1", ""}));
    EXPECT_EQ(LinesOf(again.alarmArray), Lines{""});
    EXPECT_EQ(LinesOf(ActTime()), (Lines{"0731\t1", ""}));

    ReleaseResourceTexts();
    EXPECT_EQ(LinesOf(ActTime()), Lines{""});
}

}  // namespace
