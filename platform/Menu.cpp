#include "platform/Menu.h"

#include <algorithm>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/QtAccess.h"

namespace platform {

void MenuItem::Append(std::unique_ptr<MenuItem> item)
{
    if (item)
        children_.push_back(std::move(item));
}

MenuItem* MenuItem::Child(const std::string& name) const
{
    const auto found = std::ranges::find(children_, name, &MenuItem::Name);
    return found == children_.end() ? nullptr : found->get();
}

MenuItem* MenuItem::FindByName(const std::string& name) const
{
    if (MenuItem* child = Child(name))
        return child;
    for (const auto& child : children_) {
        if (MenuItem* below = child->FindByName(name))
            return below;
    }
    return nullptr;
}

namespace {

// An item with children is a menu, any other a command named after the item.
void AddItems(QWidget& container, const MenuItem& parent, const MenuChoice& onChosen)
{
    for (const auto& item : parent.Children()) {
        // A single & would be read as a mnemonic marker.
        const QString text = QString::fromStdString(item->Text).replace(u'&', QStringLiteral("&&"));
        QAction* action = nullptr;
        if (!item->Children().empty()) {
            auto* menu = new QMenu(text, &container);
            AddItems(*menu, *item, onChosen);
            action = menu->menuAction();
        } else {
            action = new QAction(text, &container);
            QString keys = QString::fromStdString(item->KeyboardShortcut);
            keys.replace(QStringLiteral("Cmd"), QStringLiteral("Ctrl"), Qt::CaseInsensitive);
            action->setShortcut(QKeySequence(keys, QKeySequence::PortableText));
            QObject::connect(action, &QAction::triggered, action,
                             [onChosen, name = item->Name, quits = item->Quits()] { onChosen(name, quits); });
        }
        action->setObjectName(QString::fromStdString(item->Name));
        container.addAction(action);
    }
}

}  // namespace

QMenuBar* BuildQtMenuBar(const MenuItem& root, QWidget* parent, const MenuChoice& onChosen)
{
    auto* bar = new QMenuBar(parent);
    // Inside the window, never a desktop-wide global menu.
    bar->setNativeMenuBar(false);
    AddItems(*bar, root, onChosen);
    return bar;
}

}  // namespace platform
