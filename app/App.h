#pragma once

#include "platform/Runtime.h"

// The application object. It has no behaviour of its own: every command is
// handled by the clock window.
class App : public platform::Application {};

namespace implicit {
// The registered application object; raises NilObjectException before start-up.
::App& App();
}  // namespace implicit
