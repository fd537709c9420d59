#include "clock/mainWindow.h"

#include "app/MenuBar1.h"
#include "clock/ClockLayout.h"
#include "platform/PropertyStream.h"
#include "platform/Runtime.h"
#include "prefs/prefWindow.h"

mainWindow& implicit::mainWindow()
{
    return platform::GetOrCreateWindow<::mainWindow>(::mainWindow::kClassName);
}

void mainWindow::Layout()
{
    SetMenuBar(implicit::MenuBar1());
    platform::SetProperties(*this, clocklayout::kWindow);
}

void mainWindow::CreateControls() { CreateControls0(); }

void mainWindow::CreateControls0()
{
    AddControl("mainTimer", std::make_unique<platform::Timer>());
    platform::SetProperties(mainTimer(), clocklayout::kMainTimer);
    mainTimer().AddActionHandler([this](platform::Timer& timer) { mainTimer_Action(timer); });
}

platform::Timer& mainWindow::mainTimer() const { return ControlAs<platform::Timer>("mainTimer"); }

platform::MenuItem& mainWindow::MenuItemNamed(const std::string& name) const
{
    platform::MenuItem* item = MenuBar() ? MenuBar()->FindByName(name) : nullptr;
    if (!item)
        throw platform::NilObjectException("no menu item " + name);
    return *item;
}

void mainWindow::AddMenuHandlers(platform::Window& w)
{
    auto* window = dynamic_cast<mainWindow*>(&w);
    if (!window)
        throw platform::IllegalCastException("menu handlers belong to the clock window");
    window->AddMenuHandler("prefMenu", [window] { return window->prefMenu_Action(); });
    window->AddMenuHandler("halfMenu", [window] { return window->halfMenu_Action(); });
    window->AddMenuHandler("NormalMenu", [window] { return window->NormalMenu_Action(); });
    window->AddMenuHandler("largeMenu", [window] { return window->largeMenu_Action(); });
}

// A click makes the next tick handle the current minute again: its photo
// and its sound.
bool mainWindow::Event_MouseDown(std::int32_t, std::int32_t)
{
    lastTime.clear();
    return false;
}

// Returns once the dialog has closed through OK or Cancel.
bool mainWindow::prefMenu_Action()
{
    implicit::prefWindow().ShowModal();
    return true;
}
