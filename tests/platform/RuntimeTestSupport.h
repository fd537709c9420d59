#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "platform/Runtime.h"
#include "platform/Window.h"

namespace testsupport {

inline constexpr const char* kProbeClass = "probeWindow.probeWindow";

// A window that records its hooks in the order the runtime runs them; a test
// adds behaviour through the optional callbacks.
class ProbeWindow : public platform::Window {
public:
    explicit ProbeWindow(std::string className = kProbeClass) : Window(std::move(className)) {}
    ~ProbeWindow() override
    {
        if (destroyed)
            *destroyed = true;
    }

    std::vector<std::string> calls;
    std::function<void()> onLayout, onCreateControls, onOpen, onClose, onResized;
    std::function<void(std::int32_t, std::int32_t)> onMouseDown;
    Window* menuHandlersTarget = nullptr;
    bool* destroyed = nullptr;

protected:
    void Layout() override { Record("Layout", onLayout); }
    void CreateControls() override { Record("CreateControls", onCreateControls); }
    void AddMenuHandlers(Window& w) override
    {
        menuHandlersTarget = &w;
        calls.push_back("AddMenuHandlers");
    }
    void Event_Open() override { Record("Open", onOpen); }
    void Event_Close() override { Record("Close", onClose); }
    void Event_Resized() override { Record("Resized", onResized); }
    bool Event_MouseDown(std::int32_t x, std::int32_t y) override
    {
        calls.push_back("MouseDown " + std::to_string(x) + "," + std::to_string(y));
        if (onMouseDown)
            onMouseDown(x, y);
        return false;
    }

private:
    void Record(const char* name, const std::function<void()>& then)
    {
        calls.push_back(name);
        if (then)
            then();
    }
};

inline long CountOf(const std::vector<std::string>& calls, const std::string& name)
{
    return std::count(calls.begin(), calls.end(), name);
}

// Every runtime test starts from a runtime with no windows and no quit
// request.
class RuntimeFixture : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

private:
    static void Reset()
    {
        platform::ReleaseModuleState();
        platform::ResetRuntimeForTesting();
        QCoreApplication::processEvents();
    }
};

}  // namespace testsupport
