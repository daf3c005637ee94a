// The float value base and the constant float.
#include "hux_float_channel.h"

#include "fixed_block.h"

namespace {
constexpr const char* constantFloatTag = "FLVA";
}  // namespace

Hux_FloatChannel::Hux_FloatChannel() = default;
Hux_FloatChannel::~Hux_FloatChannel() = default;

float Hux_FloatChannel::GetFloat() { return floatValue; }
float Hux_FloatChannel::GetOldFloat() { return oldFloatValue; }

void Hux_FloatChannel::SetFloat(float value) {
  oldFloatValue = floatValue;
  floatValue = value;
}

float Hux_FloatChannel::GetDefaultFloat() { return defaultFloat; }
void Hux_FloatChannel::SetDefaultFloat(float value) { defaultFloat = value; }
bool Hux_FloatChannel::GetDefaultFloatSetting() { return useDefaultFloat; }
void Hux_FloatChannel::SetDefaultFloatSetting(bool use) { useDefaultFloat = use; }

bool Hux_FloatConstant::SaveChannel(ZylFileSaver& saver) {
  if (!Zyl_Channel::SaveChannel(saver)) return false;
  return SaveFixedBlock(saver, constantFloatTag, &floatValue, sizeof floatValue);
}

bool Hux_FloatConstant::LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) {
  if (!Zyl_Channel::LoadChannel(loader, group)) return false;
  float loaded = floatValue;
  if (LoadFixedBlock(loader, constantFloatTag, &loaded, sizeof loaded) == BlockRead::invalid) {
    return false;
  }
  floatValue = oldFloatValue = loaded;
  return true;
}
