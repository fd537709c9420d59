#include "app/Startup.h"

#include "app/App.h"
#include "app/MenuBar1.h"
#include "clock/ResourceTexts.h"
#include "clock/mainWindow.h"
#include "platform/Runtime.h"

std::int32_t EntryRoutine(int& argc, char** argv)
{
    platform::RuntimeInit(argc, argv);
    Main();
    Finalise();
    return platform::RuntimeExit();
}

void Main()
{
    try {
        Startup();
        platform::RuntimeRun();
    } catch (...) {
        platform::RuntimeUnhandledException(std::current_exception());
    }
}

// The program declares no document types and its application object handles
// no menu commands, so start-up only makes the application and the window.
void Startup()
{
    NewAppInstance();
    MakeDefaultView();
}

void NewAppInstance()
{
    auto app = std::make_unique<App>();
    app->SetMenuBar(implicit::MenuBar1());
    platform::RuntimeRegisterAppObject(std::move(app));
}

void MakeDefaultView() { implicit::mainWindow(); }

void Finalise()
{
    ReleaseResourceTexts();
    platform::ReleaseModuleState();
    platform::ReleaseAppObject();
    ReleaseMenuBar1();
}
