#include <memory>

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include "app/MenuBar1.h"
#include "platform/Menu.h"
#include "platform/QtAccess.h"
#include "tests/platform/RuntimeTestSupport.h"
#include "tests/support/QtReach.h"

namespace {

using testsupport::CountOf;
using testsupport::ProbeWindow;
using MenuTest = testsupport::RuntimeFixture;

// The program's own menus, with one more item whose text holds "&".
std::shared_ptr<platform::MenuBar> ClockMenus()
{
    auto bar = std::make_shared<MenuBar1>();
    auto more = std::make_unique<platform::MenuItem>();
    more->Name = "moreMenu";
    more->Text = "大 & more";
    bar->FindByName("windowMenu")->Append(std::move(more));
    return bar;
}

TEST_F(MenuTest, MenuBarShowsTheTreeWithShortcuts)
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
    auto* more = bar->findChild<QAction*>(QStringLiteral("moreMenu"));
    ASSERT_TRUE(prefs && quit && large && more);
    EXPECT_EQ(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(large->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_3));
    EXPECT_EQ(large->text(), QStringLiteral("大"));
    EXPECT_EQ(more->text(), QStringLiteral("大 && more")) << "no mnemonic from the text";
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

    EXPECT_TRUE(qtreach::ChooseMenuItem(window, "halfMenu"));
    EXPECT_TRUE(qtreach::ChooseMenuItem(window, "prefMenu"));
    EXPECT_TRUE(qtreach::ChooseMenuItem(window, "largeMenu")) << "an item without a handler can still be chosen";
    testing::internal::CaptureStderr();
    EXPECT_TRUE(qtreach::ChooseMenuItem(window, "NormalMenu"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("size failed"), std::string::npos);
    EXPECT_FALSE(qtreach::ChooseMenuItem(window, "FileMenu")) << "a menu is not a command";
    EXPECT_FALSE(qtreach::ChooseMenuItem(window, "missing"));
    EXPECT_EQ(chosen, (std::vector<std::string>{"half", "prefs"}));
    EXPECT_FALSE(platform::QuitRequested());

    window.SetMenuBar(nullptr);
    EXPECT_FALSE(qtreach::ChooseMenuItem(window, "halfMenu"));
}

TEST_F(MenuTest, QuitItemClosesTheWindowsAndEndsTheLoop)
{
    ProbeWindow window;
    window.SetMenuBar(ClockMenus());
    window.Constructor();
    EXPECT_TRUE(qtreach::ChooseMenuItem(window, "FileQuit"));
    EXPECT_TRUE(platform::QuitRequested());
    platform::RuntimeRun();
    EXPECT_TRUE(window.IsClosed());
    EXPECT_EQ(CountOf(window.calls, "Close"), 1);
    EXPECT_EQ(platform::RuntimeExit(), 0);
}

}  // namespace
