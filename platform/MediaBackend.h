#pragma once

namespace platform {

// Picks the Qt media backend that plays the program's sounds, unless
// QT_MEDIA_BACKEND is already set, and has it warmed up with a moment of
// silence as soon as the application object exists, so that the first clip
// starts as promptly as the later ones. Call before the application object is
// made (or at least before the first sound plays).
void ChooseMediaBackend();

}  // namespace platform
