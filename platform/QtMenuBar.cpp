#include "platform/QtMenuBar.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace platform {
namespace {

// A single & would be read as a mnemonic marker.
QString MenuText(const std::string& text)
{
    return QString::fromStdString(text).replace(u'&', QStringLiteral("&&"));
}

// "Cmd+Q" style text; Cmd is the Ctrl key here.
QKeySequence ShortcutFromText(const std::string& text)
{
    QString keys = QString::fromStdString(text);
    keys.replace(QStringLiteral("Cmd"), QStringLiteral("Ctrl"), Qt::CaseInsensitive);
    return QKeySequence(keys, QKeySequence::PortableText);
}

QAction::MenuRole QtRole(MenuItem::Role role)
{
    switch (role) {
    case MenuItem::Role::Preferences: return QAction::PreferencesRole;
    case MenuItem::Role::Quit: return QAction::QuitRole;
    case MenuItem::Role::Plain: break;
    }
    return QAction::NoRole;
}

void AddItem(QWidget& container, const MenuItem& item, const MenuChoice& onChosen);

void AddMenu(QWidget& container, const MenuItem& item, const MenuChoice& onChosen)
{
    auto* menu = new QMenu(MenuText(item.Text), &container);
    menu->setObjectName(QString::fromStdString(item.Name));
    for (const auto& child : item.Children())
        AddItem(*menu, *child, onChosen);
    container.addAction(menu->menuAction());
}

void AddAction(QWidget& container, const MenuItem& item, const MenuChoice& onChosen)
{
    auto* action = new QAction(MenuText(item.Text), &container);
    action->setObjectName(QString::fromStdString(item.Name));
    action->setShortcut(ShortcutFromText(item.KeyboardShortcut));
    action->setMenuRole(QtRole(item.MenuRole()));
    QObject::connect(action, &QAction::triggered, action,
                     [onChosen, name = item.Name, role = item.MenuRole()] { onChosen(name, role); });
    container.addAction(action);
}

void AddItem(QWidget& container, const MenuItem& item, const MenuChoice& onChosen)
{
    if (!item.Children().empty()) {
        AddMenu(container, item, onChosen);
    } else {
        AddAction(container, item, onChosen);
    }
}

}  // namespace

QMenuBar* BuildQtMenuBar(const MenuItem& root, QWidget* parent, MenuChoice onChosen)
{
    auto* bar = new QMenuBar(parent);
    // Inside the window, never a desktop-wide global menu.
    bar->setNativeMenuBar(false);
    for (const auto& menu : root.Children())
        AddMenu(*bar, *menu, onChosen);
    return bar;
}


}  // namespace platform
