#include "platform/Menu.h"

namespace platform {

void MenuItem::Append(std::unique_ptr<MenuItem> item)
{
    if (item)
        children_.push_back(std::move(item));
}

MenuItem* MenuItem::Child(const std::string& name) const
{
    for (const auto& child : children_) {
        if (child->Name == name)
            return child.get();
    }
    return nullptr;
}

MenuItem* MenuItem::FindByName(const std::string& name) const
{
    for (const auto& child : children_) {
        if (child->Name == name)
            return child.get();
        if (MenuItem* below = child->FindByName(name))
            return below;
    }
    return nullptr;
}

}  // namespace platform
