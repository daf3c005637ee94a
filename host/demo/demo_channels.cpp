// Demo channel classes: each value channel computes at most once per tree count.
#include "demo_channels.h"

#include <cstdio>

namespace {

constexpr GUID valueGuid{0x0DE30000, 0x0001, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x01}};
constexpr GUID counterGuid{0x0DE30000, 0x0002, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x02}};
constexpr GUID sumGuid{0x0DE30000, 0x0003, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x03}};
constexpr GUID productGuid{0x0DE30000, 0x0004, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x04}};

void DeclareValuePosition(Zyl_Channel* channel, int position, int requestLink, const char* name) {
  ChildCreation declaration;
  declaration.acceptedType.guid = valueGuid;
  CopyTextField(declaration.acceptedType.name, "Value");
  CopyTextField(declaration.linkName, name);
  declaration.requestLink = requestLink;
  channel->SetChildCreateType(declaration, position);
}

}  // namespace

DemoValueChannel::DemoValueChannel(const char* name, GUID typeGuid) {
  type.guid = typeGuid;
  type.baseGuid = valueGuid;
  CopyTextField(type.name, name);
  SetChannelName(name);
}

float DemoValueChannel::Value() {
  ++requests;
  if (CheckRenderCount()) {
    ++computations;
    value = Compute();
  }
  return value;
}

float DemoValueChannel::ChildValue(int position, int slot) {
  auto* child = dynamic_cast<DemoValueChannel*>(GetChildFromLinkPosition(position, slot));
  return child ? child->Value() : 0.0f;
}

DemoCounterChannel::DemoCounterChannel(const char* name, float stepPerFrame)
    : DemoValueChannel(name, counterGuid), step(stepPerFrame) {}

float DemoCounterChannel::Compute() {
  current += step;
  return current;
}

DemoConstantChannel::DemoConstantChannel(const char* name, float value)
    : DemoValueChannel(name, valueGuid), constant(value) {}

DemoSumChannel::DemoSumChannel(const char* name) : DemoValueChannel(name, sumGuid) {
  SetChildCreationCount(1);
  DeclareValuePosition(this, 0, -1, "Terms");
}

float DemoSumChannel::Compute() {
  float sum = 0.0f;
  for (int slot = 0; slot < GetChildLinkPositionCount(0); ++slot) sum += ChildValue(0, slot);
  return sum;
}

DemoProductChannel::DemoProductChannel(const char* name) : DemoValueChannel(name, productGuid) {
  SetChildCreationCount(2);
  DeclareValuePosition(this, 0, 0, "Left factor");
  DeclareValuePosition(this, 1, 1, "Right factor");
}

float DemoProductChannel::Compute() { return ChildValue(0, 0) * ChildValue(1, 0); }

DemoReportChannel::DemoReportChannel() {
  SetChannelName("Report");
  SetChildCreationCount(1);
  ChildCreation declaration;
  declaration.acceptedType.guid = valueGuid;
  CopyTextField(declaration.linkName, "Reported values");
  SetChildCreateType(declaration, 0);
}

void DemoReportChannel::CallChannel() {
  if (!CheckRenderCount()) return;
  line.clear();
  for (int slot = 0; slot < GetChildLinkPositionCount(0); ++slot) {
    auto* value = dynamic_cast<DemoValueChannel*>(GetChildFromLinkPosition(0, slot));
    if (value == nullptr) continue;
    char text[128];
    std::snprintf(text, sizeof text, "%s%s = %g", line.empty() ? "" : ", ",
                  value->GetChannelName(), static_cast<double>(value->Value()));
    line += text;
  }
}
