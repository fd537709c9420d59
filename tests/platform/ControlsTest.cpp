#include "platform/Controls.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

#include "platform/PropertyStream.h"
#include "platform/QtAccess.h"
#include "platform/Runtime.h"
#include "platform/Window.h"
#include "tests/support/QtReach.h"

namespace platform {
namespace {

constexpr const char* kWindowClass = "ControlsTestWindow";

class ControlsTestWindow : public Window {
public:
    ControlsTestWindow() : Window(kWindowClass) {}

protected:
    void Layout() override
    {
        SetProperties(*this, BuildStream([] {
            return std::array{Record::Int32("Width", 400), Record::Int32("Height", 700),
                              Record::Boolean("Visible", true)};
        }));
    }
};

// A control's stream: its place, then its class's own records (a later
// record overrides an earlier one).
std::vector<std::uint8_t> ControlStream(std::string_view name, std::int32_t index, QRect place, std::int32_t tabIndex,
                                        std::initializer_list<Record> own)
{
    std::vector<Record> records{Record::String("Name", name),         Record::Int32("Index", index),
                                Record::Int32("Left", place.x()),      Record::Int32("Top", place.y()),
                                Record::Int32("Width", place.width()), Record::Int32("Height", place.height()),
                                Record::Int32("TabIndex", tabIndex),   Record::Boolean("Visible", true)};
    records.insert(records.end(), own);
    return Encode(records);
}

// "00" CR "01" CR ... as one list value.
std::string NumberRows(int count)
{
    std::string rows;
    for (int i = 0; i < count; ++i)
        rows += (i > 0 ? "\r" : "") + std::to_string(i / 10) + std::to_string(i % 10);
    return rows;
}

QString Qs(const char* utf8) { return QString::fromUtf8(utf8); }

// A window of the test class, built and shown as the program builds its own.
class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = &GetOrCreateWindow<ControlsTestWindow>(kWindowClass);
    }

    void TearDown() override
    {
        if (!window_->IsClosed())
            window_->Close();
        // Closed windows and dropped widgets go at a later loop turn.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ResetRuntimeForTesting();
    }

    // The program's steps for each control: make, register, text size and
    // unit, then the stream.
    template <class C>
    C& Add(const std::string& name, std::int32_t index, QRect place, std::int32_t tabIndex,
           std::initializer_list<Record> own = {})
    {
        auto made = std::make_unique<C>();
        C& control = *made;
        made->SetIndex(index);
        window_->AddControl(name, std::move(made));
        control.SetTextSize(12);
        control.SetTextUnit(0);
        SetProperties(control, ControlStream(name, index, place, tabIndex, own));
        return control;
    }

    PopupMenu& AddPopup(const std::string& name, std::int32_t tabIndex, const std::string& rows)
    {
        return Add<PopupMenu>(name, kNoControlArrayIndex, QRect(105, 16, 71, 20), tabIndex,
                              {Record::String("InitialValue", rows), Record::Int32("ListIndex", 0)});
    }

    CheckBox& AddCheckBox(std::int32_t index, std::string_view caption, bool value)
    {
        return Add<CheckBox>("nameCheck", index, QRect(99, 181, 90, 20), 21,
                             {Record::String("Caption", caption), Record::Int32("State", 0),
                              Record::Boolean("Value", value)});
    }

    // The dialog's OK (Default) or Cancel button, OK first in tab order.
    PushButton& AddButton(bool ok)
    {
        return Add<PushButton>(ok ? "PushButton1" : "PushButton2", kNoControlArrayIndex, QRect(0, 666, 80, 20),
                               ok ? 36 : 37,
                               {Record::String("Caption", ok ? "OK" : "キャンセル"),
                                Record::Boolean("Default", ok), Record::Boolean("Cancel", !ok),
                                Record::Int32("ButtonStyle", 0)});
    }

    static QWidget& WidgetOf(const RectControl& control) { return *platform::WidgetOf(control); }

    ControlsTestWindow* window_ = nullptr;
};

TEST_F(ControlsTest, PopupMenuRowsFromItsStreamAndLater)
{
    auto& hours = AddPopup("alarmHourPopup", 4, NumberRows(25));
    EXPECT_EQ(qtreach::RowCount(hours), 25);
    EXPECT_EQ(hours.List(25), "");
    EXPECT_EQ(hours.List(-1), "");
    hours.SetListIndex(25);
    EXPECT_EQ(hours.ListIndex(), -1);
    EXPECT_EQ(hours.Text(), "");

    SCOPED_TRACE("no rows: the stream's ListIndex 0 selects nothing; rows come later");
    auto& popup = AddPopup("alarmVoicePopup", 0, "");
    EXPECT_EQ(qtreach::RowCount(popup), 0);
    popup.SetListIndex(0);
    EXPECT_EQ(popup.ListIndex(), -1);
    for (const char* row : {"bell.wav", "", "鐘.wav"})
        popup.AddRow(row);
    EXPECT_EQ(popup.ListIndex(), -1);  // adding rows leaves the selection
    popup.SetListIndex(2);
    popup.AddRow("last");
    EXPECT_EQ(qtreach::RowCount(popup), 4);
    EXPECT_EQ(popup.Text(), "鐘.wav");
    popup.DeleteAllRows();
    EXPECT_EQ(popup.Text(), "");
}

TEST_F(ControlsTest, LabelAndHiddenWellTakeTheirStreams)
{
    auto& label = Add<Label>("StaticText1", kNoControlArrayIndex, QRect(20, 46, 72, 20), 1,
                             {Record::String("Text", "アラーム音"), Record::Int32("TextAlign", 0),
                              Record::ColorValue("TextColor", Color{0, 0, 0}), Record::Boolean("Multiline", false)});
    auto& text = static_cast<QLabel&>(WidgetOf(label));
    EXPECT_EQ(text.text(), Qs("アラーム音"));
    EXPECT_EQ(text.geometry(), QRect(20, 46, 72, 20));
    // Text that looks like markup is shown as it is.
    label.SetText("<b>&amp;</b>");
    EXPECT_EQ(qtreach::ShownText(label), "<b>&amp;</b>");
    EXPECT_EQ(text.textFormat(), Qt::PlainText);

    auto& hidden = Add<ImageWell>("hiddenFace", kNoControlArrayIndex, QRect(20, 20, 72, 72), 9,
                                  {Record::Boolean("Visible", false)});
    EXPECT_FALSE(WidgetOf(hidden).isVisible());
    hidden.SetVisible(true);
    EXPECT_TRUE(WidgetOf(hidden).isVisible());

    SCOPED_TRACE("a property of another kind of control raises");
    const Record foreign[] = {Record::String("Caption", "x"), Record::Boolean("Value", true),
                              Record::String("InitialValue", "a")};
    for (const Record& record : foreign)
        EXPECT_THROW(SetProperties(label, Encode({&record, 1})), RuntimeException) << record.name;
    EXPECT_EQ(qtreach::ShownText(label), "<b>&amp;</b>");

    SCOPED_TRACE("a control outside any window never shows as a window of its own");
    Label loose;
    loose.SetVisible(true);
    EXPECT_FALSE(WidgetOf(loose).isVisible());
}

TEST_F(ControlsTest, CheckBoxReadsItsCaptionByByteCount)
{
    auto& checked = AddCheckBox(0, "キャンセル", true);
    EXPECT_EQ(static_cast<QCheckBox&>(WidgetOf(checked)).text(), Qs("キャンセル"));
    EXPECT_TRUE(checked.Value());

    auto& cleared = AddCheckBox(1, "", false);
    auto& box = static_cast<QCheckBox&>(WidgetOf(cleared));
    EXPECT_FALSE(cleared.Value());
    // "&" is no mnemonic: the caption shows it.
    cleared.SetCaption("A&B");
    EXPECT_EQ(qtreach::ShownText(cleared), "A&B");
    EXPECT_EQ(box.text(), Qs("A&&B"));
    box.click();
    EXPECT_TRUE(cleared.Value());
}

TEST_F(ControlsTest, ButtonHandlersSurviveExceptionsAndTheirButton)
{
    auto& ok = AddButton(true);
    SCOPED_TRACE("a runtime exception is reported and the next handler runs");
    std::vector<PushButton*> seen;
    ok.AddActionHandler([&](PushButton& b) {
        seen.push_back(&b);
        throw RuntimeException("reported, not raised");
    });
    ok.AddActionHandler([&](PushButton& b) { seen.push_back(&b); });
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(qtreach::Push(ok));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("reported, not raised"), std::string::npos);
    EXPECT_EQ(seen, (std::vector<PushButton*>{&ok, &ok}));

    SCOPED_TRACE("a handler that destroys its button ends the handlers");
    auto doomed = std::make_unique<PushButton>();
    int later = 0;
    doomed->AddActionHandler([&](PushButton&) { doomed.reset(); });
    doomed->AddActionHandler([&](PushButton&) { ++later; });
    PushButton& raw = *doomed;
    qtreach::Push(raw);
    EXPECT_EQ(doomed, nullptr);
    EXPECT_EQ(later, 0);
}

TEST_F(ControlsTest, ImageWellShowsItsPictureFittedAndReportsPresses)
{
    auto& face = Add<ImageWell>("faceImage", 7, QRect(194, 239, 72, 72), 16);
    // A picture twice as wide as high fills the width and is centred: rows
    // 18 to 53 of the well.
    const auto picture = std::make_shared<Picture>(100, 50);
    ImageOf(*picture).fill(qRgb(255, 0, 0));
    face.SetImage(picture);
    EXPECT_EQ(face.Image(), picture);
    const QImage shown = WidgetOf(face).grab().toImage();
    for (int y : {18, 53})
        EXPECT_EQ(shown.pixel(0, y), qRgb(255, 0, 0)) << y;
    for (int y : {17, 54})
        EXPECT_NE(shown.pixel(36, y), qRgb(255, 0, 0)) << y;
    face.SetImage(nullptr);
    EXPECT_NE(WidgetOf(face).grab().toImage().pixel(36, 36), qRgb(255, 0, 0));

    using Press = std::tuple<ImageWell*, std::int32_t, std::int32_t, std::int32_t>;
    std::vector<Press> presses;
    face.AddMouseDownHandler([&](ImageWell& w, std::int32_t x, std::int32_t y) {
        presses.emplace_back(&w, w.Index(), x, y);
        return true;
    });
    qtreach::PressMouse(face, 10, 20);
    qtreach::PressMouse(face, 71, 0);
    face.SetEnabled(false);
    qtreach::PressMouse(face, 10, 20);
    EXPECT_EQ(presses, (std::vector<Press>{{&face, 7, 10, 20}, {&face, 7, 71, 0}}));
}

}  // namespace
}  // namespace platform
