#pragma once

#include <array>
#include <cstdint>
#include <utility>

#include "clock/Counts.h"
#include "platform/PropertyStream.h"
#include "prefs/ControlRecords.h"

// The declared layouts of the preferences dialog and its 38 controls.
namespace preflayout {

using ::kActorCount;

// A fixed-size dialog without a close box: OK and Cancel are the only ways out.
inline constexpr auto kWindow = platform::BuildStream([] {
    return std::array{
        Record::Int32("Placement", 1),
        Record::Int32("Width", 385),
        Record::Int32("Height", 706),
        Record::Int32("MinWidth", 64),
        Record::Int32("MinHeight", 64),
        Record::Int32("MaxWidth", 32000),
        Record::Int32("MaxHeight", 32000),
        Record::Int32("Frame", 1),
        Record::Boolean("Composite", false),
        Record::Boolean("HasBackColor", false),
        Record::ColorValue("BackColor", {0xFF, 0xFF, 0xFF}),
        Record::String("Title", "環境設定"),
        Record::Boolean("Visible", true),
        Record::Boolean("FullScreen", false),
        Record::Boolean("MenuBarVisible", true),
        Record::Boolean("CloseButton", false),
        Record::Boolean("Resizeable", false),
        Record::Boolean("LiveResize", false),
        Record::Boolean("MaximizeButton", false),
        Record::Boolean("MinimizeButton", false),
        Record::Int32("MacProcID", 0),
    };
});

inline constexpr auto kHourRows = NumberRows<25>();
inline constexpr auto kMinuteRows = NumberRows<60>();

// The alarm row, the alarm-sound row and the time-signal row.
inline constexpr auto kAlarmVoicePopup = platform::BuildStream([] {
    return PopupMenuRecords({"alarmVoicePopup", platform::kNoControlArrayIndex, 105, 47, 185, 20, 0}, "");
});
inline constexpr auto kStaticText1 = platform::BuildStream([] {
    return LabelRecords({"StaticText1", platform::kNoControlArrayIndex, 20, 46, 72, 20, 1}, "アラーム音");
});
inline constexpr auto kStaticText2 = platform::BuildStream([] {
    return LabelRecords({"StaticText2", platform::kNoControlArrayIndex, 20, 78, 72, 20, 2}, "時報");
});
inline constexpr auto kVoiceMode = platform::BuildStream([] {
    return PopupMenuRecords({"voiceMode", platform::kNoControlArrayIndex, 105, 78, 185, 20, 3},
                            "セリフ+毎分\rセリフ（10分おき）\r毎分\rなし");
});
inline constexpr auto kAlarmHourPopup = platform::BuildStream([] {
    return PopupMenuRecords({"alarmHourPopup", platform::kNoControlArrayIndex, 105, 16, 71, 20, 4},
                            TextOf(kHourRows));
});
inline constexpr auto kAlarmMinPopup = platform::BuildStream([] {
    return PopupMenuRecords({"alarmMinPopup", platform::kNoControlArrayIndex, 219, 16, 71, 20, 6},
                            TextOf(kMinuteRows));
});
inline constexpr auto kStaticText4 = platform::BuildStream([] {
    return LabelRecords({"StaticText4", platform::kNoControlArrayIndex, 186, 15, 17, 20, 7}, "時");
});
inline constexpr auto kStaticText5 = platform::BuildStream([] {
    return LabelRecords({"StaticText5", platform::kNoControlArrayIndex, 297, 16, 17, 20, 8}, "分");
});

// The actor grid: two columns of six, members 0 to 5 on the left.
constexpr std::int32_t GridColumn(std::int32_t i) { return i / 6; }
constexpr std::int32_t GridRow(std::int32_t i) { return i % 6; }
// A face well is square; its photo is decoded at that size.
inline constexpr std::int32_t kFaceSize = 72;

template <std::int32_t I>
inline constexpr auto kFaceImage = platform::BuildStream([] {
    return PlainControlRecords(
        {"faceImage", I, 20 + 174 * GridColumn(I), 155 + 84 * GridRow(I), kFaceSize, kFaceSize, 9 + I});
});
template <std::int32_t I>
inline constexpr auto kNameCheck = platform::BuildStream([] {
    return CheckBoxRecords({"nameCheck", I, 99 + 176 * GridColumn(I), 181 + 84 * GridRow(I), 90, 20, 21 + I}, "");
});

template <std::int32_t... I>
constexpr std::array<platform::StreamBytes, sizeof...(I)> FaceImageStreams(std::integer_sequence<std::int32_t, I...>)
{
    return {platform::StreamBytes(kFaceImage<I>)...};
}
template <std::int32_t... I>
constexpr std::array<platform::StreamBytes, sizeof...(I)> NameCheckStreams(std::integer_sequence<std::int32_t, I...>)
{
    return {platform::StreamBytes(kNameCheck<I>)...};
}

// The member streams by index.
inline constexpr auto kFaceImages = FaceImageStreams(std::make_integer_sequence<std::int32_t, kActorCount>{});
inline constexpr auto kNameChecks = NameCheckStreams(std::make_integer_sequence<std::int32_t, kActorCount>{});

// The heading, the separator, the alarm switch and the buttons.
inline constexpr auto kStaticText6 = platform::BuildStream([] {
    return LabelRecords({"StaticText6", platform::kNoControlArrayIndex, 20, 123, 100, 20, 33}, "声優");
});
inline constexpr auto kSeparator1 = platform::BuildStream([] {
    return PlainControlRecords({"Separator1", platform::kNoControlArrayIndex, 20, 110, 363, 1, 34});
});
inline constexpr auto kAlarmCheck = platform::BuildStream([] {
    return CheckBoxRecords({"alarmCheck", platform::kNoControlArrayIndex, 19, 15, 73, 20, 35}, "アラーム");
});
inline constexpr auto kPushButton1 = platform::BuildStream([] {
    return PushButtonRecords({"PushButton1", platform::kNoControlArrayIndex, 285, 666, 80, 20, 36}, "OK",
                             {.isDefault = true, .isCancel = false});
});
inline constexpr auto kPushButton2 = platform::BuildStream([] {
    return PushButtonRecords({"PushButton2", platform::kNoControlArrayIndex, 176, 666, 96, 20, 37}, "キャンセル",
                             {.isDefault = false, .isCancel = true});
});
inline constexpr auto kPushButton3 = platform::BuildStream([] {
    return PushButtonRecords({"PushButton3", platform::kNoControlArrayIndex, 302, 47, 63, 20, 38}, "試聴",
                             {.isDefault = false, .isCancel = false});
});

}  // namespace preflayout
