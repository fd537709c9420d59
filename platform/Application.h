#pragma once

#include <memory>

#include "platform/FolderItem.h"
#include "platform/Menu.h"

namespace platform {

// The application object. The runtime holds the one registered instance.
class Application {
public:
    virtual ~Application() = default;

    std::shared_ptr<platform::MenuBar> MenuBar() const { return menuBar_; }
    void SetMenuBar(std::shared_ptr<platform::MenuBar> menuBar) { menuBar_ = std::move(menuBar); }
    FolderItem ExecutableFile() const { return platform::ExecutableFile(); }

private:
    std::shared_ptr<platform::MenuBar> menuBar_;
};

// The runtime keeps the object from now on.
void RuntimeRegisterAppObject(std::unique_ptr<Application> app);
// The registered object; nullptr before registration and after release.
Application* RegisteredAppObject();
void ReleaseAppObject();

}  // namespace platform
