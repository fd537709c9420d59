// bench-bare-window <photos folder>: the bare Qt baseline of the clock window:
// a main window with the program's two menus and a 500 ms title tick; its
// "環境設定..." shows the preferences dialog's widgets built directly.
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTime>
#include <QTimer>

#include "bench/baselines/BarePreferences.h"

namespace {

void AddMenus(QMainWindow& window, const QString& photosFolder)
{
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("ファイル"));
    QObject::connect(file->addAction(QStringLiteral("環境設定...")), &QAction::triggered, &window,
                     [&window, photosFolder] { ShowBarePreferences(&window, photosFolder); });
    file->addAction(QStringLiteral("終了"), QKeySequence(QStringLiteral("Ctrl+Q")), &window, &QWidget::close);

    QMenu* sizes = window.menuBar()->addMenu(QStringLiteral("ウィンドウ"));
    const struct {
        const char* text;
        const char* key;
        int width;
        int height;
    } items[] = {{"小", "Ctrl+1", 192, 256}, {"中", "Ctrl+2", 384, 512}, {"大", "Ctrl+3", 768, 1024}};
    for (const auto& item : items) {
        sizes->addAction(QString::fromUtf8(item.text), QKeySequence(QString::fromLatin1(item.key)), &window,
                         [&window, item] { window.centralWidget()->setFixedSize(item.width, item.height); });
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QString photosFolder = application.arguments().value(1);

    QMainWindow window;
    window.setCentralWidget(new QWidget);
    window.centralWidget()->setFixedSize(384, 512);
    AddMenus(window, photosFolder);

    QTimer tick;
    const auto showTime = [&window] { window.setWindowTitle(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))); };
    QObject::connect(&tick, &QTimer::timeout, &window, showTime);
    showTime();
    tick.start(500);
    window.show();
    return application.exec();
}
