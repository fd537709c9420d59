#pragma once

#include <memory>

#include "platform/Menu.h"

// The menu bar shared by the application and the clock window:
// "ファイル" (preferences, quit) and "ウィンドウ" (the three sizes).
class MenuBar1 : public platform::MenuBar {
public:
    MenuBar1();

    void Untitled0();  // the File menu
    void Untitled1();  // the Window menu

private:
    void AppendToMenu(const std::string& menuName, std::unique_ptr<platform::MenuItem> item);
};

namespace implicit {
// The one menu bar, made at the first request.
std::shared_ptr<::MenuBar1> MenuBar1();
}  // namespace implicit

// Drops the module's reference at exit.
void ReleaseMenuBar1();
