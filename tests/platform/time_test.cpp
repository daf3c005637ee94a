// The fixed-step clock, and the local date and time texts.
#include "platform/time.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

class FixedClock : public testing::Test {
 protected:
  void TearDown() override { platform::useFixedStepClock(0); }
};

TEST_F(FixedClock, StandsStillBetweenSteps) {
  platform::useFixedStepClock(60);
  EXPECT_TRUE(platform::clockIsFixedStep());
  uint32_t start = platform::tickCount();
  platform::sleepMilliseconds(20);
  EXPECT_EQ(platform::tickCount(), start);
}

TEST_F(FixedClock, StepsAddUpExactly) {
  const struct {
    uint32_t stepsPerSecond;
    int steps;
    uint32_t elapsed;
  } cases[] = {{60, 1, 16}, {60, 3, 50}, {60, 60, 1000}, {60, 3600, 60000}, {30, 7, 233},
               {1000, 5, 5},  {7, 1, 142}};
  for (const auto& c : cases) {
    platform::useFixedStepClock(c.stepsPerSecond);
    uint32_t start = platform::tickCount();
    for (int i = 0; i < c.steps; ++i) platform::advanceClockStep();
    EXPECT_EQ(platform::tickCount() - start, c.elapsed) << c.stepsPerSecond << " x " << c.steps;
  }
}

TEST_F(FixedClock, SwitchingModesNeverGoesBack) {
  platform::useFixedStepClock(1);
  for (int i = 0; i < 100; ++i) platform::advanceClockStep();  // 100 s ahead of real time
  uint32_t fixedNow = platform::tickCount();
  platform::useFixedStepClock(0);
  EXPECT_FALSE(platform::clockIsFixedStep());
  // Continued from the fixed value: not back at real time (which would wrap the difference).
  EXPECT_LT(platform::tickCount() - fixedNow, 50000u);
  platform::advanceClockStep();  // no effect in real time
}

TEST(LocalTime, TextsHaveTheirPictures) {
  EXPECT_TRUE(std::regex_match(platform::localDateText(), std::regex(R"(\d{4}-\d\d-\d\d)")));
  EXPECT_TRUE(std::regex_match(platform::localTimeText(), std::regex(R"([0-2]\d:[0-5]\d:[0-6]\d)")));
}

}  // namespace
