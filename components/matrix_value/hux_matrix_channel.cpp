// The matrix value base and the constant matrix.
#include "hux_matrix_channel.h"

#include "fixed_block.h"

namespace {
// Tag of a constant's matrix: 16 floats, row by row.
constexpr const char* constantMatrixTag = "MAVA";
}  // namespace

Hux_MatrixChannel::Hux_MatrixChannel() {
  D3DXMatrixIdentity(&matrixStorage);
  valueMatrix = &matrixStorage;
}

Hux_MatrixChannel::~Hux_MatrixChannel() = default;

void Hux_MatrixChannel::CallChannel() { GetMatrix(); }

bool Hux_MatrixChannel::SaveChannel(ZylFileSaver& saver) { return Zyl_Channel::SaveChannel(saver); }

bool Hux_MatrixChannel::LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) {
  return Zyl_Channel::LoadChannel(loader, group);
}

D3DXMATRIX Hux_MatrixChannel::GetMatrix() { return *valueMatrix; }

void Hux_MatrixChannel::SetMatrix(D3DXMATRIX matrix) { *valueMatrix = matrix; }

bool Hux_MatrixConstant::SaveChannel(ZylFileSaver& saver) {
  if (!Hux_MatrixChannel::SaveChannel(saver)) return false;
  return SaveFixedBlock(saver, constantMatrixTag, &valueMatrix->_11, sizeof(D3DMATRIX));
}

bool Hux_MatrixConstant::LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) {
  if (!Hux_MatrixChannel::LoadChannel(loader, group)) return false;
  D3DXMATRIX loaded = *valueMatrix;
  if (LoadFixedBlock(loader, constantMatrixTag, &loaded._11, sizeof(D3DMATRIX)) ==
      BlockRead::invalid) {
    return false;
  }
  *valueMatrix = loaded;
  return true;
}
