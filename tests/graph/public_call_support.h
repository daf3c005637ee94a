// Fixture of the public-call tests: groups of named pools made by the engine, public
// channels and public calls in them, and the engine's waiting requests.
#pragma once

#include "graph/channel_internal.h"
#include "graph_test_support.h"
#include "graph/zyl_channel_group.h"

class PublicCallTest : public EngineTest {
 protected:
  Zyl_ChannelGroup* Group(const char* pool, int instance = 0) {
    return engine.CreateNewGroup(pool, true, instance);
  }

  static TestChannel* AddPublic(Zyl_ChannelGroup* group, const char* name,
                                GUID base = matrixGuid, int type = HUX_PUBLICCHANNEL) {
    auto* channel = new TestChannel(derivedMatrixGuid, base, name);
    group->AddChannel(channel);
    channel->SetChannelInterfaceType(type);
    return channel;
  }

  // A public call to `name` in `pool`; autoload off unless asked for.
  static TestChannel* AddCall(Zyl_ChannelGroup* group, const char* name, const char* pool,
                              int instance = 0, GUID base = matrixGuid) {
    auto* call = new TestChannel(derivedMatrixGuid, base, "Call");
    group->AddChannel(call);
    call->SetChannelInterfaceType(HUX_PUBLICCALL);
    PublicCallInfo info;
    CopyTextField(info.targetName, name);
    CopyTextField(info.targetPool, pool);
    info.instanceNr = instance;
    info.autoLoadGroup = 0;
    channelInternal.SetPublicCallInfo(call, info);
    return call;
  }

  static ParameterInterfaceInfo Parameter(const char* name, GUID type = floatGuid) {
    ParameterInterfaceInfo info;
    CopyTextField(info.name, name);
    info.guid = type;
    return info;
  }

  int RequestCount() const {
    int count = 0;
    for (int i = 0; i < engine.engine->requests.GetItemCount(); ++i) {
      count += engine.engine->requests.GetItem(i) != nullptr ? 1 : 0;
    }
    return count;
  }

  static Zyl_Channel* Resolve(Zyl_Channel* call, bool evaluate = false) {
    return channelInternal.GetPublicChannelForPublicCall(call, evaluate);
  }
};
