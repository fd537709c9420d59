#include "platform/Application.h"

namespace platform {

namespace {
std::unique_ptr<Application>& AppObject()
{
    static std::unique_ptr<Application> app;
    return app;
}
}  // namespace

void RuntimeRegisterAppObject(std::unique_ptr<Application> app) { AppObject() = std::move(app); }

Application* RegisteredAppObject() { return AppObject().get(); }

void ReleaseAppObject() { AppObject().reset(); }

}  // namespace platform
