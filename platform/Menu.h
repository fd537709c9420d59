#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform {

// A menu or a menu item: a tree of plain data. A window shows the tree it is
// given as its menu bar; a chosen item goes to the window's handler bound to
// the item's Name, or, for the quit item, to the runtime's quit.
class MenuItem {
public:
    virtual ~MenuItem() = default;

    std::string Name;
    std::string Text;
    // "Cmd+Q" style; "Cmd" is the platform's command key (Ctrl here).
    std::string KeyboardShortcut;

    // Adds the item as the last child.
    void Append(std::unique_ptr<MenuItem> item);
    // The child with that Name, nullptr when there is none.
    MenuItem* Child(const std::string& name) const;
    // The item with that Name anywhere below this one, nullptr when none.
    MenuItem* FindByName(const std::string& name) const;
    const std::vector<std::unique_ptr<MenuItem>>& Children() const { return children_; }

    virtual bool Quits() const { return false; }

private:
    std::vector<std::unique_ptr<MenuItem>> children_;
};

class PrefsMenuItem : public MenuItem {};

class QuitMenuItem : public MenuItem {
public:
    bool Quits() const override { return true; }
};

class MenuBar : public MenuItem {};

}  // namespace platform
