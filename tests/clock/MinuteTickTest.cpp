#include <cstdio>
#include <functional>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>

#include <gtest/gtest.h>

#include "clock/mainWindow.h"
#include "tests/support/QtReach.h"
#include "tests/support/TestProgram.h"

namespace {

using Played = std::vector<std::string>;

// Runs the event loop until done holds or ms have passed; true when it holds.
bool RunLoopUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return done();
}

// An installation with a clip for every branch at 07:30, 07:31, 07:40 and
// 08:00, actors 1 and 2 on the schedules and alarm line 0 "alarm01.mp3".
class MinuteTick : public ::testing::Test {
protected:
    void SetUp() override { install(); }

    void install()
    {
        program.reset();  // one installation at a time
        program = std::make_unique<TestProgram>();
        program->writeResource("Alarm.txt", "Bell\talarm01.mp3\r\nChime\talarm02.mp3");
        program->writeResource("ActTime.txt", CrLines({"0730\t1", "0731\t1", "0740\t2", "0800\t1"}));
        program->writeResource("ActSerif.txt", CrLines({"0730\t2", "0740\t1", "0740\t2"}));
        program->writeSound("Alarm/alarm01.mp3");
        for (const char* key : {"0730", "0731", "0740", "0800"}) {
            program->writeSound(QStringLiteral("Time/%1.mp3").arg(QLatin1String(key)));
            program->writeSound(QStringLiteral("Serif/%1.mp3").arg(QLatin1String(key)));
        }
    }

    mainWindow& openWith(bool alarmOn, int voiceMode, const std::string& flags = "1,1,1,1,1,1,1,1,1,1,1,1",
                         const std::string& hour = "07")
    {
        program->writeSettings({"seiyuOn/Off=" + flags, alarmOn ? "alarmOn=1" : "alarmOn=0", "alarmHour=" + hour,
                                "alarmMin=30", "alarmVoice=0", "voiceMode=" + std::to_string(voiceMode)});
        return program->open();
    }

    Played playedAt(int hour, int minute)
    {
        program->tickAt(hour, minute, 0);
        return program->takePlayed();
    }

    std::unique_ptr<TestProgram> program;
};

TEST_F(MinuteTick, TitleShowsTheTimeOnEveryTickAndTheMinuteIsHandledOnce)
{
    mainWindow& clock = openWith(false, 0);
    EXPECT_EQ(qtreach::Title(clock), "00:00:00");  // until the first tick

    program->tickAt(7, 31, 5);
    EXPECT_EQ(qtreach::Title(clock), "07:31:05");
    EXPECT_EQ(clock.lastTime, "07:31");
    EXPECT_EQ(program->takePlayed(), Played{"Time/0731.mp3"});

    program->tickAt(7, 31, 6);
    EXPECT_EQ(qtreach::Title(clock), "07:31:06");
    EXPECT_TRUE(program->takePlayed().empty());

    // A clock set back is a new minute too.
    EXPECT_EQ(playedAt(7, 32), Played{});  // no clip for 07:32
    EXPECT_EQ(playedAt(7, 31), Played{"Time/0731.mp3"});
}

// The window's own timer runs the tick, at the clock's next half second.
TEST_F(MinuteTick, TheWindowsTimerTicksAtTheNextHalfSecond)
{
    program->clock->now = {2026, 12, 7, 7, 31, 5, 480};
    QElapsedTimer sinceOpening;
    sinceOpening.start();
    mainWindow& clock = openWith(false, 2);
    ASSERT_TRUE(RunLoopUntil([&] { return qtreach::Title(clock) != "00:00:00"; }, 1000));
    EXPECT_LT(sinceOpening.elapsed(), 250);  // 20 ms to the half second
    EXPECT_EQ(qtreach::Title(clock), "07:31:05");
    EXPECT_EQ(program->takePlayed(), Played{"Time/0731.mp3"});
}

// Only the window's own state: nothing of a closed clock window brings up
// another one.
TEST_F(MinuteTick, AClosedClockWindowNeverMakesASecondOne)
{
    program->writePhoto("0731.jpg", 40, 60, qRgb(200, 10, 10));
    mainWindow& clock = openWith(true, 2);
    clock.Close();  // the object stays until the event loop runs again
    ASSERT_EQ(platform::ImplicitWindow(mainWindow::kClassName), nullptr);

    program->clock->Set(7, 31, 0);
    clock.mainTimer_Action(clock.mainTimer());
    EXPECT_EQ(qtreach::Title(clock), "07:31:00");
    clock.PlayAlarmSound(0);
    clock.halfMenu_Action();
    clock.NormalMenu_Action();
    clock.largeMenu_Action();
    EXPECT_EQ(platform::ImplicitWindow(mainWindow::kClassName), nullptr);
}

// A photo far larger than the window is kept at most at the window's size
// limit, and the backdrop still shows all of it.
TEST_F(MinuteTick, LargePhotoIsKeptAtTheSizeLimitAndShownWhole)
{
    QImage photo(3000, 4000, QImage::Format_RGB32);
    photo.fill(Qt::white);
    QPainter painter(&photo);
    painter.fillRect(0, 0, 1500, 2000, Qt::red);
    painter.fillRect(1500, 0, 1500, 2000, Qt::green);
    painter.fillRect(0, 2000, 1500, 2000, Qt::blue);
    painter.end();
    program->writePhoto("0731.jpg", photo);
    mainWindow& clock = openWith(false, 3);
    program->tickAt(7, 31, 0);

    ASSERT_TRUE(clock.readPicture);
    EXPECT_EQ(clock.readPicture->Width(), clock.MaxWidth());
    EXPECT_EQ(clock.readPicture->Height(), clock.MaxHeight());
    platform::PicturePtr backdrop = clock.Backdrop();
    ASSERT_TRUE(backdrop);
    const int w = backdrop->Width();
    const int h = backdrop->Height();
    EXPECT_EQ(w, clock.Width());
    EXPECT_GT(qRed(qtreach::Pixel(*backdrop, 1, 1)), 230);
    EXPECT_GT(qGreen(qtreach::Pixel(*backdrop, w - 2, 1)), 230);
    EXPECT_GT(qBlue(qtreach::Pixel(*backdrop, 1, h - 2)), 230);
    EXPECT_GT(qGray(qtreach::Pixel(*backdrop, w - 2, h - 2)), 230);
    EXPECT_LT(qGreen(qtreach::Pixel(*backdrop, 1, 1)), 25);
}

TEST_F(MinuteTick, FirstTickAtMidnightHandlesItsMinute)
{
    program->writeResource("ActTime.txt", CrLines({"0000\t3"}));
    program->writeSound("Time/0000.mp3");
    openWith(false, 2);
    EXPECT_EQ(playedAt(0, 0), Played{"Time/0000.mp3"});
}

TEST_F(MinuteTick, AlarmRingsAtItsMinuteInEveryModeAndOnlyThen)
{
    for (int mode : {0, 1, 2, 3, 7}) {
        SCOPED_TRACE(mode);
        install();
        openWith(true, mode);
        EXPECT_EQ(playedAt(7, 30), Played{"Alarm/alarm01.mp3"});
        const Played at0731 = playedAt(7, 31);
        EXPECT_EQ(at0731, (mode == 0 || mode == 2) ? Played{"Time/0731.mp3"} : Played{});
    }
}

TEST_F(MinuteTick, AlarmHourIsComparedAsText)
{
    for (const char* hour : {"24", "7", ""}) {
        SCOPED_TRACE(hour);
        install();
        openWith(true, 3, "1,1,1,1,1,1,1,1,1,1,1,1", hour);
        EXPECT_TRUE(playedAt(7, 30).empty());
    }
}

TEST_F(MinuteTick, AlarmWithoutItsSoundPlaysNothingAndNoOtherBranch)
{
    program->writeResource("Alarm.txt", "Missing\tnothing-here.mp3\r\nNo tab at all");
    openWith(true, 0);
    EXPECT_TRUE(playedAt(7, 30).empty());

    // An alarm line with no file name, and one that is not in the list.
    for (const char* voice : {"1", "72", "-1"}) {
        SCOPED_TRACE(voice);
        install();
        program->writeSettings({"seiyuOn/Off=1", "alarmOn=1", "alarmHour=07", "alarmMin=30",
                                std::string("alarmVoice=") + voice, "voiceMode=0"});
        program->open();
        EXPECT_TRUE(playedAt(7, 30).empty());
    }
}

TEST_F(MinuteTick, VoiceModesChooseSpokenLineOrAnnouncement)
{
    struct Case {
        int mode;
        Played at0740;  // a ten-minute mark
        Played at0731;
    };
    const std::vector<Case> cases = {
        {0, {"Serif/0740.mp3", "Serif/0740.mp3"}, {"Time/0731.mp3"}},
        {1, {"Serif/0740.mp3", "Serif/0740.mp3"}, {}},
        {2, {"Time/0740.mp3"}, {"Time/0731.mp3"}},
        {3, {}, {}},
        {7, {}, {}},
        {-1, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        install();
        openWith(false, c.mode);
        EXPECT_EQ(playedAt(7, 40), c.at0740);
        EXPECT_EQ(playedAt(7, 31), c.at0731);
    }
}

TEST_F(MinuteTick, TenMinuteMarkWithoutSpokenLineFallsBackToNothing)
{
    program->writeResource("ActSerif.txt", CrLines({"0800\t3"}));
    openWith(false, 0, "1,1,0,1,1,1,1,1,1,1,1,1");
    // 08:00 has a clip but its only line's actor is disabled; 08:10 has no clip.
    EXPECT_TRUE(playedAt(8, 0).empty());
    program->writeSound("Time/0810.mp3");
    EXPECT_TRUE(playedAt(8, 10).empty());
}

TEST_F(MinuteTick, ScheduleLinesPlayForEnabledActorsOnly)
{
    program->writeResource("ActTime.txt", CrLines({"0731\t1", "0731\t2", "0731\t13", "0731\t0", "0731\tx",
                                                   "0731 \t1", "731\t1", "\n0731\t1", "0731\t2.4"}));
    openWith(false, 2, "1,0,1,1,1,1,1,1,1,1,1,1");
    // Actor 1 plays; actor 2 is off (and 2.4 rounds to 2); 13, 0 and "x"
    // name nobody; the keys with a space, three digits or an LF never match.
    EXPECT_EQ(playedAt(7, 31), Played{"Time/0731.mp3"});
}

TEST_F(MinuteTick, EveryScheduleLineCountsTheLastOneToo)
{
    // Without a final CR the last line is the list's last element.
    program->writeResource("ActTime.txt", "0731\t1\r0731\t2");
    openWith(false, 2);
    EXPECT_EQ(playedAt(7, 31), (Played{"Time/0731.mp3", "Time/0731.mp3"}));
}

// Every minute of the day on both schedules, many lines each: the minute's
// clip plays once per line of an enabled actor, whatever the other minutes hold.
TEST_F(MinuteTick, CrowdedSchedulesCountEachMinutesOwnLines)
{
    std::vector<std::string> time;
    std::vector<std::string> serif;
    for (int minute = 0; minute < 24 * 60; ++minute) {
        char key[8];
        std::snprintf(key, sizeof key, "%02d%02d", minute / 60, minute % 60);
        for (int actor = 1; actor <= 3; ++actor) {
            time.push_back(key + ("\t" + std::to_string(actor)));
            serif.push_back(key + ("\t" + std::to_string(actor + 1)));
        }
    }
    for (int i = 0; i < 400; ++i)
        time.push_back(i % 2 == 0 ? "0731\t1" : "0731\t2");
    program->writeResource("ActTime.txt", CrLines(time));
    program->writeResource("ActSerif.txt", CrLines(serif));
    mainWindow& clock = openWith(false, 0, "1,0,1,0,0,0,0,0,0,0,0,0");

    EXPECT_EQ(playedAt(7, 31), Played(2 + 200, "Time/0731.mp3"));  // actors 1 and 3
    EXPECT_EQ(playedAt(7, 40), Played(1, "Serif/0740.mp3"));      // actors 2, 3 and 4
    clock.nameCheck[1] = true;
    EXPECT_EQ(playedAt(7, 31), Played(3 + 400, "Time/0731.mp3"));
    EXPECT_EQ(playedAt(8, 0), Played(2, "Serif/0800.mp3"));
}

TEST_F(MinuteTick, CrLfScheduleOnlyMatchesItsFirstLine)
{
    program->writeResource("ActTime.txt", "0731\t1\r\n0731\t2\r\n");
    openWith(false, 2);
    EXPECT_EQ(playedAt(7, 31), Played{"Time/0731.mp3"});
}

TEST_F(MinuteTick, ClickRepeatsTheMinutesPhotoAndSound)
{
    program->writePhoto("0731.jpg", 40, 60, qRgb(200, 10, 10));
    mainWindow& clock = openWith(false, 2);
    EXPECT_EQ(playedAt(7, 31), Played{"Time/0731.mp3"});
    platform::PicturePtr first = clock.Backdrop();
    ASSERT_TRUE(first);

    qtreach::PressMouse(clock, 10, 100);
    EXPECT_EQ(clock.lastTime, "");
    program->tickAt(7, 31, 30);
    EXPECT_EQ(program->takePlayed(), Played{"Time/0731.mp3"});
    EXPECT_NE(clock.Backdrop(), first);  // drawn again from the photo

    // A click before the alarm minute is handled makes an alarm set for the
    // running minute ring.
    clock.alarmCheck = true;
    clock.alarmHour = "07";
    clock.alarmMin = "31";
    program->tickAt(7, 31, 40);
    EXPECT_TRUE(program->takePlayed().empty());
    qtreach::PressMouse(clock, 5, 300);
    program->tickAt(7, 31, 41);
    EXPECT_EQ(program->takePlayed(), Played{"Alarm/alarm01.mp3"});
}

TEST_F(MinuteTick, MinutePhotoBecomesTheBackdropAndStaysWithoutANewOne)
{
    program->writePhoto("0731.jpg", 48, 64, qRgb(0, 0, 250));
    program->writeFile(QDir(program->root()).relativeFilePath(program->dataFolder()) +
                           QStringLiteral("/Photos/0733.jpg"),
                       "garbage, not a JPEG");
    mainWindow& clock = openWith(false, 3);
    program->tickAt(7, 30, 0);
    EXPECT_FALSE(clock.Backdrop());  // no photo yet, no backdrop

    program->tickAt(7, 31, 0);
    platform::PicturePtr backdrop = clock.Backdrop();
    ASSERT_TRUE(backdrop);
    EXPECT_EQ(backdrop->Width(), clock.Width());
    EXPECT_EQ(backdrop->Height(), clock.Height());
    const QRgb centre = qtreach::Pixel(*backdrop, clock.Width() / 2, clock.Height() / 2);
    EXPECT_LT(qRed(centre), 16);
    EXPECT_GT(qBlue(centre), 234);
    EXPECT_EQ(clock.readPicture->Width(), 48);
    EXPECT_FALSE(clock.backPicture);

    program->tickAt(7, 32, 0);  // no photo
    program->tickAt(7, 33, 0);  // a file that is no picture
    EXPECT_EQ(clock.Backdrop(), backdrop);
    EXPECT_EQ(clock.readPicture->Width(), 48);
}

}  // namespace
