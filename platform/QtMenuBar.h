#pragma once

#include <functional>
#include <string>

#include "platform/Menu.h"

class QMenuBar;
class QWidget;

// Inside the platform layer only: a menu tree shown as a Qt menu bar.
namespace platform {

// Told the Name and role of each item the user chooses.
using MenuChoice = std::function<void(const std::string& name, MenuItem::Role role)>;

// The children of root become the bar's menus; each QAction is named after
// its item's Name.
QMenuBar* BuildQtMenuBar(const MenuItem& root, QWidget* parent, MenuChoice onChosen);

}  // namespace platform
