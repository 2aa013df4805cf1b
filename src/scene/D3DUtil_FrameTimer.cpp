#include "scene/D3DUtil_FrameTimer.h"

#include <chrono>

namespace rp {

namespace {

// Seconds since the timer first looked at the clock. Kept in double: single
// precision would lose milliseconds after a few hours of uptime.
double SteadySeconds() {
  using Clock = std::chrono::steady_clock;
  static const Clock::time_point origin = Clock::now();
  return std::chrono::duration<double>(Clock::now() - origin).count();
}

FrameTimerClock g_clock = nullptr;
double g_stopTime = 0.0;
double g_lastTime = 0.0;
bool g_running = false;

double Now() { return g_clock != nullptr ? g_clock() : SteadySeconds(); }

}  // namespace

void D3DUtil_SetFrameTimerClock(FrameTimerClock clock) { g_clock = clock; }

float D3DUtil_FrameTimer(std::int32_t& command) {
  if (Now() < g_lastTime) command = kTimerReset;
  const double t = Now();
  switch (command) {
    case kTimerReset:
      g_stopTime = 0.0;
      g_lastTime = 0.0;
      g_running = false;
      return 0.0f;
    case kTimerStart:
      // A second start while running would shift the base by the whole clock
      // reading; it is ignored, as is a second stop.
      if (!g_running) {
        g_lastTime = t + g_lastTime - g_stopTime;
        g_stopTime = 0.0;
        g_running = true;
      }
      return static_cast<float>(t);
    case kTimerStop:
      if (g_running) {
        g_stopTime = t;
        g_running = false;
      }
      return static_cast<float>(t);
    case kTimerGetElapsedTime: {
      const double elapsed = t - g_lastTime;
      g_lastTime = t;
      return elapsed < 0.0 ? 0.0f : static_cast<float>(elapsed);
    }
    default:
      return 0.0f;
  }
}

}  // namespace rp
