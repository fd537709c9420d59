// The clock's background: the last loaded picture stretched to the window's
// exact size, drawn again whenever the size changes.
#include <memory>

#include "clock/mainWindow.h"

void mainWindow::ScaledBackdrop()
{
    mainWindow& clock = implicit::mainWindow();
    if (!clock.readPicture)
        return;
    clock.backPicture = std::make_shared<platform::Picture>(clock.Width(), clock.Height(), 32);
    const platform::Picture& source = *clock.readPicture;
    clock.backPicture->GetGraphics().DrawPicture(source, 0, 0, clock.backPicture->Width(),
                                                 clock.backPicture->Height(), 0, 0, source.Width(),
                                                 source.Height());
    clock.SetBackdrop(clock.backPicture);
    clock.backPicture = nullptr;
}

void mainWindow::Event_Resized()
{
    if (readPicture)
        ScaledBackdrop();
}
