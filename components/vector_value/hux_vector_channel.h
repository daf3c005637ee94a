// Hux_VectorChannel: the base of channels whose value is a 3D vector, exported for the
// deriving plug-ins; the library's own channel is a constant vector.
#pragma once

#include "d3dx/d3dx.h"
#include "graph/zyl_channel.h"

class Hux_VectorChannel : public Zyl_Channel {
 public:
  Hux_VectorChannel();
  ~Hux_VectorChannel() override;

  virtual D3DXVECTOR3 GetVector();
  virtual void SetVector(D3DXVECTOR3 vector);
  // Sets component 0 (x), 1 (y) or 2 (z); false for any other index.
  virtual bool SetFloat(int index, float value);

 protected:
  D3DXVECTOR3 vectorValue{0.0f, 0.0f, 0.0f};
};

// The channel InitDLL creates: a vector given once, saved and loaded with its group.
class Hux_VectorConstant : public Hux_VectorChannel {
 public:
  bool SaveChannel(ZylFileSaver& saver) override;
  bool LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) override;
};
