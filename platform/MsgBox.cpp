#include "platform/MsgBox.h"

#include <QMessageBox>

namespace platform {
namespace {

std::function<void(const std::string&)> testHandler;

}  // namespace

void MsgBox(const std::string& text)
{
    if (testHandler) {
        testHandler(text);
        return;
    }
    QMessageBox box;
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    box.exec();
}

void SetMsgBoxHandlerForTesting(std::function<void(const std::string&)> handler)
{
    testHandler = std::move(handler);
}

}  // namespace platform
