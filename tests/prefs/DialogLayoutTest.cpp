#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <QWidget>

#include <gtest/gtest.h>

#include "platform/QtAccess.h"
#include "prefs/PrefLayout.h"
#include "tests/prefs/PrefsInstallation.h"
#include "tests/support/QtReach.h"

namespace {

// A literal's bytes, zero bytes included.
template <std::size_t N>
std::string Lit(const char (&text)[N])
{
    return std::string(text, N - 1);
}

// The examples of the stream format, byte for byte.
TEST(DialogLayout, StreamBytes)
{
    const std::string window(preflayout::kWindow.begin(), preflayout::kWindow.end());
    const std::string start = Lit("Placement \0\0\0\x01") + Lit("Width \0\0\x01\x81") + Lit("Height \0\0\x02\xC2");
    EXPECT_EQ(window.substr(0, start.size()), start);
    EXPECT_NE(window.find(Lit("Title \0\0\0\x0C") + "環境設定" + Lit("Visible \x01")), std::string::npos);
    EXPECT_NE(window.find(Lit("Composite \0HasBackColor \0BackColor \xFF\xFF\xFF")), std::string::npos);
    EXPECT_TRUE(window.ends_with(Lit("MacProcID \0\0\0\0"))) << "nothing after the last record";

    const std::string cancel(preflayout::kPushButton2.begin(), preflayout::kPushButton2.end());
    EXPECT_NE(cancel.find(Lit("Caption \0\0\0\x0F") + "キャンセル" + Lit("Default \0Cancel \x01")),
              std::string::npos);
    // The longest stream: 60 rows of two digits.
    EXPECT_EQ(preflayout::kAlarmMinPopup.size(), 506u);
}

class DialogControls : public PrefsTest {};

// The built dialog: each control took its own stream, and every member sits
// in its grid place whatever its creation order (7 and 11 come last).
TEST_F(DialogControls, EachControlHasItsOwnLayout)
{
    openClock();
    prefWindow& dialog = implicit::prefWindow();
    EXPECT_EQ(qtreach::Title(dialog), "環境設定");
    EXPECT_EQ(dialog.Width(), 385);
    EXPECT_EQ(dialog.Height(), 706);
    const QWidget* top = platform::WidgetOf(dialog.PushButton1())->window();
    EXPECT_FALSE(top->windowFlags().testFlag(Qt::WindowCloseButtonHint));

    for (std::int32_t i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        const platform::ImageWell& face = dialog.faceImage(i);
        const platform::CheckBox& name = dialog.nameCheck(i);
        EXPECT_EQ(face.Index(), i);
        EXPECT_EQ(name.Index(), i);
        EXPECT_EQ(platform::WidgetOf(face)->x(), i < 6 ? 20 : 194);
        EXPECT_EQ(platform::WidgetOf(face)->y(), 155 + 84 * (i % 6));
        EXPECT_EQ(platform::WidgetOf(name)->y(), platform::WidgetOf(face)->y() + 26);
        EXPECT_EQ(name.TabIndex(), 21 + i);
    }
    EXPECT_THROW(dialog.faceImage(12), platform::NilObjectException);
    EXPECT_EQ(qtreach::RowCount(dialog.alarmHourPopup()), 25);
    EXPECT_EQ(qtreach::RowCount(dialog.alarmMinPopup()), 60);
    EXPECT_EQ(dialog.voiceMode().Text(), "毎分");
    EXPECT_EQ(qtreach::ShownText(dialog.PushButton2()), "キャンセル");
    qtreach::Push(dialog.PushButton2());
}

}  // namespace
