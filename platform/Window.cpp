#include "platform/Window.h"

#include <algorithm>

#include <QAction>
#include <QMenuBar>
#include <QVBoxLayout>

#include "platform/QtAccess.h"
#include "platform/RuntimeInternal.h"
#include "platform/WindowImpl.h"
#include "platform/WindowRegistry.h"

namespace platform {
namespace {

// The window a new dialog belongs to: the oldest open one, the clock.
QWidget* DialogParent(const Window& dialog)
{
    Window* first = windows::FirstOpenWindow();
    return first && first != &dialog ? first->impl().top.data() : nullptr;
}

}  // namespace

void Window::Impl::MakeWidgets()
{
    area = new PictureArea(owner);
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeButton)
        flags |= Qt::WindowCloseButtonHint;
    if (IsDialog()) {
        top = new DialogWidget(owner, DialogParent(owner));
        auto* layout = new QVBoxLayout(top);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(area);
        top->setWindowFlags(flags | Qt::Dialog);
    } else {
        auto* main = new MainWindowWidget(owner);
        main->setCentralWidget(area);
        top = main;
        top->setWindowFlags(flags | Qt::Window);
        BuildMenuBar();
    }
    // The window is the picture area plus its menu bar, and the user cannot
    // resize it.
    top->layout()->setSizeConstraint(QLayout::SetFixedSize);
    top->setWindowTitle(QString::fromStdString(title));
    PushGeometry();
}

void Window::Impl::BuildMenuBar()
{
    auto* main = qobject_cast<QMainWindow*>(top);
    if (!main)
        return;
    qtMenuBar = nullptr;
    if (menuTree) {
        qtMenuBar = BuildQtMenuBar(*menuTree, main,
                                   [this](const std::string& name, bool quits) { MenuChosen(name, quits); });
    }
    main->setMenuBar(qtMenuBar);  // the previous one goes
    if (qtMenuBar)
        qtMenuBar->show();  // a child added to a shown window stays hidden
    PushGeometry();
}

void Window::Impl::PushGeometry()
{
    if (!area)
        return;
    area->setFixedSize(std::clamp<std::int32_t>(width, 0, QWIDGETSIZE_MAX),
                       std::clamp<std::int32_t>(height, 0, QWIDGETSIZE_MAX));
    // Now, not at the next turn of the event loop: the caller reads it back.
    top->layout()->invalidate();
    top->layout()->activate();
}

// Tab visits the controls that take the focus by keyboard, by tab index.
// A control that takes no focus must stay out of the chain: Qt would carry
// the chain through it and lose the controls linked after it.
void Window::Impl::ChainFocus()
{
    std::vector<RectControl*> focusable;
    for (const auto& [name, control] : controls) {
        auto* rect = dynamic_cast<RectControl*>(control.get());
        if (rect && (WidgetOf(*rect)->focusPolicy() & Qt::TabFocus))
            focusable.push_back(rect);
    }
    std::ranges::stable_sort(focusable, {}, &RectControl::TabIndex);
    for (std::size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(WidgetOf(*focusable[i - 1]), WidgetOf(*focusable[i]));
}

void Window::Impl::Hide()
{
    if (!top)
        return;
    const QPointer<QWidget> parent = top->parentWidget();
    top->hide();  // also ends a dialog's modal loop
    // The keyboard goes back to the window the dialog was shown over.
    if (parent && parent->isVisible())
        parent->activateWindow();
}

void Window::Impl::MenuChosen(const std::string& name, bool quits)
{
    CallFromToolkit([&] {
        bool handled = false;
        if (auto found = menuHandlers.find(name); found != menuHandlers.end()) {
            const auto handler = found->second;  // the handler may rebind its item
            handled = handler();
        }
        if (!handled && quits)
            Quit(0);
    });
}

Window::Window(std::string className) : className_(std::move(className))
{
    impl_ = std::make_unique<Impl>(*this);
    windows::TrackOpen(*this);
}

Window::~Window()
{
    windows::ForgetOpen(*this);
    // Controls hold widgets inside the window's widget: they go first.
    impl_->controls.clear();
    delete impl_->top.data();
}

// Layout says what kind of window this is, so the widgets follow it.
void Window::Constructor()
{
    Impl& d = *impl_;
    Dispatch([this] { WindowEvents::Layout(*this); });
    d.MakeWidgets();
    d.laidOut = true;
    Dispatch([this] { WindowEvents::CreateControls(*this); });
    d.ChainFocus();
    Dispatch([this] { WindowEvents::AddMenuHandlers(*this); });
    if (d.closed)
        return;
    // A dialog shows when it is shown modally.
    if (d.visible && !d.IsDialog())
        d.top->show();
    Dispatch([this] { WindowEvents::Open(*this); });
}

std::shared_ptr<platform::MenuBar> Window::MenuBar() const
{
    return impl_->menuTree;
}

void Window::SetMenuBar(std::shared_ptr<platform::MenuBar> menuBar)
{
    impl_->menuTree = std::move(menuBar);
    impl_->BuildMenuBar();
}

void Window::ShowModal()
{
    Impl& d = *impl_;
    if (d.closed || !d.top)
        return;
    auto* dialog = qobject_cast<QDialog*>(d.top);
    if (!dialog) {
        d.top->show();
        return;
    }
    dialog->exec();
}

void Window::Close()
{
    if (impl_->closed)
        return;
    impl_->closed = true;
    // The window leaves the registry once its handler has returned, even when
    // the handler raised.
    const auto leave = [this] {
        windows::ForgetOpen(*this);
        impl_->Hide();
        windows::Retire(*this);
    };
    try {
        Dispatch([this] { WindowEvents::Close(*this); });
    } catch (...) {
        leave();
        throw;
    }
    leave();
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
    if (impl_->area)
        impl_->area->PressAt(QPoint(x, y));
}

QWidget* ContentWidget(Window& window)
{
    return window.impl().area;
}

}  // namespace platform
