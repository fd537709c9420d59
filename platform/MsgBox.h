#pragma once

#include <functional>
#include <string>

namespace platform {

// Shows the text in a modal message box and returns once it is dismissed.
// The program's handlers wait meanwhile; a quit closes the box.
void MsgBox(const std::string& text);

// Test seam: while set, MsgBox hands its text here instead of showing a box.
void SetMsgBoxHandlerForTesting(std::function<void(const std::string&)> handler);

}  // namespace platform
