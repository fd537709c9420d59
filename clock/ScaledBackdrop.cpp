// The clock's background: the last loaded picture stretched to the window's
// exact size, drawn again whenever the size changes.
#include <memory>

#include "clock/mainWindow.h"

void mainWindow::ScaledBackdrop()
{
    if (!readPicture)
        return;
    backPicture = std::make_shared<platform::Picture>(Width(), Height(), 32);
    const platform::Picture& source = *readPicture;
    backPicture->GetGraphics().DrawPicture(source, 0, 0, backPicture->Width(), backPicture->Height(), 0, 0,
                                           source.Width(), source.Height());
    SetBackdrop(backPicture);
    backPicture = nullptr;
}

void mainWindow::Event_Resized()
{
    if (readPicture)
        ScaledBackdrop();
}
