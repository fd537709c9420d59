#include "prefs/prefWindow.h"

#include <initializer_list>

#include "platform/PropertyStream.h"
#include "platform/Runtime.h"
#include "prefs/ControlArrays.h"
#include "prefs/PrefLayout.h"

prefWindow& implicit::prefWindow()
{
    return platform::GetOrCreateWindow<::prefWindow>(::prefWindow::kClassName);
}

void prefWindow::Layout() { platform::SetProperties(*this, preflayout::kWindow); }

void prefWindow::CreateControls()
{
    CreateControls0();
    CreateControls1();
}

// Controls are made in a fixed order; the tab order comes from their streams.
void prefWindow::CreateControls0()
{
    using platform::Label;
    using platform::PopupMenu;
    Build("alarmVoicePopup", std::make_unique<PopupMenu>(), TextSize::Twelve, preflayout::kAlarmVoicePopup);
    Build("StaticText1", std::make_unique<Label>(), TextSize::Twelve, preflayout::kStaticText1);
    Build("StaticText2", std::make_unique<Label>(), TextSize::Twelve, preflayout::kStaticText2);
    Build("voiceMode", std::make_unique<PopupMenu>(), TextSize::Twelve, preflayout::kVoiceMode);
    Build("alarmHourPopup", std::make_unique<PopupMenu>(), TextSize::Twelve, preflayout::kAlarmHourPopup);
    Build("alarmMinPopup", std::make_unique<PopupMenu>(), TextSize::Twelve, preflayout::kAlarmMinPopup);
    Build("StaticText4", std::make_unique<Label>(), TextSize::Default, preflayout::kStaticText4);
    Build("StaticText5", std::make_unique<Label>(), TextSize::Default, preflayout::kStaticText5);
    for (std::int32_t i = 0; i < preflayout::kActorCount; ++i)
        BuildFaceImage(i);
    for (std::int32_t i : {0, 1, 2, 3, 4, 5, 6, 8, 9, 10})
        BuildNameCheck(i);
}

void prefWindow::CreateControls1()
{
    BuildNameCheck(11);
    BuildNameCheck(7);
    Build("StaticText6", std::make_unique<platform::Label>(), TextSize::Twelve, preflayout::kStaticText6);
    Build("Separator1", std::make_unique<platform::Separator>(), TextSize::None, preflayout::kSeparator1);
    Build("alarmCheck", std::make_unique<platform::CheckBox>(), TextSize::Twelve, preflayout::kAlarmCheck);

    using platform::PushButton;
    Build("PushButton1", std::make_unique<PushButton>(), TextSize::Default, preflayout::kPushButton1);
    PushButton1().AddActionHandler([this](PushButton& button) { PushButton1_Action(button); });
    Build("PushButton2", std::make_unique<PushButton>(), TextSize::Default, preflayout::kPushButton2);
    PushButton2().AddActionHandler([this](PushButton& button) { PushButton2_Action(button); });
    Build("PushButton3", std::make_unique<PushButton>(), TextSize::Default, preflayout::kPushButton3);
    PushButton3().AddActionHandler([this](PushButton& button) { PushButton3_Action(button); });
}

void prefWindow::BuildFaceImage(std::int32_t index)
{
    Build("faceImage", std::make_unique<prefWindow_faceImage>(index), TextSize::None,
          preflayout::kFaceImages[static_cast<std::size_t>(index)]);
    faceImage(index).AddMouseDownHandler([this](platform::ImageWell& face, std::int32_t x, std::int32_t y) {
        return faceImage_MouseDown(face, x, y);
    });
}

void prefWindow::BuildNameCheck(std::int32_t index)
{
    Build("nameCheck", std::make_unique<prefWindow_nameCheck>(index), TextSize::Twelve,
          preflayout::kNameChecks[static_cast<std::size_t>(index)]);
}

// After registering, the control is reached by its name, as every later
// lookup will reach it. The text size and unit must come before the stream.
void prefWindow::Build(const std::string& name, std::unique_ptr<platform::RectControl> control, TextSize size,
                       platform::StreamBytes stream)
{
    const std::int32_t index = control->Index();
    AddControl(name, std::move(control));
    auto& made = index == platform::kNoControlArrayIndex ? ControlAs<platform::RectControl>(name)
                                                         : ControlAs<platform::RectControl>(name, index);
    if (size == TextSize::Twelve)
        made.SetTextSize(12.0);
    if (size != TextSize::None)
        made.SetTextUnit(0);
    platform::SetProperties(made, stream);
}

platform::PopupMenu& prefWindow::alarmVoicePopup() const { return ControlAs<platform::PopupMenu>("alarmVoicePopup"); }
platform::Label& prefWindow::StaticText1() const { return ControlAs<platform::Label>("StaticText1"); }
platform::Label& prefWindow::StaticText2() const { return ControlAs<platform::Label>("StaticText2"); }
platform::PopupMenu& prefWindow::voiceMode() const { return ControlAs<platform::PopupMenu>("voiceMode"); }
platform::PopupMenu& prefWindow::alarmHourPopup() const { return ControlAs<platform::PopupMenu>("alarmHourPopup"); }
platform::PopupMenu& prefWindow::alarmMinPopup() const { return ControlAs<platform::PopupMenu>("alarmMinPopup"); }
platform::Label& prefWindow::StaticText4() const { return ControlAs<platform::Label>("StaticText4"); }
platform::Label& prefWindow::StaticText5() const { return ControlAs<platform::Label>("StaticText5"); }

platform::ImageWell& prefWindow::faceImage(std::int32_t index) const
{
    return ControlAs<platform::ImageWell>("faceImage", index);
}

platform::CheckBox& prefWindow::nameCheck(std::int32_t index) const
{
    return ControlAs<platform::CheckBox>("nameCheck", index);
}

platform::Label& prefWindow::StaticText6() const { return ControlAs<platform::Label>("StaticText6"); }
platform::Separator& prefWindow::Separator1() const { return ControlAs<platform::Separator>("Separator1"); }
platform::CheckBox& prefWindow::alarmCheck() const { return ControlAs<platform::CheckBox>("alarmCheck"); }
platform::PushButton& prefWindow::PushButton1() const { return ControlAs<platform::PushButton>("PushButton1"); }
platform::PushButton& prefWindow::PushButton2() const { return ControlAs<platform::PushButton>("PushButton2"); }
platform::PushButton& prefWindow::PushButton3() const { return ControlAs<platform::PushButton>("PushButton3"); }
