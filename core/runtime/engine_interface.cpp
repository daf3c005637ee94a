// EngineInterface: construction order and the forwarding operations to the engine.
#include "runtime/engine_interface.h"

#include "runtime/engine.h"
#include "runtime/engine_interface_ext.h"

EngineInterface::EngineInterface() {
  engine = new Engine;
  engine->engineInterface = this;
  selfInterface = this;
  extension = new EngineInterfaceExt;
  extension->SetEngineInterface(this);
}

EngineInterface::~EngineInterface() {
  delete extension;
  extension = nullptr;
  delete engine;
  engine = nullptr;
}

const char* EngineInterface::GetInstallDir() { return engine->installDir; }
const char* EngineInterface::GetEngineClassName() { return engine->commandLine; }
HINSTANCE EngineInterface::GetEngineInstance() { return engine->instance; }
platform::WindowHandle EngineInterface::GetWindowHandle() { return engine->window; }
int EngineInterface::GetTreeCalculateCount() { return engine->treeCount; }
void EngineInterface::SetTreeCalculateCount(int count) { engine->treeCount = count; }

Zyl_ChannelGroup* EngineInterface::CreateNewGroup(const char*, bool, int) { return nullptr; }
Zyl_ChannelGroup* EngineInterface::GetChannelGroup(const char*, int) { return nullptr; }
Zyl_ChannelGroup* EngineInterface::GetChannelGroup(int index) {
  return engine->GetChannelGroup(index);
}
Zyl_ChannelGroup* EngineInterface::GetPoolGroup(const char*, int) { return nullptr; }
Zyl_ChannelGroup* EngineInterface::LoadChannelGroup(const char*, const char*) { return nullptr; }
int EngineInterface::GetHighInstance(const char*) { return -1; }
void EngineInterface::DeleteChannelGroup(int index) { engine->DeleteChannelGroup(index); }
int EngineInterface::GetChannelGroupCount() { return engine->GetChannelGroupCount(); }

Zyl_Channel* EngineInterface::InitChannelFromType(GUID, Zyl_ChannelGroup*, bool) {
  return nullptr;
}
Zyl_Channel* EngineInterface::InitChannelFromType(ChannelType, Zyl_ChannelGroup*, bool) {
  return nullptr;
}
Zyl_Channel* EngineInterface::GetUniqueChannel(GUID, const char*) { return nullptr; }
Zyl_Channel* EngineInterface::GetUniqueChannel(ChannelType, const char*) { return nullptr; }
void EngineInterface::AddChannelToEvent(Zyl_Channel*, int) {}
void EngineInterface::RemoveChannelFromEvent(Zyl_Channel*, int) {}

bool EngineInterface::GetGraphRunning() {
  return extension != nullptr && extension->GetGraphRunning();
}
