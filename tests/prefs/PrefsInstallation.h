#pragma once

#include <QRgb>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "clock/mainWindow.h"
#include "prefs/prefWindow.h"
#include "tests/support/TestProgram.h"

using Played = std::vector<std::string>;

// Actor i is "<i+1> TAB <name> TAB face<i+1, two digits>".
extern const char* const kActorNames[12];
std::string ActorLine(int index);
// Alarm line r is "アラームrr TAB alarmrr.mp3".
std::string AlarmLine(int row);

// An installation with twelve actors and 72 alarm lines. The faces of actors
// 0 to 5 exist, twice the well's size, (actor i in colour kFaceColours[i]) and actor 7's is no
// picture; the noimage pictures of actors 0 and 1 exist (red, green) and that
// of actor 11 is no picture; alarm sounds exist for rows 0, 5 and 71.
// The settings: actors 1, 3, 5 ... on, alarm on at 07:59, row 5, mode 2.
class PrefsTest : public ::testing::Test {
protected:
    static constexpr QRgb kRed = 0xFFFF0000;
    static constexpr QRgb kGreen = 0xFF00FF00;
    static const QRgb kFaceColours[6];

    void SetUp() override;
    void install();
    mainWindow& openClock();

    // Opens the dialog through the File menu and runs act from inside its
    // modal display; act must close it. False when it never showed modally.
    bool WithModalDialog(const std::function<void(prefWindow&)>& act);

    // The photo file's name in the data folder, bytes as given.
    void writePhotoBytes(const std::string& name, const std::string& bytes) const;

    std::unique_ptr<TestProgram> program;
    mainWindow* clock = nullptr;
};

// Whether the colour is the expected one within JPEG's rounding.
bool NearColour(std::uint32_t argb, QRgb expected);
