#include "platform/Window.h"

#include <QAction>
#include <QEventLoop>
#include <QMenuBar>

#include "platform/QtAccess.h"
#include "platform/QtMenuBar.h"
#include "platform/RuntimeInternal.h"
#include "platform/WindowImpl.h"
#include "platform/WindowRegistry.h"

namespace platform {
namespace {

template <class F>
class OnScopeExit {
public:
    explicit OnScopeExit(F f) : f_(std::move(f)) {}
    ~OnScopeExit() { f_(); }
    OnScopeExit(const OnScopeExit&) = delete;
    OnScopeExit& operator=(const OnScopeExit&) = delete;

private:
    F f_;
};

}  // namespace

Window::Impl::Impl(Window& owner) : owner(owner), widget(new WindowWidget(owner))
{
    PushFlags();
    PushGeometry();
}

Window::Impl::~Impl() = default;

void Window::Impl::MenuChosen(const std::string& name, MenuItem::Role role)
{
    CallFromToolkit([&] {
        bool handled = false;
        if (auto found = menuHandlers.find(name); found != menuHandlers.end()) {
            const auto handler = found->second;  // the handler may rebind its item
            handled = handler();
        }
        if (!handled && role == MenuItem::Role::Quit)
            Quit(0);
    });
}

Window::Window(std::string className) : className_(std::move(className))
{
    impl_ = std::make_unique<Impl>(*this);
    windows::RegisterImplicit(*this);
    windows::TrackOpen(*this);
}

Window::~Window()
{
    windows::ForgetImplicit(*this);
    windows::ForgetOpen(*this);
    if (impl_->modalLoop)
        impl_->modalLoop->exit();
    // Controls hold widgets inside the window's widget: they go first.
    impl_->controls.clear();
    delete impl_->widget.data();
}

void Window::Constructor()
{
    Dispatch([this] { WindowEvents::Layout(*this); });
    impl_->laidOut = true;
    Dispatch([this] { WindowEvents::CreateControls(*this); });
    Dispatch([this] { WindowEvents::AddMenuHandlers(*this); });
    if (impl_->closed)
        return;
    impl_->built = true;
    impl_->PushVisible();
    Dispatch([this] { WindowEvents::Open(*this); });
}

std::shared_ptr<platform::MenuBar> Window::MenuBar() const
{
    return impl_->menuTree;
}

void Window::SetMenuBar(std::shared_ptr<platform::MenuBar> menuBar)
{
    Impl& d = *impl_;
    delete d.qtMenuBar.data();
    d.menuTree = std::move(menuBar);
    if (d.menuTree) {
        d.qtMenuBar = BuildQtMenuBar(*d.menuTree, d.widget, [&d](const std::string& name, MenuItem::Role role) {
            d.MenuChosen(name, role);
        });
    }
    d.widget->SetMenuBarWidget(d.qtMenuBar);
    d.PushMenuBarVisibility();
}

void Window::ShowModal()
{
    Impl& d = *impl_;
    if (d.closed)
        return;
    d.visible = true;
    if (d.widget->windowModality() != Qt::ApplicationModal) {
        d.widget->hide();  // modality only changes while hidden
        d.widget->setWindowModality(Qt::ApplicationModal);
    }
    d.widget->show();
    d.widget->raise();
    d.widget->activateWindow();
    windows::ModalScope modal;
    QEventLoop loop;
    d.modalLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    d.modalLoop = nullptr;
}

void Window::Close()
{
    if (impl_->closed)
        return;
    impl_->closed = true;
    // The window leaves the registry once its handler has returned, even when
    // the handler raised.
    OnScopeExit leave([this] {
        windows::ForgetImplicit(*this);
        windows::ForgetOpen(*this);
        impl_->visible = false;
        impl_->widget->hide();
        if (impl_->modalLoop)
            impl_->modalLoop->exit();
        windows::Retire(*this);
    });
    Dispatch([this] { WindowEvents::Close(*this); });
}

bool Window::IsClosed() const
{
    return impl_->closed;
}

void Window::AddControl(const std::string& name, std::unique_ptr<Control> control)
{
    if (!control)
        return;
    Control& added = *control;
    added.SetName(name);
    impl_->controls.emplace_back(name, std::move(control));
    added.AttachTo(*this);
}

Control* Window::ControlByName(const std::string& name) const
{
    for (const auto& [registered, control] : impl_->controls) {
        if (registered == name)
            return control.get();
    }
    return nullptr;
}

Control* Window::ControlByName(const std::string& name, std::int32_t index) const
{
    for (const auto& [registered, control] : impl_->controls) {
        if (registered == name && control->Index() == index)
            return control.get();
    }
    return nullptr;
}

void Window::AddMenuHandler(const std::string& itemName, std::function<bool()> handler)
{
    impl_->menuHandlers[itemName] = std::move(handler);
}

bool Window::ChooseMenuItem(const std::string& name)
{
    if (!impl_->qtMenuBar)
        return false;
    const QString wanted = QString::fromStdString(name);
    for (QAction* action : impl_->qtMenuBar->findChildren<QAction*>(wanted)) {
        if (action->menu() || !action->isEnabled())
            continue;
        action->trigger();
        return true;
    }
    return false;
}

void Window::PressMouse(std::int32_t x, std::int32_t y)
{
    impl_->widget->PressAt(QPoint(x, y));
}

QWidget* ContentWidget(Window& window)
{
    return window.impl().widget;
}

}  // namespace platform
