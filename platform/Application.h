#pragma once

#include <memory>

#include "platform/Menu.h"

namespace platform {

// The application object. The runtime holds the one registered instance.
class Application {
public:
    virtual ~Application() = default;

    std::shared_ptr<platform::MenuBar> MenuBar() const { return menuBar_; }
    void SetMenuBar(std::shared_ptr<platform::MenuBar> menuBar) { menuBar_ = std::move(menuBar); }

private:
    std::shared_ptr<platform::MenuBar> menuBar_;
};

inline std::unique_ptr<Application> registeredApp;

// The runtime keeps the object from now on.
inline void RuntimeRegisterAppObject(std::unique_ptr<Application> app) { registeredApp = std::move(app); }
// The registered object; nullptr before registration and after release.
inline Application* RegisteredAppObject() { return registeredApp.get(); }
inline void ReleaseAppObject() { registeredApp.reset(); }

}  // namespace platform
