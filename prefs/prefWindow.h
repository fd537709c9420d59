#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Controls.h"
#include "platform/PropertyStream.h"
#include "platform/Window.h"

class mainWindow;

// The preferences dialog. It holds no settings of its own: it is filled from
// the clock window when it opens, and OK copies its controls back. It is
// built anew for every opening and forgotten once closed.
class prefWindow : public platform::Window {
public:
    static constexpr const char* kClassName = "prefWindow.prefWindow";

    prefWindow() : platform::Window(kClassName) {}

    void Layout() override;
    void CreateControls() override;
    void CreateControls0();
    void CreateControls1();

    // Each finds the control registered under its name; a missing one raises
    // NilObjectException.
    platform::PopupMenu& alarmVoicePopup() const;
    platform::Label& StaticText1() const;
    platform::Label& StaticText2() const;
    platform::PopupMenu& voiceMode() const;
    platform::PopupMenu& alarmHourPopup() const;
    platform::PopupMenu& alarmMinPopup() const;
    platform::Label& StaticText4() const;
    platform::Label& StaticText5() const;
    platform::ImageWell& faceImage(std::int32_t index) const;
    platform::CheckBox& nameCheck(std::int32_t index) const;
    platform::Label& StaticText6() const;
    platform::Separator& Separator1() const;
    platform::CheckBox& alarmCheck() const;
    platform::PushButton& PushButton1() const;
    platform::PushButton& PushButton2() const;
    platform::PushButton& PushButton3() const;

    // A click on a face makes that actor's picture the clock's background.
    bool faceImage_MouseDown(platform::ImageWell& face, std::int32_t x, std::int32_t y);
    // OK: the dialog's choices become the clock's settings.
    void PushButton1_Action(platform::PushButton& button);
    // Cancel: nothing is applied.
    void PushButton2_Action(platform::PushButton& button);
    // Preview of the alarm sound selected now.
    void PushButton3_Action(platform::PushButton& button);
    void Event_Open() override;

private:
    enum class TextSize { Twelve, Default, None };

    void Build(const std::string& name, std::unique_ptr<platform::RectControl> control, TextSize size,
               platform::StreamBytes stream);
    void BuildFaceImage(std::int32_t index);
    void BuildNameCheck(std::int32_t index);

    // Opening steps.
    void ShowActor(const mainWindow& clock, std::int32_t index);
    void ShowFace(const mainWindow& clock, std::int32_t index, const std::string& fileName);
    void ShowAlarmSounds(const mainWindow& clock);
};

namespace implicit {
// The dialog while one is open, else a new one, built and opened.
::prefWindow& prefWindow();
}  // namespace implicit
