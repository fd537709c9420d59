#include "platform/Window.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/QtAccess.h"

namespace platform {
namespace {

// The open windows, oldest first: a window is open from the start of its
// construction until its Close handler has returned.
struct OpenWindow {
    Window* window;
    std::unique_ptr<Window> owned;
};

// Never destroyed: a process that exit() ends under the event loop (the
// display went away) must not delete widgets after the toolkit gave up.
std::vector<OpenWindow>& OpenWindows()
{
    static auto* list = new std::vector<OpenWindow>;
    return *list;
}

auto Find(const Window* window)
{
    return std::ranges::find(OpenWindows(), window, &OpenWindow::window);
}

// One that the runtime owns is deleted once control is back in the event loop.
void ForgetOpen(Window& window)
{
    const auto found = Find(&window);
    if (found == OpenWindows().end())
        return;
    std::unique_ptr<Window> owned = std::move(found->owned);
    OpenWindows().erase(found);
    if (!owned)
        return;
    // Goes with a holder that Qt deletes later, as the connection that keeps it
    // goes: never inside the window's own handler nor a modal loop under it.
    auto* holder = new QObject;
    QObject::connect(holder, &QObject::destroyed, QCoreApplication::instance(),
                     [kept = std::shared_ptr<Window>(std::move(owned))] {});
    holder->deleteLater();
}

}  // namespace

Window* FirstOpenWindow() { return OpenWindows().empty() ? nullptr : OpenWindows().front().window; }

Window* ImplicitWindow(const std::string& className)
{
    const std::vector<OpenWindow>& open = OpenWindows();
    const auto newest = std::ranges::find(open.rbegin(), open.rend(), className,
                                          [](const OpenWindow& each) -> const std::string& { return each.window->ClassName(); });
    return newest == open.rend() ? nullptr : newest->window;
}

void AdoptWindow(std::unique_ptr<Window> window)
{
    if (const auto found = Find(window.get()); found != OpenWindows().end())
        found->owned = std::move(window);
}

void ReleaseModuleState()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Off the list first, so that none finds itself there.
    std::vector<OpenWindow> doomed;
    doomed.swap(OpenWindows());
    // Newest first, as Qt's ownership goes: a dialog's widgets are children
    // of the window it was shown over.
    while (!doomed.empty())
        doomed.pop_back();
}

// The Qt widgets behind a window, made once Layout has said what kind it is:
// a QMainWindow with its menu bar, or a QDialog transient for the clock.
struct Window::Impl : QObject {
    explicit Impl(Window& owner) : owner(owner) {}

    void MakeWidgets()
    {
        area = new QWidget;
        Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (owner.closeButton_)
            flags |= Qt::WindowCloseButtonHint;
        if (owner.IsDialog()) {
            Window* clock = FirstOpenWindow();
            auto* dialog = new QDialog(clock && clock != &owner ? clock->impl_->top : nullptr, flags | Qt::Dialog);
            auto* layout = new QVBoxLayout(dialog);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->addWidget(area);
            top = dialog;
        } else {
            auto* main = new QMainWindow(nullptr, flags | Qt::Window);
            main->setCentralWidget(area);
            top = main;
        }
        area->installEventFilter(this);
        top->installEventFilter(this);
        // The picture area plus the menu bar, never resized by the user.
        top->layout()->setSizeConstraint(QLayout::SetFixedSize);
        top->setWindowTitle(QString::fromStdString(owner.title_));
        ShowMenuBar();
        PushGeometry();
    }

    void ShowMenuBar()
    {
        auto* main = qobject_cast<QMainWindow*>(top);
        if (!main)
            return;
        const auto chosen = [this](const std::string& name, bool quits) { MenuChosen(name, quits); };
        QMenuBar* bar = owner.menuBar_ ? BuildQtMenuBar(*owner.menuBar_, main, chosen) : nullptr;
        main->setMenuBar(bar);  // the previous one goes
        if (bar)
            bar->show();  // a child added to a shown window stays hidden
        PushGeometry();
    }

    void PushGeometry()
    {
        if (!area)
            return;
        area->setFixedSize(std::clamp<std::int32_t>(owner.width_, 0, QWIDGETSIZE_MAX),
                           std::clamp<std::int32_t>(owner.height_, 0, QWIDGETSIZE_MAX));
        // Now, not at the next turn of the event loop: the caller reads it back.
        top->layout()->invalidate();
        top->layout()->activate();
    }

    // By tab index. A control that takes no focus stays out of the chain: Qt
    // would lose the controls linked after it.
    void ChainFocus()
    {
        std::vector<RectControl*> focusable;
        for (const auto& [name, control] : owner.controls_) {
            auto* rect = dynamic_cast<RectControl*>(control.get());
            if (rect && (WidgetOf(*rect)->focusPolicy() & Qt::TabFocus))
                focusable.push_back(rect);
        }
        std::ranges::stable_sort(focusable, {}, &RectControl::TabIndex);
        for (std::size_t i = 1; i < focusable.size(); ++i)
            QWidget::setTabOrder(WidgetOf(*focusable[i - 1]), WidgetOf(*focusable[i]));
    }

    void Hide()
    {
        if (!top || ToolkitGone())
            return;
        const QPointer<QWidget> parent = top->parentWidget();
        top->hide();  // also ends a dialog's modal loop
        // The keyboard goes back to the window the dialog was shown over.
        if (parent && parent->isVisible())
            parent->activateWindow();
    }

    void MenuChosen(const std::string& name, bool quits)
    {
        CallFromToolkit([&] {
            const auto found = owner.menuHandlers_.find(name);
            // A copy: the handler may rebind its item.
            const auto handler = found == owner.menuHandlers_.end() ? nullptr : found->second;
            if (!(handler && handler()) && quits)
                Quit(0);
        });
    }

    // A press that no control takes is MouseDown; a close request is Close;
    // Escape presses a dialog's cancel button (an open list takes it first).
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (watched == area && type == QEvent::Paint && owner.backdrop_) {
            QPainter(area).drawImage(QPoint(0, 0), ImageOf(*owner.backdrop_));
        } else if (watched == area && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            if (!area->childAt(at))  // else passed up by a control that ignores presses
                CallFromToolkit([&] { owner.Event_MouseDown(at.x(), at.y()); });
            return true;
        } else if (watched == top && type == QEvent::Close) {
            event->ignore();
            if (!owner.closed_)
                CallFromToolkit([this] { owner.Close(); });
            return true;
        } else if (watched == top && type == QEvent::KeyPress && owner.IsDialog()
                   && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
            PressCancelButton();
            return true;
        }
        return false;
    }

    // A dialog without a cancel button stays open.
    void PressCancelButton()
    {
        for (QPushButton* button : top->findChildren<QPushButton*>()) {
            if (button->property(kCancelButtonProperty).toBool() && button->isVisible()) {
                if (button->isEnabled())
                    button->click();
                return;
            }
        }
    }

    Window& owner;
    QPointer<QWidget> top;
    QPointer<QWidget> area;
};

Window::Window(std::string className) : className_(std::move(className)), impl_(std::make_unique<Impl>(*this))
{
    OpenWindows().push_back({this, nullptr});
}

Window::~Window()
{
    ForgetOpen(*this);
    // Controls hold widgets inside the window's widget: they go first.
    controls_.clear();
    delete impl_->top.data();
}

void Window::Constructor()
{
    Dispatch([this] { Layout(); });
    impl_->MakeWidgets();
    laidOut_ = true;
    Dispatch([this] { CreateControls(); });
    impl_->ChainFocus();
    Dispatch([this] { AddMenuHandlers(*this); });
    if (closed_)
        return;
    if (visible_ && !IsDialog())
        impl_->top->show();
    Dispatch([this] { Event_Open(); });
}

// A property that the window only keeps until it builds its widgets.
template <class V>
static PropertyDef Kept(PropertyType type, V Window::*member)
{
    return {type, [member](Object& o, const PropertyValue& v) { static_cast<Window&>(o).*member = std::get<V>(v); }};
}

// Both windows are fixed in size, placed by Qt, without colour, maximise or
// minimise button.
const PropertyTable& Window::Properties() const
{
    using enum PropertyType;
    static const PropertyTable table = [] {
        PropertyTable own{
            {"Width", Setter(Int32, &Window::SetWidth)},
            {"Height", Setter(Int32, &Window::SetHeight)},
            {"MinWidth", Setter(Int32, &Window::SetMinWidth)},
            {"MinHeight", Setter(Int32, &Window::SetMinHeight)},
            {"MaxWidth", Setter(Int32, &Window::SetMaxWidth)},
            {"MaxHeight", Setter(Int32, &Window::SetMaxHeight)},
            {"Title", Setter(String, &Window::SetTitle)},
            {"Frame", Kept(Int32, &Window::frame_)},
            {"Visible", Kept(Boolean, &Window::visible_)},
            {"CloseButton", Kept(Boolean, &Window::closeButton_)},
            {"BackColor", Ignored(Color)},
        };
        for (const char* name : {"Placement", "MacProcID"})
            own.emplace(name, Ignored(Int32));
        for (const char* name : {"Composite", "HasBackColor", "FullScreen", "MenuBarVisible", "Resizeable",
                                 "LiveResize", "MaximizeButton", "MinimizeButton"})
            own.emplace(name, Ignored(Boolean));
        return own;
    }();
    return table;
}

void Window::Resize(std::int32_t width, std::int32_t height)
{
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    impl_->PushGeometry();
    if (laidOut_ && !closed_)
        Dispatch([this] { Event_Resized(); });
}

void Window::SetTitle(const std::string& title)
{
    title_ = title;
    if (impl_->top)
        impl_->top->setWindowTitle(QString::fromStdString(title));
}

void Window::SetBackdrop(PicturePtr picture)
{
    backdrop_ = std::move(picture);
    if (impl_->area)
        impl_->area->update();
}

void Window::SetMenuBar(std::shared_ptr<platform::MenuBar> menuBar)
{
    menuBar_ = std::move(menuBar);
    impl_->ShowMenuBar();
}

void Window::ShowModal()
{
    if (closed_ || !impl_->top)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(impl_->top))
        dialog->exec();
    else
        impl_->top->show();
}

void Window::Close()
{
    if (closed_)
        return;
    closed_ = true;
    // Off the list once its handler has returned, even when it raised.
    struct Leave {
        Window& window;
        ~Leave()
        {
            ForgetOpen(window);
            window.impl_->Hide();
        }
    } leave{*this};
    Dispatch([this] { Event_Close(); });
}

void Window::AddControl(const std::string& name, std::unique_ptr<Control> control)
{
    if (!control)
        return;
    Control& added = *control;
    added.SetName(name);
    controls_.emplace_back(name, std::move(control));
    added.AttachTo(*this);
}

Control* Window::ControlByName(const std::string& name, std::int32_t index) const
{
    for (const auto& [registered, control] : controls_) {
        if (registered == name && control->Index() == index)
            return control.get();
    }
    return nullptr;
}

void Window::AddMenuHandler(const std::string& itemName, std::function<bool()> handler)
{
    menuHandlers_[itemName] = std::move(handler);
}

QWidget* ContentWidget(Window& window) { return window.impl_->area; }

}  // namespace platform
