#include "platform/Controls.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "platform/ControlWidgets.h"
#include "platform/PropertyStream.h"
#include "platform/QtAccess.h"
#include "platform/Runtime.h"
#include "platform/Window.h"

namespace platform {
namespace {

constexpr const char* kWindowClass = "ControlsTestWindow";

constexpr auto kWindowStream = BuildStream([] {
    return std::array{Record::Int32("Width", 400), Record::Int32("Height", 700),
                      Record::Boolean("Visible", true)};
});

class ControlsTestWindow : public Window {
public:
    ControlsTestWindow() : Window(kWindowClass) {}

protected:
    void Layout() override { SetProperties(*this, kWindowStream); }
};

// "00" CR "01" CR ... as one list value.
template <int Count>
constexpr auto NumberRows()
{
    std::array<char, Count * 3 - 1> rows{};
    for (int i = 0; i < Count; ++i) {
        rows[i * 3] = static_cast<char>('0' + i / 10);
        rows[i * 3 + 1] = static_cast<char>('0' + i % 10);
        if (i + 1 < Count)
            rows[i * 3 + 2] = '\r';
    }
    return rows;
}
constexpr auto kHourRows = NumberRows<25>();
constexpr auto kMinuteRows = NumberRows<60>();

// A popup's whole record list, in its stream order.
template <class Rows>
constexpr auto PopupRecords(std::string_view name, std::int32_t left, std::int32_t tabIndex, Rows rows,
                            std::int32_t listIndex)
{
    return std::array{
        Record::String("Name", name), Record::Int32("Index", kNoControlArrayIndex), Record::Int32("Left", left),
        Record::Int32("Top", 16), Record::Int32("Width", 71), Record::Int32("Height", 20),
        Record::Boolean("LockLeft", true), Record::Boolean("LockTop", true), Record::Boolean("LockRight", false),
        Record::Boolean("LockBottom", false), Record::Int32("TabPanelIndex", 0), Record::Int32("TabIndex", tabIndex),
        Record::Boolean("TabStop", true), Record::Boolean("Enabled", true), Record::String("InitialValue", rows),
        Record::Int32("ListIndex", listIndex), Record::Boolean("Visible", true), Record::String("HelpTag", ""),
        Record::Boolean("AutoDeactivate", true), Record::String("TextFont", "Lucida Grande"),
        Record::Boolean("Bold", false), Record::Boolean("Italic", false), Record::Boolean("Underline", false),
        Record::String("DataSource", ""), Record::String("DataField", ""), Record::String("InitialParent", "")};
}

constexpr auto kHourPopupStream = BuildStream([] {
    return PopupRecords("alarmHourPopup", 105, 4, std::string_view(kHourRows.data(), kHourRows.size()), 0);
});
constexpr auto kMinutePopupStream = BuildStream([] {
    return PopupRecords("alarmMinPopup", 219, 6, std::string_view(kMinuteRows.data(), kMinuteRows.size()), 0);
});
constexpr auto kEmptyPopupStream =
    BuildStream([] { return PopupRecords("alarmVoicePopup", 105, 0, std::string_view(), 0); });
// The longest layout stream of the program; nothing may cut it at 255 bytes.
static_assert(kMinutePopupStream.size() == 506);

constexpr auto kLabelStream = BuildStream([] {
    return std::array{
        Record::String("Name", "StaticText1"), Record::Int32("Index", kNoControlArrayIndex),
        Record::Int32("Left", 20), Record::Int32("Top", 46), Record::Int32("Width", 72), Record::Int32("Height", 20),
        Record::Boolean("LockLeft", true), Record::Boolean("LockTop", true), Record::Boolean("LockRight", false),
        Record::Boolean("LockBottom", false), Record::Int32("TabPanelIndex", 0), Record::Int32("TabIndex", 1),
        Record::String("Text", "アラーム音"), Record::Int32("TextAlign", 3),
        Record::ColorValue("TextColor", Color{0xFF, 0x00, 0x00}), Record::Boolean("Multiline", true),
        Record::Boolean("Enabled", true), Record::Boolean("Visible", true), Record::Boolean("Selectable", false),
        Record::Boolean("Transparent", true), Record::String("HelpTag", "sound"),
        Record::Boolean("AutoDeactivate", true), Record::String("TextFont", "Lucida Grande"),
        Record::Boolean("Bold", true), Record::Boolean("Italic", false), Record::Boolean("Underline", false),
        Record::String("DataSource", ""), Record::String("DataField", "field"), Record::String("InitialParent", "")};
});

constexpr auto CheckBoxRecords(std::string_view caption, std::int32_t index, std::int32_t state, bool value)
{
    return std::array{
        Record::String("Name", "nameCheck"), Record::Int32("Index", index), Record::Int32("Left", 99),
        Record::Int32("Top", 181), Record::Int32("Width", 90), Record::Int32("Height", 20),
        Record::Boolean("LockLeft", true), Record::Boolean("LockTop", true), Record::Boolean("LockRight", false),
        Record::Boolean("LockBottom", false), Record::Int32("TabPanelIndex", 0), Record::Int32("TabIndex", 21),
        Record::Boolean("TabStop", true), Record::String("Caption", caption), Record::Boolean("Enabled", true),
        Record::Boolean("Visible", true), Record::String("HelpTag", ""), Record::Boolean("AutoDeactivate", true),
        Record::String("TextFont", "Lucida Grande"), Record::Boolean("Bold", false), Record::Boolean("Italic", false),
        Record::Boolean("Underline", false), Record::Int32("State", state), Record::Boolean("Value", value),
        Record::String("DataSource", ""), Record::String("DataField", ""), Record::String("InitialParent", "")};
}

constexpr auto kCheckedBoxStream = BuildStream([] { return CheckBoxRecords("キャンセル", 0, 0, true); });
constexpr auto kEmptyBoxStream = BuildStream([] { return CheckBoxRecords("", 1, 0, false); });
constexpr auto kMixedStateStream = BuildStream([] { return std::array{Record::Int32("State", 2)}; });

constexpr auto ButtonRecords(std::string_view name, std::int32_t left, std::int32_t tabIndex,
                             std::string_view caption, bool isDefault, bool isCancel)
{
    return std::array{
        Record::String("Name", name), Record::Int32("Index", kNoControlArrayIndex), Record::Int32("Left", left),
        Record::Int32("Top", 666), Record::Int32("Width", 80), Record::Int32("Height", 20),
        Record::Boolean("LockLeft", true), Record::Boolean("LockTop", true), Record::Boolean("LockRight", false),
        Record::Boolean("LockBottom", false), Record::Int32("TabPanelIndex", 0), Record::Int32("TabIndex", tabIndex),
        Record::Boolean("TabStop", true), Record::String("Caption", caption), Record::Boolean("Default", isDefault),
        Record::Boolean("Cancel", isCancel), Record::Boolean("Enabled", true), Record::Boolean("Visible", true),
        Record::String("HelpTag", ""), Record::Boolean("AutoDeactivate", true), Record::Int32("ButtonStyle", 0),
        Record::String("TextFont", "Lucida Grande"), Record::Boolean("Bold", false), Record::Boolean("Italic", false),
        Record::Boolean("Underline", false), Record::String("InitialParent", "")};
}

constexpr auto kOkStream = BuildStream([] { return ButtonRecords("PushButton1", 285, 36, "OK", true, false); });
constexpr auto kCancelStream =
    BuildStream([] { return ButtonRecords("PushButton2", 176, 37, "キャンセル", false, true); });

// Image wells and separators share one record list.
constexpr auto PlainRecords(std::string_view name, std::int32_t index, std::int32_t left, std::int32_t top,
                            std::int32_t width, std::int32_t height, std::int32_t tabIndex, bool visible)
{
    return std::array{
        Record::String("Name", name), Record::Int32("Index", index), Record::Int32("Left", left),
        Record::Int32("Top", top), Record::Int32("Width", width), Record::Int32("Height", height),
        Record::Boolean("LockLeft", true), Record::Boolean("LockTop", true), Record::Boolean("LockRight", false),
        Record::Boolean("LockBottom", false), Record::Int32("TabPanelIndex", 0), Record::Int32("TabIndex", tabIndex),
        Record::Boolean("TabStop", true), Record::String("InitialParent", ""), Record::Boolean("Visible", visible),
        Record::String("HelpTag", ""), Record::Boolean("AutoDeactivate", true), Record::Boolean("Enabled", true)};
}

constexpr auto kFaceStream = BuildStream([] { return PlainRecords("faceImage", 7, 194, 239, 72, 72, 16, true); });
constexpr auto kSeparatorStream =
    BuildStream([] { return PlainRecords("Separator1", kNoControlArrayIndex, 20, 110, 363, 1, 34, true); });
constexpr auto kHiddenFaceStream =
    BuildStream([] { return PlainRecords("hiddenFace", kNoControlArrayIndex, 20, 20, 72, 72, 9, false); });

QString Qs(const char* utf8) { return QString::fromUtf8(utf8); }

// Closed windows and dropped widgets go at a later loop turn; this is it.
void FlushDeletions()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A window of the test class, built and shown as the program builds its own.
class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterClass(kWindowClass);
        window_ = &GetOrCreateWindow<ControlsTestWindow>(kWindowClass);
    }

    void TearDown() override
    {
        if (!window_->IsClosed())
            window_->Close();
        FlushDeletions();
        ResetRuntimeForTesting();
    }

    // The steps the program takes for each control: make, register, text
    // size and unit (text controls), then the stream.
    template <class C>
    C& Add(const std::string& name, StreamBytes stream, std::int32_t index = kNoControlArrayIndex,
           bool text = true)
    {
        auto made = std::make_unique<C>();
        made->SetIndex(index);
        window_->AddControl(name, std::move(made));
        auto& control = dynamic_cast<C&>(*window_->ControlByName(name, index));
        if (text) {
            control.SetTextSize(12);
            control.SetTextUnit(0);
        }
        SetProperties(control, stream);
        return control;
    }

    static QWidget& WidgetOf(const RectControl& control) { return *control.impl().widget; }

    QWidget& Content() const { return *ContentWidget(*window_); }

    ControlsTestWindow* window_ = nullptr;
};

TEST_F(ControlsTest, PopupMenuTakesItsRowsAndSelectionFromItsStream)
{
    auto& hours = Add<PopupMenu>("alarmHourPopup", kHourPopupStream);
    EXPECT_EQ(hours.ListCount(), 25);
    EXPECT_EQ(hours.List(0), "00");
    EXPECT_EQ(hours.List(24), "24");
    EXPECT_EQ(hours.List(25), "");
    EXPECT_EQ(hours.List(-1), "");
    EXPECT_EQ(hours.ListIndex(), 0);
    EXPECT_EQ(hours.Text(), "00");
    EXPECT_EQ(hours.Name(), "alarmHourPopup");
    EXPECT_EQ(hours.Index(), kNoControlArrayIndex);
    EXPECT_EQ(WidgetOf(hours).geometry(), QRect(105, 16, 71, 20));
    EXPECT_EQ(WidgetOf(hours).parentWidget(), &Content());
    EXPECT_TRUE(WidgetOf(hours).isVisible());
    EXPECT_DOUBLE_EQ(WidgetOf(hours).font().pointSizeF(), 12.0);

    auto& minutes = Add<PopupMenu>("alarmMinPopup", kMinutePopupStream);
    EXPECT_EQ(minutes.ListCount(), 60);
    EXPECT_EQ(minutes.List(59), "59");
    EXPECT_EQ(minutes.TabIndex(), 6);

    minutes.SetListIndex(59);
    EXPECT_EQ(minutes.Text(), "59");
    minutes.SetListIndex(60);
    EXPECT_EQ(minutes.ListIndex(), -1);
    EXPECT_EQ(minutes.Text(), "");
}

TEST_F(ControlsTest, PopupMenuWithoutRowsSelectsNothingAndTakesRowsLater)
{
    auto& popup = Add<PopupMenu>("alarmVoicePopup", kEmptyPopupStream);
    EXPECT_EQ(popup.ListCount(), 0);
    EXPECT_EQ(popup.ListIndex(), -1);
    EXPECT_EQ(popup.Text(), "");
    for (std::int32_t index : {0, 1, -1, -2, INT32_MAX, INT32_MIN}) {
        popup.SetListIndex(index);
        EXPECT_EQ(popup.ListIndex(), -1) << index;
    }

    // Adding rows leaves the selection where it was.
    popup.AddRow("bell.wav");
    popup.AddRow("");
    popup.AddRow("鐘.wav");
    EXPECT_EQ(popup.ListCount(), 3);
    EXPECT_EQ(popup.ListIndex(), -1);
    EXPECT_EQ(popup.List(1), "");
    popup.SetListIndex(2);
    EXPECT_EQ(popup.Text(), "鐘.wav");
    popup.AddRow("last");
    EXPECT_EQ(popup.ListIndex(), 2);
    EXPECT_EQ(static_cast<QComboBox&>(WidgetOf(popup)).currentText(), Qs("鐘.wav"));

    popup.DeleteAllRows();
    EXPECT_EQ(popup.ListCount(), 0);
    EXPECT_EQ(popup.ListIndex(), -1);
    EXPECT_EQ(popup.Text(), "");

    popup.SetInitialValue("a\rb");
    EXPECT_EQ(popup.ListCount(), 2);
    popup.SetInitialValue("");
    EXPECT_EQ(popup.ListCount(), 0);
}

TEST_F(ControlsTest, LabelTakesItsStream)
{
    auto& label = Add<Label>("StaticText1", kLabelStream);
    auto& widget = static_cast<QLabel&>(WidgetOf(label));
    EXPECT_EQ(label.Text(), "アラーム音");
    EXPECT_EQ(widget.text(), Qs("アラーム音"));
    EXPECT_EQ(widget.geometry(), QRect(20, 46, 72, 20));
    EXPECT_TRUE(widget.alignment() & Qt::AlignRight);
    EXPECT_TRUE(widget.wordWrap());
    EXPECT_EQ(widget.palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(widget.toolTip(), Qs("sound"));
    EXPECT_TRUE(widget.font().bold());
    EXPECT_DOUBLE_EQ(widget.font().pointSizeF(), 12.0);
    EXPECT_EQ(label.TabIndex(), 1);
    // Values the toolkit has no use for are kept as the stream gave them.
    EXPECT_EQ(label.impl().kept.at("DataField"), PropertyValue(std::string("field")));
    EXPECT_EQ(label.impl().kept.at("Transparent"), PropertyValue(true));
    EXPECT_EQ(label.impl().kept.at("LockRight"), PropertyValue(false));

    // Text that looks like markup is shown as it is.
    label.SetText("<b>&amp;</b>");
    EXPECT_EQ(widget.text(), Qs("<b>&amp;</b>"));
    EXPECT_EQ(widget.textFormat(), Qt::PlainText);
}

TEST_F(ControlsTest, CheckBoxReadsCaptionByByteCountAndState)
{
    auto& checked = Add<CheckBox>("nameCheck", kCheckedBoxStream, 0);
    EXPECT_EQ(checked.Caption(), "キャンセル");
    EXPECT_EQ(static_cast<QCheckBox&>(WidgetOf(checked)).text(), Qs("キャンセル"));
    EXPECT_TRUE(checked.Value());
    EXPECT_EQ(checked.Index(), 0);
    EXPECT_EQ(window_->ControlByName("nameCheck", 0), &checked);

    auto& mixed = Add<CheckBox>("nameCheck", kEmptyBoxStream, 1);
    EXPECT_EQ(mixed.Caption(), "");
    EXPECT_FALSE(mixed.Value());
    EXPECT_EQ(window_->ControlByName("nameCheck", 1), &mixed);
    SetProperties(mixed, kMixedStateStream);
    EXPECT_FALSE(mixed.Value());
    EXPECT_EQ(static_cast<QCheckBox&>(WidgetOf(mixed)).checkState(), Qt::PartiallyChecked);

    mixed.SetValue(true);
    EXPECT_TRUE(mixed.Value());
    mixed.SetValue(false);
    EXPECT_FALSE(mixed.Value());
    EXPECT_EQ(static_cast<QCheckBox&>(WidgetOf(mixed)).checkState(), Qt::Unchecked);

    // "&" is no mnemonic: the caption shows it.
    mixed.SetCaption("A&B");
    EXPECT_EQ(mixed.Caption(), "A&B");
    EXPECT_EQ(static_cast<QCheckBox&>(WidgetOf(mixed)).text(), Qs("A&&B"));

    // A click by the user toggles the value.
    static_cast<QCheckBox&>(WidgetOf(mixed)).click();
    EXPECT_TRUE(mixed.Value());
}

// The keys go to whichever widget has the focus, as the user's would.
void PressKey(Qt::Key key)
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    ASSERT_NE(target, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

TEST_F(ControlsTest, DefaultAndCancelButtonsAnswerReturnAndEscape)
{
    auto& ok = Add<PushButton>("PushButton1", kOkStream, kNoControlArrayIndex, false);
    auto& cancel = Add<PushButton>("PushButton2", kCancelStream, kNoControlArrayIndex, false);
    auto& box = Add<CheckBox>("nameCheck", kCheckedBoxStream, 0);
    std::vector<std::string> pressed;
    ok.AddActionHandler([&](PushButton& b) { pressed.push_back(b.Caption()); });
    cancel.AddActionHandler([&](PushButton& b) { pressed.push_back(b.Caption()); });
    EXPECT_EQ(cancel.Caption(), "キャンセル");

    QWidget* top = Content().window();
    QApplication::setActiveWindow(top);
    ASSERT_EQ(QApplication::activeWindow(), top);
    WidgetOf(box).setFocus();

    PressKey(Qt::Key_Return);
    EXPECT_EQ(pressed, (std::vector<std::string>{"OK"}));
    PressKey(Qt::Key_Escape);
    EXPECT_EQ(pressed, (std::vector<std::string>{"OK", "キャンセル"}));
    PressKey(Qt::Key_Enter);
    EXPECT_EQ(pressed.size(), 3u);
    // Return on a focused check box is no click of it.
    EXPECT_TRUE(box.Value());

    pressed.clear();
    ok.SetEnabled(false);
    PressKey(Qt::Key_Return);
    ok.SetEnabled(true);
    cancel.SetCancel(false);
    PressKey(Qt::Key_Escape);
    ok.SetDefault(false);
    PressKey(Qt::Key_Return);
    EXPECT_TRUE(pressed.empty());

    cancel.SetDefault(true);
    PressKey(Qt::Key_Return);
    EXPECT_EQ(pressed, (std::vector<std::string>{"キャンセル"}));
}

TEST_F(ControlsTest, ReturnInAModalWindowPressesTheButtonThatClosesIt)
{
    auto& ok = Add<PushButton>("PushButton1", kOkStream, kNoControlArrayIndex, false);
    int pressed = 0;
    ok.AddActionHandler([&](PushButton&) {
        ++pressed;
        window_->Close();
    });
    // Queued in order: the press, then a close that ends the test should the
    // press have missed.
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            QApplication::setActiveWindow(Content().window());
            PressKey(Qt::Key_Return);
        },
        Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        qApp, [&] { window_->Close(); }, Qt::QueuedConnection);
    window_->ShowModal();
    EXPECT_EQ(pressed, 1);
    EXPECT_TRUE(window_->IsClosed());
}

TEST_F(ControlsTest, PushRunsActionHandlersThroughTheRuntime)
{
    auto& ok = Add<PushButton>("PushButton1", kOkStream, kNoControlArrayIndex, false);
    std::vector<PushButton*> seen;
    ok.AddActionHandler([&](PushButton& b) {
        seen.push_back(&b);
        throw RuntimeException("reported, not raised");
    });
    ok.AddActionHandler([&](PushButton& b) { seen.push_back(&b); });
    EXPECT_NO_THROW(ok.Push());
    EXPECT_EQ(seen, (std::vector<PushButton*>{&ok, &ok}));

    ok.SetEnabled(false);
    ok.Push();
    EXPECT_EQ(seen.size(), 2u);
}

TEST(ControlsStandaloneTest, HandlerThatDestroysItsButtonEndsTheHandlers)
{
    auto button = std::make_unique<PushButton>();
    int later = 0;
    button->AddActionHandler([&](PushButton&) { button.reset(); });
    button->AddActionHandler([&](PushButton&) { ++later; });
    PushButton& raw = *button;
    raw.Push();
    EXPECT_EQ(button, nullptr);
    EXPECT_EQ(later, 0);
    FlushDeletions();
}

TEST(ControlsStandaloneTest, ControlOutsideAWindowNeverShowsAsAWindow)
{
    Label label;
    label.SetVisible(true);
    label.SetLeft(5);
    label.SetWidth(30);
    EXPECT_TRUE(label.Visible());
    EXPECT_FALSE(label.impl().widget->isVisible());
    EXPECT_EQ(label.Left(), 5);
}

PicturePtr Filled(int width, int height, QRgb color)
{
    auto picture = std::make_shared<Picture>(width, height);
    ImageOf(*picture).fill(color);
    return picture;
}

TEST_F(ControlsTest, ImageWellShowsItsPictureFittedAndReportsPresses)
{
    auto& face = Add<ImageWell>("faceImage", kFaceStream, 7, false);
    EXPECT_EQ(face.Index(), 7);
    EXPECT_EQ(WidgetOf(face).geometry(), QRect(194, 239, 72, 72));
    EXPECT_EQ(face.Image(), nullptr);

    // A picture twice as wide as high fills the width and is centred.
    const PicturePtr picture = Filled(100, 50, qRgb(255, 0, 0));
    face.SetImage(picture);
    EXPECT_EQ(face.Image(), picture);
    auto& well = static_cast<ImageWellWidget&>(WidgetOf(face));
    EXPECT_EQ(well.PictureRect(), QRect(0, 18, 72, 36));
    const QImage shown = well.grab().toImage();
    EXPECT_EQ(shown.pixel(36, 36), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(0, 18), qRgb(255, 0, 0));
    EXPECT_NE(shown.pixel(36, 5), qRgb(255, 0, 0));
    EXPECT_NE(shown.pixel(36, 66), qRgb(255, 0, 0));

    using Press = std::tuple<ImageWell*, std::int32_t, std::int32_t, std::int32_t>;
    std::vector<Press> presses;
    face.AddMouseDownHandler([&](ImageWell& w, std::int32_t x, std::int32_t y) {
        presses.emplace_back(&w, w.Index(), x, y);
        return true;
    });
    face.PressMouse(10, 20);
    face.PressMouse(71, 0);
    EXPECT_EQ(presses, (std::vector<Press>{{&face, 7, 10, 20}, {&face, 7, 71, 0}}));

    // A disabled well takes no press.
    face.SetEnabled(false);
    face.PressMouse(10, 20);
    EXPECT_EQ(presses.size(), 2u);

    face.SetImage(nullptr);
    EXPECT_TRUE(well.PictureRect().isEmpty());
}

TEST_F(ControlsTest, SeparatorAndHiddenControlsTakeTheirStreams)
{
    auto& line = Add<Separator>("Separator1", kSeparatorStream, kNoControlArrayIndex, false);
    auto& frame = static_cast<QFrame&>(WidgetOf(line));
    EXPECT_EQ(frame.geometry(), QRect(20, 110, 363, 1));
    EXPECT_EQ(frame.frameShape(), QFrame::HLine);
    EXPECT_EQ(line.TabIndex(), 34);
    EXPECT_EQ(line.impl().kept.at("TabPanelIndex"), PropertyValue(std::int32_t{0}));

    auto& hidden = Add<ImageWell>("hiddenFace", kHiddenFaceStream, kNoControlArrayIndex, false);
    EXPECT_FALSE(hidden.Visible());
    EXPECT_FALSE(WidgetOf(hidden).isVisible());
    hidden.SetVisible(true);
    EXPECT_TRUE(WidgetOf(hidden).isVisible());
}

TEST_F(ControlsTest, TabIndexOrdersTheFocusChain)
{
    // Made out of tab order, as the dialog makes its name check boxes.
    auto& cancel = Add<PushButton>("PushButton2", kCancelStream, kNoControlArrayIndex, false);
    auto& ok = Add<PushButton>("PushButton1", kOkStream, kNoControlArrayIndex, false);
    auto& minutes = Add<PopupMenu>("alarmMinPopup", kMinutePopupStream);
    auto& hours = Add<PopupMenu>("alarmHourPopup", kHourPopupStream);
    auto& box = Add<CheckBox>("nameCheck", kCheckedBoxStream, 0);

    const std::vector<QWidget*> expected{&WidgetOf(hours), &WidgetOf(minutes), &WidgetOf(box), &WidgetOf(ok),
                                         &WidgetOf(cancel)};
    std::vector<QWidget*> chain;
    QWidget* at = expected.front();
    do {
        if (std::find(expected.begin(), expected.end(), at) != expected.end())
            chain.push_back(at);
        at = at->nextInFocusChain();
    } while (at != expected.front() && chain.size() <= expected.size());
    EXPECT_EQ(chain, expected);

    // A later change moves the control in the chain.
    hours.SetTabIndex(99);
    EXPECT_EQ(WidgetOf(cancel).nextInFocusChain(), &WidgetOf(hours));
}

TEST_F(ControlsTest, TextSizeAndUnitSetTheFont)
{
    auto& label = Add<Label>("StaticText1", kLabelStream);
    const QFont standard = QApplication::font(&WidgetOf(label));
    struct Case {
        double size;
        std::int32_t unit;
        double points;
        int pixels;
    };
    const Case cases[] = {{12, 0, 12, -1}, {9.5, 2, 9.5, -1}, {13, 1, -1, 13}, {1, 3, 72, -1}};
    for (const Case& c : cases) {
        label.SetTextSize(c.size);
        label.SetTextUnit(c.unit);
        const QFont font = WidgetOf(label).font();
        EXPECT_DOUBLE_EQ(font.pointSizeF(), c.points) << c.size << " unit " << c.unit;
        EXPECT_EQ(font.pixelSize(), c.pixels) << c.size << " unit " << c.unit;
    }
    label.SetTextUnit(0);
    label.SetTextSize(0);
    EXPECT_DOUBLE_EQ(WidgetOf(label).font().pointSizeF(), standard.pointSizeF());
}

}  // namespace
}  // namespace platform
