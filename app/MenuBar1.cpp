#include "app/MenuBar1.h"

#include <string>

#include "platform/Runtime.h"

namespace {

std::shared_ptr<MenuBar1>& Instance()
{
    static std::shared_ptr<MenuBar1> instance;
    return instance;
}

template <class Item>
std::unique_ptr<platform::MenuItem> NewItem(const char* name, const char* text, const char* shortcut)
{
    auto item = std::make_unique<Item>();
    item->Name = name;
    item->Text = text;
    item->KeyboardShortcut = shortcut;
    return item;
}

}  // namespace

MenuBar1::MenuBar1()
{
    Untitled0();
    Untitled1();
}

void MenuBar1::Untitled0()
{
    Append(NewItem<platform::MenuItem>("FileMenu", "ファイル", ""));
    AppendToMenu("FileMenu", NewItem<platform::PrefsMenuItem>("prefMenu", "環境設定...", ""));
    AppendToMenu("FileMenu", NewItem<platform::QuitMenuItem>("FileQuit", "終了", "Cmd+Q"));
}

void MenuBar1::Untitled1()
{
    Append(NewItem<platform::MenuItem>("windowMenu", "ウィンドウ", ""));
    AppendToMenu("windowMenu", NewItem<platform::MenuItem>("halfMenu", "小", "Cmd+1"));
    AppendToMenu("windowMenu", NewItem<platform::MenuItem>("NormalMenu", "中", "Cmd+2"));
    AppendToMenu("windowMenu", NewItem<platform::MenuItem>("largeMenu", "大", "Cmd+3"));
}

void MenuBar1::AppendToMenu(const std::string& menuName, std::unique_ptr<platform::MenuItem> item)
{
    platform::MenuItem* menu = Child(menuName);
    if (!menu)
        throw platform::NilObjectException("no menu named " + menuName);
    menu->Append(std::move(item));
}

std::shared_ptr<MenuBar1> implicit::MenuBar1()
{
    if (!Instance())
        Instance() = std::make_shared<::MenuBar1>();
    return Instance();
}

void ReleaseMenuBar1() { Instance().reset(); }
