// Creation of a facade's component channel by type GUID, shared by ZylFileLoader and
// ZylFileSaver.
#pragma once

#include "graph/zyl_channel.h"
#include "runtime/engine_interface.h"
#include "runtime/messages.h"

// The new component channel of `type` as class Component, or null after `failure` was
// reported (through the engine's errorMessage; without an engine, straight to the sink).
template <class Component>
Component* CreateFileComponent(EngineInterface* engine, const GUID& type, const char* failure) {
  Zyl_Channel* channel =
      engine != nullptr ? engine->InitChannelFromType(type, nullptr, false) : nullptr;
  auto* component = dynamic_cast<Component*>(channel);
  if (component != nullptr) return component;
  delete channel;  // a library under this GUID that is not the component
  if (engine != nullptr) {
    engine->errorMessage(failure);
  } else {
    ShowErrorMessage report;
    report(failure);
  }
  return nullptr;
}
