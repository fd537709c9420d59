// Preloaded into the program and the bare window alike by
// run-program-bench.sh: prints, with monotonic timestamps, the first paint of
// each top-level window, each change of a window's title and each key press on
// stderr.
#include <chrono>
#include <cstdio>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

double MonotonicSeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

class FirstPaintReport : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType())
            reportFirstPaint(static_cast<QWidget*>(watched)->window());
        else if (event->type() == QEvent::WindowTitleChange && watched->isWidgetType())
            reportTitle(static_cast<const QWidget*>(watched));
        else if (event->type() == QEvent::KeyPress)
            reportKey(static_cast<QKeyEvent*>(event));
        return false;
    }

private:
    // A window's children get their own paint events: only the first counts.
    static void reportFirstPaint(QWidget* window)
    {
        static const char* const kReported = "firstPaintReported";
        if (window->property(kReported).toBool())
            return;
        window->setProperty(kReported, true);
        std::fprintf(stderr, "first-paint %.6f %s\n", MonotonicSeconds(), qUtf8Printable(window->windowTitle()));
    }

    static void reportTitle(const QWidget* widget)
    {
        if (widget->isWindow())
            std::fprintf(stderr, "title %.6f %s\n", MonotonicSeconds(), qUtf8Printable(widget->windowTitle()));
    }

    // A key event travels up the parents; each press is said once.
    void reportKey(const QKeyEvent* key)
    {
        if (key->isAutoRepeat() || key->timestamp() == lastKeyTimestamp_)
            return;
        lastKeyTimestamp_ = key->timestamp();
        std::fprintf(stderr, "key-press %.6f\n", MonotonicSeconds());
    }

    quint64 lastKeyTimestamp_ = 0;
};

// Runs as soon as the application object exists.
void InstallFirstPaintReport()
{
    QCoreApplication::instance()->installEventFilter(new FirstPaintReport(QCoreApplication::instance()));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallFirstPaintReport)
