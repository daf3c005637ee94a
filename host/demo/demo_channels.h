// Channel classes of the demo graph: value channels that compute a number from their
// children once per frame, and a report channel that starts each frame.
#pragma once

#include <string>

#include "graph/zyl_channel.h"

// A channel with a number value; Sum and Product derive their type from it, so every
// position that accepts a value also accepts them.
class DemoValueChannel : public Zyl_Channel {
 public:
  DemoValueChannel(const char* name, GUID type);
  ChannelType GetChannelType() override { return type; }

  // The value of this frame; computed on the first request of a frame only.
  float Value();

  int requests = 0;
  int computations = 0;

 protected:
  virtual float Compute() = 0;
  float ChildValue(int position, int slot);

 private:
  ChannelType type;
  float value = 0.0f;
};

// A value that grows by `step` each frame it is evaluated.
class DemoCounterChannel : public DemoValueChannel {
 public:
  DemoCounterChannel(const char* name, float step);

 protected:
  float Compute() override;

 private:
  float step;
  float current = 0.0f;
};

// A fixed value.
class DemoConstantChannel : public DemoValueChannel {
 public:
  DemoConstantChannel(const char* name, float constant);

 protected:
  float Compute() override { return constant; }

 private:
  float constant;
};

// The sum of any number of values (one multi-link position).
class DemoSumChannel : public DemoValueChannel {
 public:
  explicit DemoSumChannel(const char* name);

 protected:
  float Compute() override;
};

// The product of two values (two single-link positions).
class DemoProductChannel : public DemoValueChannel {
 public:
  explicit DemoProductChannel(const char* name);

 protected:
  float Compute() override;
};

// The start channel: asks each linked value for this frame's result and records a line.
class DemoReportChannel : public Zyl_Channel {
 public:
  DemoReportChannel();
  void CallChannel() override;

  std::string line;
};
