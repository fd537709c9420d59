#include "app/App.h"

#include "platform/Runtime.h"

App& implicit::App()
{
    auto* app = dynamic_cast<::App*>(platform::RegisteredAppObject());
    if (!app)
        throw platform::NilObjectException("no application object");
    return *app;
}
