#include <algorithm>
#include <array>
#include <iterator>
#include <memory>
#include <stdexcept>

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/Controls.h"
#include "platform/Menu.h"
#include "platform/Picture.h"
#include "platform/PropertyStream.h"
#include "platform/QtAccess.h"
#include "platform/Timer.h"
#include "tests/platform/RuntimeTestSupport.h"
#include "tests/support/QtReach.h"

namespace {

using platform::Record;
using testsupport::CountOf;
using testsupport::kProbeClass;
using testsupport::ProbeWindow;
using WindowTest = testsupport::RuntimeFixture;

// A titled window with a close box that the user cannot resize.
constexpr auto kFixedWindowStream = platform::BuildStream([] {
    return std::array{
        Record::Int32("Width", 320),         Record::Int32("Height", 480),         Record::Int32("MinWidth", 64),
        Record::Int32("MinHeight", 64),      Record::Int32("MaxWidth", 32000),     Record::Int32("MaxHeight", 32000),
        Record::String("Title", "00:00:00"), Record::Boolean("Visible", true),     Record::Boolean("CloseButton", true),
        Record::Boolean("Resizeable", false), Record::Boolean("MaximizeButton", false),
        Record::Boolean("MinimizeButton", false),
    };
});

std::shared_ptr<platform::MenuBar> OneMenu()
{
    auto menus = std::make_shared<platform::MenuBar>();
    auto file = std::make_unique<platform::MenuItem>();
    file->Name = "FileMenu";
    file->Text = "File";
    menus->Append(std::move(file));
    return menus;
}

TEST_F(WindowTest, BuildingRunsTheHooksInOrderWhileRegistered)
{
    std::vector<bool> foundDuringHooks;
    ProbeWindow* made = nullptr;
    auto registered = [&] { foundDuringHooks.push_back(platform::ImplicitWindow(kProbeClass) == made); };
    auto window = std::make_unique<ProbeWindow>();
    made = window.get();
    window->onLayout = registered;
    window->onCreateControls = registered;
    window->onOpen = [&] {
        registered();
        foundDuringHooks.push_back(ContentWidget(*made)->isVisible());
    };
    window->Constructor();

    const std::vector<std::string> order{"Layout", "CreateControls", "AddMenuHandlers", "Open"};
    EXPECT_EQ(window->calls, order);
    EXPECT_EQ(window->menuHandlersTarget, made);
    EXPECT_EQ(foundDuringHooks, std::vector<bool>(4, true)) << "registered from the start, shown before Open";
}

TEST_F(WindowTest, CloseRunsItsHandlerOnceThenLeavesTheRegistry)
{
    ProbeWindow window;
    window.Constructor();
    bool foundDuringClose = false;
    window.onClose = [&] { foundDuringClose = platform::ImplicitWindow(kProbeClass) == &window; };

    window.Close();
    window.Close();
    EXPECT_TRUE(foundDuringClose);
    EXPECT_EQ(CountOf(window.calls, "Close"), 1);
    EXPECT_TRUE(window.IsClosed());
    EXPECT_EQ(platform::ImplicitWindow(kProbeClass), nullptr);
    EXPECT_FALSE(ContentWidget(window)->isVisible());

    SCOPED_TRACE("the close box goes through the same Close");
    ProbeWindow boxed;
    boxed.Constructor();
    ContentWidget(boxed)->window()->close();
    EXPECT_EQ(CountOf(boxed.calls, "Close"), 1);
    EXPECT_EQ(platform::ImplicitWindow(kProbeClass), nullptr);
}

TEST_F(WindowTest, ClosedWindowIsDeletedOnlyAfterItsHandlersReturn)
{
    bool destroyed = false;
    auto made = std::make_unique<ProbeWindow>();
    ProbeWindow& window = *made;
    window.destroyed = &destroyed;
    platform::AdoptWindow(std::move(made));
    window.Constructor();

    bool aliveAfterClose = false;
    window.onMouseDown = [&](std::int32_t, std::int32_t) {
        window.Close();
        QEventLoop modal;  // a modal loop inside the handler
        QTimer::singleShot(10, &modal, &QEventLoop::quit);
        modal.exec();
        aliveAfterClose = !destroyed;
    };
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] { qtreach::PressMouse(window, 5, 5); });
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(aliveAfterClose);
    EXPECT_TRUE(destroyed) << "deleted at the next turn of the loop";

    bool releasedDestroyed = false;
    auto open = std::make_unique<ProbeWindow>();
    open->destroyed = &releasedDestroyed;
    platform::AdoptWindow(std::move(open));
    platform::ReleaseModuleState();
    EXPECT_TRUE(releasedDestroyed);
}

TEST_F(WindowTest, ProgramSizeChangesRaiseResizedBeforeReturning)
{
    ProbeWindow window;
    std::vector<std::pair<int, int>> seen;
    window.onLayout = [&] { platform::SetProperties(window, kFixedWindowStream); };
    window.onResized = [&] { seen.emplace_back(window.Width(), window.Height()); };
    window.Constructor();
    EXPECT_TRUE(seen.empty()) << "the layout's size is the initial size";

    window.SetWidth(384);
    window.SetHeight(512);
    window.SetHeight(512);
    const std::vector<std::pair<int, int>> expected{{384, 480}, {384, 512}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(ContentWidget(window)->size(), QSize(384, 512));
}

TEST_F(WindowTest, WindowStreamSetsAFixedSizeTitledWindow)
{
    ProbeWindow window;
    window.onLayout = [&] { platform::SetProperties(window, kFixedWindowStream); };
    window.Constructor();
    QWidget* top = ContentWidget(window)->window();

    EXPECT_EQ(ContentWidget(window)->size(), QSize(320, 480));
    EXPECT_EQ(top->windowTitle(), QStringLiteral("00:00:00"));
    EXPECT_TRUE(top->isVisible());
    EXPECT_EQ(top->minimumSize(), top->maximumSize()) << "the user cannot resize";
    const Qt::WindowFlags flags = top->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
}

// The menu bar lies above the picture area, which is exactly Width x Height
// and shows the whole backdrop; the window grows by the menu bar.
TEST_F(WindowTest, PictureAreaIsTheWholeSizeBelowTheMenuBar)
{
    ProbeWindow window;
    window.Constructor();
    window.SetMenuBar(OneMenu());
    window.SetWidth(100);
    window.SetHeight(300);
    auto picture = std::make_shared<platform::Picture>(100, 300);
    ImageOf(*picture).fill(QColor(255, 0, 0));
    window.SetBackdrop(picture);

    QWidget* area = ContentWidget(window);
    EXPECT_EQ(area->grab().toImage().pixelColor(99, 299), QColor(255, 0, 0));
    QWidget* top = area->window();
    const int menuBarHeight = top->findChild<QMenuBar*>()->height();
    ASSERT_GT(menuBarHeight, 0);
    EXPECT_EQ(area->size(), QSize(100, 300));
    EXPECT_EQ(area->mapTo(top, QPoint(0, 0)), QPoint(0, menuBarHeight));
    EXPECT_EQ(top->size(), QSize(100, 300 + menuBarHeight));

    const QImage shot = top->grab().toImage();
    EXPECT_NE(shot.pixelColor(1, 1), QColor(255, 0, 0)) << "the menu bar";
    EXPECT_EQ(shot.pixelColor(0, menuBarHeight), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(99, menuBarHeight + 299), QColor(255, 0, 0));

    SCOPED_TRACE("a size change moves the whole window with it");
    window.SetHeight(256);
    EXPECT_EQ(top->size(), QSize(100, 256 + menuBarHeight));
}

TEST_F(WindowTest, PressesInThePictureAreaReachMouseDown)
{
    ProbeWindow window;
    window.Constructor();
    window.SetWidth(200);
    window.SetHeight(200);
    window.SetMenuBar(OneMenu());
    QWidget* area = ContentWidget(window);
    auto* label = new QLabel(QStringLiteral("label"), area);
    label->setGeometry(100, 100, 50, 50);
    label->show();

    qtreach::PressMouse(window, 10, 150);
    qtreach::PressMouse(window, 0, 0);      // the area's corner, just below the menu bar
    qtreach::PressMouse(window, 120, 120);  // on a control
    // A real press on a label is passed up to the area, which leaves it; one
    // on the menu bar is the menu bar's.
    for (QWidget* target : {static_cast<QWidget*>(label), static_cast<QWidget*>(area->window()->findChild<QMenuBar*>())}) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }

    std::vector<std::string> presses;
    std::ranges::copy_if(window.calls, std::back_inserter(presses), [](auto& c) { return c.starts_with("Mouse"); });
    EXPECT_EQ(presses, (std::vector<std::string>{"MouseDown 10,150", "MouseDown 0,0"}));
}

TEST_F(WindowTest, ControlsAreFoundByNameAndIndex)
{
    ProbeWindow window;
    window.Constructor();
    window.AddControl("mainTimer", std::make_unique<platform::Timer>());
    for (std::int32_t index = 0; index < 3; ++index) {
        auto member = std::make_unique<platform::Timer>();
        member->SetIndex(index);
        window.AddControl("faceTimer", std::move(member));
    }

    ASSERT_NE(window.ControlByName("mainTimer"), nullptr);
    EXPECT_EQ(window.ControlByName("mainTimer")->Owner(), &window);
    ASSERT_NE(window.ControlByName("faceTimer", 2), nullptr);
    EXPECT_EQ(window.ControlByName("faceTimer", 2)->Index(), 2);
    EXPECT_EQ(window.ControlByName("faceTimer", 3), nullptr);
    EXPECT_EQ(window.ControlByName("mainTimer", 0), nullptr);
    EXPECT_EQ(window.ControlByName("missing"), nullptr);
}

TEST_F(WindowTest, StartUpSeesExceptionsFromBuilding)
{
    ProbeWindow broken;
    broken.onLayout = [] { throw std::logic_error("layout bug"); };
    EXPECT_THROW(broken.Constructor(), std::logic_error);
}

}  // namespace
