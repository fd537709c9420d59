#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "prefs/PrefLayout.h"
#include "tests/prefs/PrefsInstallation.h"

namespace {

// Each class's records in stream order, name:type.
const char* const kWindowOrder =
    "Placement:I Width:I Height:I MinWidth:I MinHeight:I MaxWidth:I MaxHeight:I Frame:I Composite:B HasBackColor:B "
    "BackColor:C Title:S Visible:B FullScreen:B MenuBarVisible:B CloseButton:B Resizeable:B LiveResize:B "
    "MaximizeButton:B MinimizeButton:B MacProcID:I";
const char* const kPlaced =
    "Name:S Index:I Left:I Top:I Width:I Height:I LockLeft:B LockTop:B LockRight:B LockBottom:B TabPanelIndex:I "
    "TabIndex:I ";
const std::string kPopupOrder = std::string(kPlaced) +
    "TabStop:B Enabled:B InitialValue:S ListIndex:I Visible:B HelpTag:S AutoDeactivate:B TextFont:S Bold:B "
    "Italic:B Underline:B DataSource:S DataField:S InitialParent:S";
const std::string kLabelOrder = std::string(kPlaced) +
    "Text:S TextAlign:I TextColor:C Multiline:B Enabled:B Visible:B Selectable:B Transparent:B HelpTag:S "
    "AutoDeactivate:B TextFont:S Bold:B Italic:B Underline:B DataSource:S DataField:S InitialParent:S";
const std::string kCheckBoxOrder = std::string(kPlaced) +
    "TabStop:B Caption:S Enabled:B Visible:B HelpTag:S AutoDeactivate:B TextFont:S Bold:B Italic:B Underline:B "
    "State:I Value:B DataSource:S DataField:S InitialParent:S";
const std::string kButtonOrder = std::string(kPlaced) +
    "TabStop:B Caption:S Default:B Cancel:B Enabled:B Visible:B HelpTag:S AutoDeactivate:B ButtonStyle:I "
    "TextFont:S Bold:B Italic:B Underline:B InitialParent:S";
const std::string kPlainOrder =
    std::string(kPlaced) + "TabStop:B InitialParent:S Visible:B HelpTag:S AutoDeactivate:B Enabled:B";

// A literal's bytes, zero bytes included.
template <std::size_t N>
std::string Lit(const char (&text)[N])
{
    return std::string(text, N - 1);
}

// Walks the stream along the expected "name:type" order (S: counted text, I: 4
// bytes, C: 3, B: 1) and gives the entries found in place; a record out of
// place, a short stream or bytes left over end the walk with "!".
std::string Walk(platform::StreamBytes s, const std::string& order)
{
    std::istringstream expected(order);
    std::string found;
    std::size_t at = 0;
    for (std::string entry; expected >> entry;) {
        const std::string head = entry.substr(0, entry.size() - 2) + " ";
        if (s.size() < at + head.size() || std::string(s.begin() + at, s.begin() + at + head.size()) != head)
            return found + "!";
        at += head.size();
        const char type = entry.back();
        if (type == 'S' && s.size() < at + 4)
            return found + "!";
        at += type == 'S' ? 4 + (std::size_t{s[at + 2]} << 8 | s[at + 3]) : type == 'I' ? 4 : type == 'C' ? 3 : 1;
        found += (found.empty() ? "" : " ") + entry;
    }
    return at == s.size() ? found : found + "!";
}

TEST(DialogLayout, WindowStreamBytes)
{
    const platform::StreamBytes stream = preflayout::kWindow;
    const std::string start = Lit("Placement \0\0\0\x01") + Lit("Width \0\0\x01\x81") + Lit("Height \0\0\x02\xC2");
    const std::string text(stream.begin(), stream.end());
    EXPECT_EQ(text.substr(0, start.size()), start);
    EXPECT_NE(text.find(Lit("Title \0\0\0\x0C") + "環境設定" + Lit("Visible \x01")), std::string::npos);
    EXPECT_NE(text.find(Lit("Composite \0HasBackColor \0BackColor \xFF\xFF\xFF")), std::string::npos);
    EXPECT_NE(text.find(Lit("CloseButton \0Resizeable \0")), std::string::npos);
    EXPECT_EQ(Walk(stream, kWindowOrder), kWindowOrder);
}

TEST(DialogLayout, ControlStreamsHoldTheirClassRecordsInOrder)
{
    const std::pair<platform::StreamBytes, const std::string&> cases[] = {
        {preflayout::kAlarmVoicePopup, kPopupOrder}, {preflayout::kStaticText1, kLabelOrder},
        {preflayout::kAlarmMinPopup, kPopupOrder},   {preflayout::kStaticText6, kLabelOrder},
        {preflayout::kSeparator1, kPlainOrder},      {preflayout::kAlarmCheck, kCheckBoxOrder},
        {preflayout::kPushButton2, kButtonOrder},    {preflayout::kFaceImages[11], kPlainOrder},
        {preflayout::kNameChecks[7], kCheckBoxOrder},
    };
    for (const auto& [stream, order] : cases)
        EXPECT_EQ(Walk(stream, order), order);
    // The longest stream: 60 rows of two digits.
    EXPECT_EQ(preflayout::kAlarmMinPopup.size(), 506u);
    const std::string cancel(preflayout::kPushButton2.begin(), preflayout::kPushButton2.end());
    EXPECT_NE(cancel.find(Lit("Default \0Cancel \x01")), std::string::npos);
}

class DialogControls : public PrefsTest {};

// The built dialog: each control took its own stream (the stream names it),
// every member sits in its grid place whatever its creation order, and the
// rows and texts are the declared ones.
TEST_F(DialogControls, EachControlHasItsOwnLayout)
{
    openClock();
    prefWindow& dialog = implicit::prefWindow();
    EXPECT_EQ(dialog.Title(), "環境設定");
    EXPECT_EQ(dialog.Width(), 385);
    EXPECT_EQ(dialog.Height(), 706);
    EXPECT_FALSE(dialog.CloseButton());

    struct Placed {
        const platform::RectControl& control;
        const char* name;
        std::int32_t left, top, tabIndex;
    };
    const Placed placed[] = {
        {dialog.alarmVoicePopup(), "alarmVoicePopup", 105, 47, 0}, {dialog.StaticText1(), "StaticText1", 20, 46, 1},
        {dialog.StaticText2(), "StaticText2", 20, 78, 2},          {dialog.voiceMode(), "voiceMode", 105, 78, 3},
        {dialog.alarmHourPopup(), "alarmHourPopup", 105, 16, 4},   {dialog.alarmMinPopup(), "alarmMinPopup", 219, 16, 6},
        {dialog.StaticText4(), "StaticText4", 186, 15, 7},         {dialog.StaticText5(), "StaticText5", 297, 16, 8},
        {dialog.StaticText6(), "StaticText6", 20, 123, 33},        {dialog.Separator1(), "Separator1", 20, 110, 34},
        {dialog.alarmCheck(), "alarmCheck", 19, 15, 35},           {dialog.PushButton1(), "PushButton1", 285, 666, 36},
        {dialog.PushButton2(), "PushButton2", 176, 666, 37},       {dialog.PushButton3(), "PushButton3", 302, 47, 38},
    };
    for (const Placed& p : placed) {
        EXPECT_EQ(p.control.Name(), p.name);
        EXPECT_EQ(p.control.Index(), platform::kNoControlArrayIndex) << p.name;
        EXPECT_EQ(std::tuple(p.control.Left(), p.control.Top(), p.control.TabIndex()),
                  std::tuple(p.left, p.top, p.tabIndex)) << p.name;
    }

    const std::int32_t faceTops[] = {155, 239, 323, 407, 491, 575};
    for (std::int32_t i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        const platform::ImageWell& face = dialog.faceImage(i);
        const platform::CheckBox& name = dialog.nameCheck(i);
        EXPECT_EQ(face.Index(), i);
        EXPECT_EQ(name.Index(), i);
        EXPECT_EQ(face.Left(), i < 6 ? 20 : 194);
        EXPECT_EQ(name.Left(), i < 6 ? 99 : 275);
        EXPECT_EQ(face.Top(), faceTops[i % 6]);
        EXPECT_EQ(name.Top(), faceTops[i % 6] + 26);
        EXPECT_EQ(face.TabIndex(), 9 + i);
        EXPECT_EQ(name.TabIndex(), 21 + i);
    }
    EXPECT_THROW(dialog.faceImage(12), platform::NilObjectException);

    EXPECT_EQ(dialog.alarmHourPopup().ListCount(), 25);
    EXPECT_EQ(dialog.alarmHourPopup().List(24), "24");
    EXPECT_EQ(dialog.alarmMinPopup().ListCount(), 60);
    const std::vector<std::string> modes{"セリフ+毎分", "セリフ（10分おき）", "毎分", "なし"};
    ASSERT_EQ(dialog.voiceMode().ListCount(), 4);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(dialog.voiceMode().List(row), modes[row]);
    EXPECT_EQ(dialog.StaticText4().Text(), "時");
    EXPECT_EQ(dialog.alarmCheck().Caption(), "アラーム");
    EXPECT_EQ(dialog.PushButton2().Caption(), "キャンセル");
    dialog.PushButton2().Push();
}

}  // namespace
