// EngineInterfaceExt: forwarding to the engine, the debug slots and the extension's flags.
#include "runtime/engine_interface_ext.h"

#include <cstring>

#include "graph/zyl_channel_group.h"
#include "runtime/engine.h"
#include "runtime/engine_interface.h"

EngineInterfaceExt::~EngineInterfaceExt() = default;

void EngineInterfaceExt::SetEngineInterface(EngineInterface* owner) { engineInterface = owner; }

Engine* EngineInterfaceExt::OwnEngine() const {
  return engineInterface != nullptr ? engineInterface->engine : nullptr;
}

void EngineInterfaceExt::SetInstallDir(const char* text) {
  if (Engine* engine = OwnEngine()) engine->SetInstallDir(text);
}

void EngineInterfaceExt::SetKelvaneRegKey(const char* text) {
  if (Engine* engine = OwnEngine()) engine->SetKelvaneRegKey(text);
}

void EngineInterfaceExt::ProcessWindowMessage(uint32_t message, uint32_t wParam, int32_t lParam) {
  if (Engine* engine = OwnEngine()) engine->ProcessWindowMessage(message, wParam, lParam);
}

int EngineInterfaceExt::GetInterfaceID() { return interfaceID; }

bool EngineInterfaceExt::InitEngine(HINSTANCE module, const char* commandLineText) {
  Engine* engine = OwnEngine();
  if (engine == nullptr || !engine->InitEngine(module, commandLineText)) return false;
  std::memset(debugTexts, 0, sizeof debugTexts);
  return true;
}

void EngineInterfaceExt::UpdateChannelTree() {
  if (Engine* engine = OwnEngine()) engine->UpdateChannelTree();
}

void EngineInterfaceExt::ReleaseGroups() {
  if (Engine* engine = OwnEngine()) engine->ReleaseGroups();
}

void EngineInterfaceExt::CheckPublicChannelRemoval(Zyl_Channel* channel, int instance) {
  if (Engine* engine = OwnEngine()) engine->CheckPublicChannelRemoval(channel, instance);
}

void EngineInterfaceExt::CheckPublicCallChannelRemoval(Zyl_Channel* channel) {
  if (Engine* engine = OwnEngine()) engine->CheckPublicCallChannelRemoval(channel);
}

void EngineInterfaceExt::CheckInterfaceChange(const char* poolName) {
  if (Engine* engine = OwnEngine()) engine->CheckInterfaceChange(poolName);
}

void EngineInterfaceExt::IncreaseTreeCount() {
  if (Engine* engine = OwnEngine()) engine->IncreaseTreeCount();
}

Zyl_Channel* EngineInterfaceExt::GetPublicChannel(PublicCallInfo* info) {
  Engine* engine = OwnEngine();
  return engine != nullptr ? engine->GetPublicChannel(info) : nullptr;
}

bool EngineInterfaceExt::AddChannelRequest(int instance, Zyl_Channel* channel) {
  Engine* engine = OwnEngine();
  return engine != nullptr && engine->AddChannelRequest(instance, channel);
}

void EngineInterfaceExt::CheckChannelRequest(Zyl_ChannelGroup* group, int instance,
                                             Zyl_Channel* candidate) {
  if (Engine* engine = OwnEngine()) engine->CheckChannelRequest(group, instance, candidate);
}

void EngineInterfaceExt::SetWindowHandle(platform::WindowHandle handle) {
  if (Engine* engine = OwnEngine()) engine->SetWindowHandle(handle);
}

ChannelList* EngineInterfaceExt::GetChannelList() {
  Engine* engine = OwnEngine();
  return engine != nullptr ? engine->channelList : nullptr;
}

void EngineInterfaceExt::DebugOut(const char* text, int slot) {
  if (text == nullptr || slot < 0 || slot >= debugSlotCount) return;
  if (std::strlen(text) >= static_cast<size_t>(maxDebugTextLength)) return;
  std::strcpy(debugTexts[slot], text);
}

const char* EngineInterfaceExt::GetDebug(int slot) {
  if (slot < 0 || slot >= debugSlotCount) return nullptr;
  return debugTexts[slot];
}

void EngineInterfaceExt::KillTread(Zyl_Tread* thread) {
  if (Engine* engine = OwnEngine()) engine->KillTread(thread);
}

Zyl_Tread* EngineInterfaceExt::GetNewTread() {
  Engine* engine = OwnEngine();
  return engine != nullptr ? engine->GetNewTread() : nullptr;
}

Zyl_Tread* EngineInterfaceExt::GetTreadFromID(int id) {
  Engine* engine = OwnEngine();
  return engine != nullptr ? engine->GetTreadFromID(id) : nullptr;
}

void EngineInterfaceExt::SetIfTrackChannelCalling(bool track) { trackChannelCalling = track; }
void EngineInterfaceExt::SetGraphRunning(bool running) { graphRunning = running; }
bool EngineInterfaceExt::GetGraphRunning() { return graphRunning; }
bool EngineInterfaceExt::GetIfKeepRunningApplication() { return keepRunningApplication; }
void EngineInterfaceExt::SetIfKeepRunningApplication(bool keepRunning) {
  keepRunningApplication = keepRunning;
}

void EngineInterfaceExt::SetStartGroup(int index) {
  if (Engine* engine = OwnEngine()) engine->SetStartGroup(index);
}

int EngineInterfaceExt::GetStartGroup() {
  Engine* engine = OwnEngine();
  return engine != nullptr ? engine->GetStartGroup() : 0;
}

void EngineInterfaceExt::Release() {
  if (Engine* engine = OwnEngine()) engine->Release();
}

bool EngineInterfaceExt::SetRegData(const char* valueName, const char* text) {
  Engine* engine = OwnEngine();
  return engine != nullptr && engine->SetRegData(valueName, text);
}

bool EngineInterfaceExt::GetRegData(const char* valueName, char* buffer, int maxLength) {
  Engine* engine = OwnEngine();
  return engine != nullptr && engine->GetRegData(valueName, buffer, maxLength);
}

int EngineInterfaceExt::GetCurrentEvent() {
  Engine* engine = OwnEngine();
  return engine != nullptr ? engine->GetCurrentEvent() : -1;
}

int EngineInterfaceExt::GetUniqueChannelCount() {
  Engine* engine = OwnEngine();
  return engine != nullptr && engine->uniqueGroup != nullptr ? engine->uniqueGroup->GetChannelCount()
                                                              : 0;
}

// Project files arrive with their part of the runtime; until then these answer "none".
int EngineInterfaceExt::InitializeKVNFile(const char*) { return 1; }
Zyl_ChannelGroup* EngineInterfaceExt::GetKVNStartGroup() { return nullptr; }
void EngineInterfaceExt::TranslateFile(Hux_FileLoaderChannel*) {}
void EngineInterfaceExt::TranslateFile(ZylFileLoader*) {}
