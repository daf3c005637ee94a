// EngineInterfaceExt: the operations the channel graph relies on so far.
#include "runtime/engine_interface_ext.h"

#include "graph/zyl_channel_group.h"
#include "runtime/engine.h"
#include "runtime/engine_interface.h"

EngineInterfaceExt::~EngineInterfaceExt() = default;

void EngineInterfaceExt::CheckPublicChannelRemoval(Zyl_Channel* channel, int instance) {
  if (engineInterface == nullptr || engineInterface->engine == nullptr) return;
  Engine* engine = engineInterface->engine;
  for (int i = 0; i < engine->GetChannelGroupCount(); ++i) {
    if (Zyl_ChannelGroup* group = engine->GetChannelGroup(i)) {
      group->CheckPublicChannelRemoval(channel, instance);
    }
  }
}

void EngineInterfaceExt::CheckPublicCallChannelRemoval(Zyl_Channel*) {}

void EngineInterfaceExt::IncreaseTreeCount() {
  if (engineInterface != nullptr && engineInterface->engine != nullptr) {
    engineInterface->engine->IncreaseTreeCount();
  }
}

void EngineInterfaceExt::SetIfTrackChannelCalling(bool track) { trackChannelCalling = track; }
void EngineInterfaceExt::SetGraphRunning(bool running) { graphRunning = running; }
bool EngineInterfaceExt::GetGraphRunning() { return graphRunning; }

ChannelType EngineInterfaceExt::GetDLLType(HINSTANCE) { return ChannelType{}; }
