// Hux_MatrixChannel: the base of channels whose value is a matrix, exported for the
// deriving plug-ins; the library's own channel is a constant matrix.
#pragma once

#include <cstdint>

#include "d3dx/d3dx.h"
#include "graph/zyl_channel.h"

class Hux_MatrixChannel : public Zyl_Channel {
 public:
  Hux_MatrixChannel();
  ~Hux_MatrixChannel() override;

  // Computes the value once per evaluation through GetMatrix.
  void CallChannel() override;
  // The common channel record only; a constant adds its value.
  bool SaveChannel(ZylFileSaver& saver) override;
  bool LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) override;

  virtual D3DXMATRIX GetMatrix();
  virtual void SetMatrix(D3DXMATRIX matrix);

 protected:
  int32_t matrixFlags = 0;
  // Never null after construction: deriving channels write through it without a test.
  D3DXMATRIX* valueMatrix = nullptr;
  D3DXMATRIX matrixStorage;
};

// The channel InitDLL creates: a matrix given once, saved and loaded with its group.
class Hux_MatrixConstant : public Hux_MatrixChannel {
 public:
  bool SaveChannel(ZylFileSaver& saver) override;
  bool LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) override;
};
