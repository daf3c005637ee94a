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

// The engine goes first: saving the catalogue on its way out creates a saver channel
// through the extension.
EngineInterface::~EngineInterface() {
  delete engine;
  engine = nullptr;
  delete extension;
  extension = nullptr;
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

Zyl_Channel* EngineInterface::GetUniqueChannel(GUID type, const char* name) {
  return engine->GetUniqueChannel(type, name);
}
Zyl_Channel* EngineInterface::GetUniqueChannel(ChannelType type, const char* name) {
  return engine->GetUniqueChannel(type.guid, name);
}
void EngineInterface::AddChannelToEvent(Zyl_Channel* channel, int event) {
  engine->AddChannelToEvent(channel, event);
}
void EngineInterface::RemoveChannelFromEvent(Zyl_Channel* channel, int event) {
  engine->RemoveChannelFromEvent(channel, event);
}

bool EngineInterface::GetGraphRunning() {
  return extension != nullptr && extension->GetGraphRunning();
}
