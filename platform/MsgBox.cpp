#include "platform/MsgBox.h"

#include <QMessageBox>

#include "platform/RuntimeInternal.h"

namespace platform {
namespace {

std::function<void(const std::string&)>& TestHandler()
{
    static std::function<void(const std::string&)> handler;
    return handler;
}

}  // namespace

void MsgBox(const std::string& text)
{
    if (const auto& handler = TestHandler()) {
        handler(text);
        return;
    }
    // The box waits in its own loop; the program's handlers (the timer above
    // all) must not run in the middle of the handler that shows it. A quit
    // closes the box (see Quit).
    MessageBoxWait wait;
    QMessageBox box;
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    box.exec();
}

void SetMsgBoxHandlerForTesting(std::function<void(const std::string&)> handler)
{
    TestHandler() = std::move(handler);
}

}  // namespace platform
