#pragma once
// The frame timer: measures the time between frames, leaving out the time the
// timer was stopped (the view stops it while minimised). One timer for the
// whole program, used from the window thread only.

#include <cstdint>

namespace rp {

inline constexpr std::int32_t kTimerReset = 1;
inline constexpr std::int32_t kTimerStart = 2;
inline constexpr std::int32_t kTimerStop = 3;
inline constexpr std::int32_t kTimerGetElapsedTime = 7;

// Runs `command` and returns, in seconds:
//   reset   - clears the timer; 0
//   start   - (re)starts it; a stopped interval is not counted; the clock
//   stop    - pauses it; the clock
//   (a start while running and a stop while stopped change nothing)
//   elapsed - the time since the last elapsed query or the first start
//             (never negative)
// Any other command changes nothing and returns 0. Should the clock ever read
// less than the last stored time, the timer resets and `command` is set to
// reset, so the caller sees what happened.
float D3DUtil_FrameTimer(std::int32_t& command);

// The clock is monotonic, in seconds. Tests replace it; nullptr restores it.
using FrameTimerClock = double (*)();
void D3DUtil_SetFrameTimerClock(FrameTimerClock clock);

}  // namespace rp
