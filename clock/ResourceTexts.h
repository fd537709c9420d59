#pragma once

#include "clock/ListText.h"

class mainWindow;

// The four list files in Resources/ beside the executable's folder. Each is
// read at its first request, which is never retried, and kept as its lines
// only: actors and alarms percent-decoded and split at CR LF, the two
// schedules split at CR. A missing file gives one empty line.
const ListText& ActMain();
const ListText& ActSerif();
const ListText& ActTime();
const ListText& Alarm();

// Fills the window's four lists and the schedules' tallies.
void LoadLists(mainWindow& window);

// Forgets the lists at exit; they are not read again.
void ReleaseResourceTexts();

// Test seam: forget the lists and that they were read.
void ResetResourceTextsForTesting();
