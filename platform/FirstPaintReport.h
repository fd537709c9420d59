#pragma once

namespace platform {

// With TALKINGCLOCK_REPORT_FIRST_PAINT=1 in the environment, says on stderr
// when each top-level window first paints and when each key is pressed
// (monotonic seconds), for the program benchmark. Otherwise does nothing.
// Needs the application object.
void ReportFirstPaintWhenAsked();

}  // namespace platform
