// The process clock (real or fixed-step), sleeping and local date/time texts.
#include "platform/time.h"

#include <chrono>
#include <ctime>
#include <mutex>
#include <thread>

namespace platform {

namespace {

std::mutex clockMutex;
uint32_t fixedStepsPerSecond = 0;  // 0: real time
uint64_t fixedSteps = 0;
uint32_t fixedBase = 0;   // tick value when the fixed clock started
int64_t realOffset = 0;   // added to real time so that leaving fixed mode never jumps back

uint32_t realMilliseconds() {
  static const auto start = std::chrono::steady_clock::now();
  auto elapsed = std::chrono::steady_clock::now() - start;
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

uint32_t currentTick() {
  if (fixedStepsPerSecond == 0) return static_cast<uint32_t>(realMilliseconds() + realOffset);
  return fixedBase + static_cast<uint32_t>(fixedSteps * 1000 / fixedStepsPerSecond);
}

std::string formatLocal(const char* picture) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[20];
  size_t length = std::strftime(buffer, sizeof buffer, picture, &local);
  return std::string(buffer, length);
}

}  // namespace

uint32_t tickCount() {
  std::lock_guard lock(clockMutex);
  return currentTick();
}

void useFixedStepClock(uint32_t stepsPerSecond) {
  std::lock_guard lock(clockMutex);
  uint32_t now = currentTick();
  if (stepsPerSecond == 0) {
    realOffset = int64_t(now) - int64_t(realMilliseconds());
  } else {
    fixedBase = now;
    fixedSteps = 0;
  }
  fixedStepsPerSecond = stepsPerSecond;
}

void advanceClockStep() {
  std::lock_guard lock(clockMutex);
  if (fixedStepsPerSecond != 0) ++fixedSteps;
}

bool clockIsFixedStep() {
  std::lock_guard lock(clockMutex);
  return fixedStepsPerSecond != 0;
}

uint32_t realTickCount() { return realMilliseconds(); }

void sleepMilliseconds(uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::string localDateText() { return formatLocal("%Y-%m-%d"); }
std::string localTimeText() { return formatLocal("%H:%M:%S"); }

}  // namespace platform
