// The process clock: millisecond ticks, a fixed-step mode for reproducible runs, sleeping,
// and the local date and time as the engine writes them.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Milliseconds since an arbitrary start; wraps like a 32-bit counter. In fixed-step mode it
// moves only when the host advances the clock.
uint32_t tickCount();

// Switches tickCount to steps of exactly 1/stepsPerSecond s, continuing from its current
// value; 0 switches back to real time (again continuing, never jumping back).
void useFixedStepClock(uint32_t stepsPerSecond);
// One step of the fixed clock; no effect in real-time mode.
void advanceClockStep();
bool clockIsFixedStep();

// Real elapsed milliseconds whatever the mode: for time limits such as waiting on a thread,
// which must run out even while a fixed-step clock stands still.
uint32_t realTickCount();

void sleepMilliseconds(uint32_t milliseconds);

// The local date as "yyyy-MM-dd" and the local time on a 24-hour clock as "HH:mm:ss".
std::string localDateText();
std::string localTimeText();

}  // namespace platform
