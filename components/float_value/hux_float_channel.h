// Hux_FloatChannel: the base of channels whose value is a float, exported for the
// deriving plug-ins; the library's own channel is a constant float.
#pragma once

#include "graph/zyl_channel.h"

class Hux_FloatChannel : public Zyl_Channel {
 public:
  Hux_FloatChannel();
  ~Hux_FloatChannel() override;

  virtual float GetFloat();
  // The value before the last SetFloat.
  virtual float GetOldFloat();
  virtual void SetFloat(float value);
  virtual float GetDefaultFloat();
  virtual void SetDefaultFloat(float value);
  virtual bool GetDefaultFloatSetting();
  virtual void SetDefaultFloatSetting(bool use);

 protected:
  // First member: deriving channels store every computed value here.
  float floatValue = 0.0f;
  float oldFloatValue = 0.0f;
  float defaultFloat = 0.0f;
  bool useDefaultFloat = false;
};

// The channel InitDLL creates: a float given once, saved and loaded with its group.
class Hux_FloatConstant : public Hux_FloatChannel {
 public:
  bool SaveChannel(ZylFileSaver& saver) override;
  bool LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) override;
};
