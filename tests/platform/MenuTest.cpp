#include <memory>

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include "platform/Menu.h"
#include "platform/QtAccess.h"
#include "tests/platform/RuntimeTestSupport.h"

namespace {

using testsupport::CountOf;
using testsupport::ProbeWindow;
using MenuTest = testsupport::RuntimeFixture;

template <class Kind = platform::MenuItem>
std::unique_ptr<platform::MenuItem> Item(const std::string& name, const std::string& text,
                                          const std::string& shortcut = {})
{
    auto item = std::make_unique<Kind>();
    item->Name = name;
    item->Text = text;
    item->KeyboardShortcut = shortcut;
    item->AutoEnable = true;
    return item;
}

// The clock's menus: File with preferences and quit, Window with the sizes.
std::shared_ptr<platform::MenuBar> ClockMenus()
{
    auto bar = std::make_shared<platform::MenuBar>();
    auto file = Item("FileMenu", "ファイル");
    file->Append(Item<platform::PrefsMenuItem>("prefMenu", "環境設定..."));
    file->Append(Item<platform::QuitMenuItem>("FileQuit", "終了", "Cmd+Q"));
    auto sizes = Item("windowMenu", "ウィンドウ");
    sizes->Append(Item("halfMenu", "小", "Cmd+1"));
    sizes->Append(Item("NormalMenu", "中", "Cmd+2"));
    sizes->Append(Item("largeMenu", "大 & more", "Cmd+3"));
    bar->Append(std::move(file));
    bar->Append(std::move(sizes));
    return bar;
}

TEST(MenuItem, ChildLooksOneLevelDownAndFindByNameTheWholeTree)
{
    const auto bar = ClockMenus();
    EXPECT_EQ(bar->Child("prefMenu"), nullptr);
    EXPECT_EQ(bar->FindByName("NormalMenu")->Text, "中");
    EXPECT_EQ(bar->FindByName("missing"), nullptr);
    bar->Child("FileMenu")->Append(nullptr);
    EXPECT_EQ(bar->Child("FileMenu")->Children().size(), 2u);
}

TEST_F(MenuTest, MenuBarShowsTheTreeWithRolesAndShortcuts)
{
    ProbeWindow window;
    window.SetMenuBar(ClockMenus());
    window.Constructor();
    auto* bar = ContentWidget(window)->window()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 2);
    EXPECT_EQ(bar->actions()[1]->text(), QStringLiteral("ウィンドウ"));

    auto* prefs = bar->findChild<QAction*>(QStringLiteral("prefMenu"));
    auto* quit = bar->findChild<QAction*>(QStringLiteral("FileQuit"));
    auto* large = bar->findChild<QAction*>(QStringLiteral("largeMenu"));
    ASSERT_TRUE(prefs && quit && large);
    EXPECT_EQ(prefs->menuRole(), QAction::PreferencesRole);
    EXPECT_EQ(quit->menuRole(), QAction::QuitRole);
    EXPECT_EQ(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(large->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_3));
    EXPECT_EQ(large->text(), QStringLiteral("大 && more")) << "no mnemonic from the text";
    EXPECT_TRUE(prefs->shortcut().isEmpty());
}

TEST_F(MenuTest, ChosenItemsRunTheirBoundHandlers)
{
    ProbeWindow window;
    window.SetMenuBar(ClockMenus());
    window.Constructor();
    std::vector<std::string> chosen;
    window.AddMenuHandler("halfMenu", [&] {
        chosen.push_back("half");
        return true;
    });
    window.AddMenuHandler("prefMenu", [&] {
        chosen.push_back("prefs");
        return true;
    });
    window.AddMenuHandler("NormalMenu", [&]() -> bool { throw platform::RuntimeException("size failed"); });

    EXPECT_TRUE(window.ChooseMenuItem("halfMenu"));
    EXPECT_TRUE(window.ChooseMenuItem("prefMenu"));
    EXPECT_TRUE(window.ChooseMenuItem("largeMenu")) << "an item without a handler can still be chosen";
    testing::internal::CaptureStderr();
    EXPECT_TRUE(window.ChooseMenuItem("NormalMenu"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("size failed"), std::string::npos);
    EXPECT_FALSE(window.ChooseMenuItem("FileMenu")) << "a menu is not a command";
    EXPECT_FALSE(window.ChooseMenuItem("missing"));
    EXPECT_EQ(chosen, (std::vector<std::string>{"half", "prefs"}));
    EXPECT_FALSE(platform::QuitRequested());

    window.SetMenuBar(nullptr);
    EXPECT_FALSE(window.ChooseMenuItem("halfMenu"));
}

TEST_F(MenuTest, QuitItemClosesTheWindowsAndEndsTheLoop)
{
    ProbeWindow window;
    window.SetMenuBar(ClockMenus());
    window.Constructor();
    EXPECT_TRUE(window.ChooseMenuItem("FileQuit"));
    EXPECT_TRUE(platform::QuitRequested());
    platform::RuntimeRun();
    EXPECT_TRUE(window.IsClosed());
    EXPECT_EQ(CountOf(window.calls, "Close"), 1);
    EXPECT_EQ(platform::RuntimeExit(), 0);
}

}  // namespace
