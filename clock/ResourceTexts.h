#pragma once

#include <string>

class mainWindow;

// The four list files in Resources/ beside the executable's folder. Each is
// read whole at its first request, which is never retried; a missing file
// gives the empty text.
const std::string& ActMain();
const std::string& ActSerif();
const std::string& ActTime();
const std::string& Alarm();

// Fills the window's four lists: actors and alarms percent-decoded and split
// at CR LF, the two schedules split at CR.
void LoadLists(mainWindow& window);

// Empties the cached texts at exit; they are not read again.
void ReleaseResourceTexts();

// Test seam: forget the texts and that they were read.
void ResetResourceTextsForTesting();
