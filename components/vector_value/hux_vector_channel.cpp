// The vector value base and the constant vector.
#include "hux_vector_channel.h"

#include "fixed_block.h"

namespace {
// Tag of a constant's vector: x, y, z as floats.
constexpr const char* constantVectorTag = "VEVA";
}  // namespace

Hux_VectorChannel::Hux_VectorChannel() = default;
Hux_VectorChannel::~Hux_VectorChannel() = default;

D3DXVECTOR3 Hux_VectorChannel::GetVector() { return vectorValue; }
void Hux_VectorChannel::SetVector(D3DXVECTOR3 vector) { vectorValue = vector; }

bool Hux_VectorChannel::SetFloat(int index, float value) {
  switch (index) {
    case 0: vectorValue.x = value; return true;
    case 1: vectorValue.y = value; return true;
    case 2: vectorValue.z = value; return true;
    default: return false;
  }
}

bool Hux_VectorConstant::SaveChannel(ZylFileSaver& saver) {
  if (!Zyl_Channel::SaveChannel(saver)) return false;
  const float xyz[3] = {vectorValue.x, vectorValue.y, vectorValue.z};
  return SaveFixedBlock(saver, constantVectorTag, xyz, sizeof xyz);
}

bool Hux_VectorConstant::LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) {
  if (!Zyl_Channel::LoadChannel(loader, group)) return false;
  float xyz[3] = {vectorValue.x, vectorValue.y, vectorValue.z};
  if (LoadFixedBlock(loader, constantVectorTag, xyz, sizeof xyz) == BlockRead::invalid) {
    return false;
  }
  vectorValue = D3DXVECTOR3(xyz[0], xyz[1], xyz[2]);
  return true;
}
