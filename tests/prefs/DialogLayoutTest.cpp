#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "prefs/PrefLayout.h"
#include "tests/prefs/PrefsInstallation.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Value = std::variant<std::int32_t, bool, std::string, Bytes>;  // Bytes: a colour

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

std::uint32_t Big32(platform::StreamBytes s, std::size_t at)
{
    return std::uint32_t{s[at]} << 24 | std::uint32_t{s[at + 1]} << 16 | std::uint32_t{s[at + 2]} << 8 | s[at + 3];
}

// Reads the stream record by record against the expected order; a record
// out of place, a short stream or bytes left over fail the test.
std::map<std::string, Value> Decode(platform::StreamBytes stream, const std::string& order)
{
    std::map<std::string, Value> records;
    std::istringstream expected(order);
    std::size_t at = 0;
    for (std::string entry; expected >> entry;) {
        const std::string name = entry.substr(0, entry.size() - 2);
        const char type = entry.back();
        const std::string head = name + " ";
        if (at + head.size() > stream.size() || !std::equal(head.begin(), head.end(), stream.begin() + at)) {
            ADD_FAILURE() << "expected " << name << " at byte " << at;
            return records;
        }
        at += head.size();
        const std::size_t length = type == 'S' ? 4 + Big32(stream, at) : type == 'I' ? 4 : type == 'C' ? 3 : 1;
        if (at + length > stream.size()) {
            ADD_FAILURE() << name << " runs past the end";
            return records;
        }
        const auto value = stream.begin() + static_cast<std::ptrdiff_t>(at);
        if (type == 'I')
            records[name] = static_cast<std::int32_t>(Big32(stream, at));
        else if (type == 'B')
            records[name] = *value != 0;
        else if (type == 'C')
            records[name] = Bytes(value, value + 3);
        else
            records[name] = std::string(value + 4, value + static_cast<std::ptrdiff_t>(length));
        at += length;
    }
    EXPECT_EQ(at, stream.size()) << "bytes after the last record";
    return records;
}

TEST(DialogLayout, WindowStreamBytes)
{
    const platform::StreamBytes stream = preflayout::kWindow;
    const std::string start = Lit("Placement \0\0\0\x01") + Lit("Width \0\0\x01\x81");
    const std::string text(stream.begin(), stream.end());
    EXPECT_EQ(text.substr(0, start.size()), start);
    EXPECT_NE(text.find(Lit("Title \0\0\0\x0C") + "環境設定" + Lit("Visible \x01")), std::string::npos);
    EXPECT_NE(text.find(Lit("Composite \0HasBackColor \0BackColor \xFF\xFF\xFF")), std::string::npos);

    const auto records = Decode(stream, kWindowOrder);
    EXPECT_EQ(records.at("Height"), Value(706));
    EXPECT_EQ(records.at("CloseButton"), Value(false));
    EXPECT_EQ(records.at("Resizeable"), Value(false));
}

TEST(DialogLayout, ControlStreamsHoldTheirClassRecordsInOrder)
{
    struct Case {
        platform::StreamBytes stream;
        const std::string& order;
        const char* name;
        std::int32_t index, left, top, tabIndex;
    };
    const std::int32_t none = platform::kNoControlArrayIndex;
    std::vector<Case> cases = {
        {preflayout::kAlarmVoicePopup, kPopupOrder, "alarmVoicePopup", none, 105, 47, 0},
        {preflayout::kStaticText1, kLabelOrder, "StaticText1", none, 20, 46, 1},
        {preflayout::kVoiceMode, kPopupOrder, "voiceMode", none, 105, 78, 3},
        {preflayout::kAlarmHourPopup, kPopupOrder, "alarmHourPopup", none, 105, 16, 4},
        {preflayout::kAlarmMinPopup, kPopupOrder, "alarmMinPopup", none, 219, 16, 6},
        {preflayout::kStaticText6, kLabelOrder, "StaticText6", none, 20, 123, 33},
        {preflayout::kSeparator1, kPlainOrder, "Separator1", none, 20, 110, 34},
        {preflayout::kAlarmCheck, kCheckBoxOrder, "alarmCheck", none, 19, 15, 35},
        {preflayout::kPushButton1, kButtonOrder, "PushButton1", none, 285, 666, 36},
        {preflayout::kPushButton2, kButtonOrder, "PushButton2", none, 176, 666, 37},
        {preflayout::kPushButton3, kButtonOrder, "PushButton3", none, 302, 47, 38},
        {preflayout::kFaceImages[6], kPlainOrder, "faceImage", 6, 194, 155, 15},
        {preflayout::kFaceImages[11], kPlainOrder, "faceImage", 11, 194, 575, 20},
        {preflayout::kNameChecks[6], kCheckBoxOrder, "nameCheck", 6, 275, 181, 27},
        {preflayout::kNameChecks[7], kCheckBoxOrder, "nameCheck", 7, 275, 265, 28},
        {preflayout::kNameChecks[11], kCheckBoxOrder, "nameCheck", 11, 275, 601, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.index));
        const auto records = Decode(c.stream, c.order);
        EXPECT_EQ(records.at("Name"), Value(std::string(c.name)));
        EXPECT_EQ(records.at("Index"), Value(c.index));
        EXPECT_EQ(records.at("Left"), Value(c.left));
        EXPECT_EQ(records.at("Top"), Value(c.top));
        EXPECT_EQ(records.at("TabIndex"), Value(c.tabIndex));
        if (records.count("TextFont")) {
            EXPECT_EQ(records.at("TextFont"), Value(std::string("Lucida Grande")));
        }
    }
    // The longest stream: 60 rows of two digits.
    EXPECT_EQ(preflayout::kAlarmMinPopup.size(), 506u);
    EXPECT_EQ(Decode(preflayout::kPushButton2, kButtonOrder).at("Cancel"), Value(true));
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

    const std::pair<const platform::Control&, const char*> named[] = {
        {dialog.alarmVoicePopup(), "alarmVoicePopup"}, {dialog.StaticText1(), "StaticText1"},
        {dialog.StaticText2(), "StaticText2"},         {dialog.voiceMode(), "voiceMode"},
        {dialog.alarmHourPopup(), "alarmHourPopup"},   {dialog.alarmMinPopup(), "alarmMinPopup"},
        {dialog.StaticText4(), "StaticText4"},         {dialog.StaticText5(), "StaticText5"},
        {dialog.StaticText6(), "StaticText6"},         {dialog.Separator1(), "Separator1"},
        {dialog.alarmCheck(), "alarmCheck"},           {dialog.PushButton1(), "PushButton1"},
        {dialog.PushButton2(), "PushButton2"},         {dialog.PushButton3(), "PushButton3"},
    };
    for (const auto& [control, name] : named)
        EXPECT_EQ(control.Name(), name);

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
