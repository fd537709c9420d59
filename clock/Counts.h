#pragma once

#include <cstddef>

// The program's fixed counts, named once for the clock and the dialog.

// Actors: the face wells and name boxes of the dialog, the enabled flags.
inline constexpr int kActorCount = 12;
// nameCheck keeps one more flag, never set, so actor number 13 names nobody.
inline constexpr std::size_t kActorFlagCount = kActorCount + 1;
// Rows of the dialog's alarm-sound list, each an alarm line.
inline constexpr int kAlarmSoundCount = 72;

// The lists' sizes when the clock window is made; loading replaces them whole.
inline constexpr std::size_t kSeiyuNameSize = 13;
inline constexpr std::size_t kTimeArraySize = 1441;
inline constexpr std::size_t kSerifArraySize = 97;
inline constexpr std::size_t kAlarmArraySize = 25;
