#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "clock/Counts.h"
#include "clock/ListText.h"
#include "clock/MinuteTally.h"
#include "platform/Controls.h"
#include "platform/Timer.h"
#include "platform/FolderItem.h"
#include "platform/Menu.h"
#include "platform/Picture.h"
#include "platform/Window.h"

// The clock window: the program's one main window and the owner of all its
// state. Its title shows the time; its timer drives the minute's work.
class mainWindow : public platform::Window {
public:
    static constexpr const char* kClassName = "mainWindow.mainWindow";

    mainWindow() : platform::Window(kClassName) {}

    // The minute text HH:MM of the last minute handled; empty after a click.
    std::string lastTime = "00:00:00";
    // The four lists, one line per element (see ResourceTexts.h).
    ListText seiyuName = ListText::EmptyLines(kSeiyuNameSize);
    ListText timeArray = ListText::EmptyLines(kTimeArraySize);
    ListText serifArray = ListText::EmptyLines(kSerifArraySize);
    ListText alarmArray = ListText::EmptyLines(kAlarmArraySize);
    // The two schedules' lines counted per minute and actor, loaded with them.
    MinuteTally timeTally;
    MinuteTally serifTally;
    // The settings.
    std::string alarmHour = "00";
    std::string alarmMin = "00";
    bool alarmCheck = false;
    std::int32_t alarmVoice = 0;
    // Actor n is enabled when element n - 1 is true; element 12 stays false.
    ActorFlags nameCheck{};
    std::int32_t voiceMode = 0;
    // The picture last loaded for the background, and the scratch picture of
    // the scaled backdrop (empty outside it).
    platform::PicturePtr readPicture;
    platform::PicturePtr backPicture;
    // The data folder, root of Photos and Sounds; set when the window opens.
    std::optional<platform::FolderItem> dataPath;

    platform::Timer& mainTimer() const;
    platform::MenuItem& windowMenu() const { return MenuItemNamed("windowMenu"); }
    platform::MenuItem& largeMenu() const { return MenuItemNamed("largeMenu"); }
    platform::MenuItem& NormalMenu() const { return MenuItemNamed("NormalMenu"); }
    platform::MenuItem& halfMenu() const { return MenuItemNamed("halfMenu"); }
    platform::MenuItem& FileMenu() const { return MenuItemNamed("FileMenu"); }
    platform::MenuItem& FileQuit() const { return MenuItemNamed("FileQuit"); }
    platform::MenuItem& prefMenu() const { return MenuItemNamed("prefMenu"); }

    // The minute tick, run every 500 ms.
    void mainTimer_Action(platform::Timer& timer);
    // Draws readPicture stretched to the window as its backdrop.
    void ScaledBackdrop();
    // Plays the sound of the alarm line at that index, if it has one.
    void PlayAlarmSound(std::int64_t alarmLine) const;

    bool prefMenu_Action();
    bool halfMenu_Action();
    bool NormalMenu_Action();
    bool largeMenu_Action();

protected:
    void Layout() override;
    void CreateControls() override;
    void AddMenuHandlers(platform::Window& w) override;
    void Event_Open() override;
    void Event_Close() override;
    bool Event_MouseDown(std::int32_t x, std::int32_t y) override;
    void Event_Resized() override;

private:
    void CreateControls0();
    platform::MenuItem& MenuItemNamed(const std::string& name) const;

    // Opening steps.
    bool LocateDataFolder();
    void SetMinimumAndStartSize();
    void ReadSettings();
    void ApplyDefaultSettings();
    bool WriteSettings(std::string& error) const;

    // The minute's work.
    void ShowMinutePhoto(const std::string& minuteKey);
    void PlayMinuteSound(const std::string& minuteKey);
    void WalkSchedule(const MinuteTally& schedule, const std::string& minuteKey,
                      const platform::FolderItem& clip) const;
};

namespace implicit {
// The one clock window, made and opened at the first request.
::mainWindow& mainWindow();
}  // namespace implicit
