#pragma once

#include <cstdint>

// The program's life: EntryRoutine runs it all and returns the exit status.
std::int32_t EntryRoutine(int& argc, char** argv);

// Runs Startup, then the event loop. Nothing escapes it.
void Main();

// Makes the application object with its menu bar, then the clock window.
void Startup();
void NewAppInstance();
void MakeDefaultView();

// Releases what the run made, in order: the cached list texts, the runtime's
// windows and application object, then the menu bar.
void Finalise();
