#pragma once

#include <cstdint>

#include "platform/Controls.h"

// The classes of the dialog's two control arrays. A member knows its actor
// slot by its Index, given when it is made.
class prefWindow_faceImage : public platform::ImageWell {
public:
    explicit prefWindow_faceImage(std::int32_t index) { SetIndex(index); }
};

class prefWindow_nameCheck : public platform::CheckBox {
public:
    explicit prefWindow_nameCheck(std::int32_t index) { SetIndex(index); }
};
