#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform {

// A tree of plain data that a window shows as its menu bar. A chosen item
// goes to the window's handler for its Name; the quit item, unhandled, quits.
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
