#pragma once

#include <array>

#include "platform/PropertyStream.h"

// The declared layouts of the clock window and its timer.
namespace clocklayout {

using platform::Record;

inline constexpr auto kWindow = platform::BuildStream([] {
    return std::array{
        Record::Int32("Placement", 0),
        Record::Int32("Width", 320),
        Record::Int32("Height", 480),
        Record::Int32("MinWidth", 64),
        Record::Int32("MinHeight", 64),
        Record::Int32("MaxWidth", 32000),
        Record::Int32("MaxHeight", 32000),
        Record::Int32("Frame", 0),
        Record::Boolean("Composite", false),
        Record::Boolean("HasBackColor", false),
        Record::ColorValue("BackColor", {0x00, 0x13, 0xFF}),
        Record::String("Title", "00:00:00"),
        Record::Boolean("Visible", true),
        Record::Boolean("FullScreen", false),
        Record::Boolean("MenuBarVisible", true),
        Record::Boolean("CloseButton", true),
        Record::Boolean("Resizeable", false),
        Record::Boolean("LiveResize", false),
        Record::Boolean("MaximizeButton", false),
        Record::Boolean("MinimizeButton", false),
        Record::Int32("MacProcID", 0),
    };
});

// Fires every 500 ms.
inline constexpr auto kMainTimer = platform::BuildStream([] {
    return std::array{Record::Int32("Mode", 2), Record::Int32("Period", 500)};
});

}  // namespace clocklayout
