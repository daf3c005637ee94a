// EngineInterface: construction order and the operations it forwards to the engine.
#include "runtime/engine_interface.h"

#include "runtime/engine.h"
#include "runtime/engine_interface_ext.h"

EngineInterface::EngineInterface() {
  engine = new Engine;
  engine->SetEngineInterface(this);
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

const char* EngineInterface::GetInstallDir() { return engine->GetInstallDir(); }
const char* EngineInterface::GetEngineClassName() { return engine->commandLine; }
HINSTANCE EngineInterface::GetEngineInstance() { return engine->instance; }
platform::WindowHandle EngineInterface::GetWindowHandle() { return engine->GetWindowHandle(); }
int EngineInterface::GetTreeCalculateCount() { return engine->treeCount; }
void EngineInterface::SetTreeCalculateCount(int count) { engine->treeCount = count; }

Zyl_ChannelGroup* EngineInterface::CreateNewGroup(const char* poolName, bool isArray,
                                                  int instance) {
  return engine->CreateNewGroup(poolName, isArray, instance);
}
Zyl_ChannelGroup* EngineInterface::GetChannelGroup(const char* fileName, int instance) {
  return engine->GetChannelGroup(fileName, instance);
}
Zyl_ChannelGroup* EngineInterface::GetChannelGroup(int index) {
  return engine->GetChannelGroup(index);
}
Zyl_ChannelGroup* EngineInterface::GetPoolGroup(const char* poolName, int instance) {
  return engine->GetPoolGroup(poolName, instance);
}
Zyl_ChannelGroup* EngineInterface::LoadChannelGroup(const char* fileName, const char* poolName) {
  return engine->LoadChannelGroup(fileName, poolName);
}
int EngineInterface::GetHighInstance(const char* poolName) {
  return engine->GetHighInstance(poolName);
}
void EngineInterface::DeleteChannelGroup(int index) { engine->DeleteChannelGroup(index); }
int EngineInterface::GetChannelGroupCount() { return engine->GetChannelGroupCount(); }

// Plug-in loading, unique channels and events arrive with their parts of the runtime.
Zyl_Channel* EngineInterface::InitChannelFromType(GUID, Zyl_ChannelGroup*, bool) { return nullptr; }
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
