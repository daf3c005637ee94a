// Engine: start, release, the tree count, registry access and the worker-thread list.
#include "runtime/engine.h"

#include <cstring>
#include <string>

#include "graph/zyl_channel_group.h"
#include "platform/modules.h"
#include "platform/registry.h"
#include "runtime/channel_list.h"
#include "runtime/engine_interface.h"
#include "runtime/zyl_tread.h"

namespace {

// Longest environment search path and install directory the start reads.
constexpr size_t maxPathLength = 1299;
constexpr size_t maxStartDirLength = 259;
// Size of the area a registry value is read into.
constexpr size_t registryReadSize = 1200;

}  // namespace

Engine::~Engine() {
  DeleteAllGroups();
  FreeRequests();
  FreeEvents();
  delete channelList;
  channelList = nullptr;
  delete uniqueGroup;
  uniqueGroup = nullptr;
}

const char* Engine::GetInstallDir() { return installDir; }

void Engine::SetInstallDir(const char* text) {
  if (text != nullptr) CopyTextField(installDir, text);
}

void Engine::SetKelvaneRegKey(const char* text) {
  if (text != nullptr) CopyTextField(regKey, text);
}

void Engine::SetEngineInterface(EngineInterface* owner) {
  engineInterface = owner;
  // A finished worker thread leaves the thread list of the engine it serves.
  SetKillTreadHandler([](EngineInterface* served, Zyl_Tread* tread) {
    if (served != nullptr && served->engine != nullptr) served->engine->KillTread(tread);
  });
  if (uniqueGroup == nullptr) uniqueGroup = new Zyl_ChannelGroup(owner);
  if (channelList == nullptr) channelList = new ChannelList(owner);
}

bool Engine::InitEngine(HINSTANCE module, const char* commandLineText) {
  instance = module;
  if (commandLineText != nullptr) CopyTextField(commandLine, commandLineText);

  const std::string path = platform::environmentPath().substr(0, maxPathLength);
  const std::string install = std::string(installDir).substr(0, maxStartDirLength);
  if (path.find(install) == std::string::npos) {
    platform::setEnvironmentPath(install + "\\channels;" + install + "\\3rd;" + path);
  }

  if (channelList != nullptr) {
    channelList->SetChannelDir((install + "\\channels").c_str());
    channelList->CreateChannelList();
  }
  initialized = true;
  return true;
}

void Engine::Release() {
  if (engineInterface != nullptr) {
    engineInterface->errorMessage("Libraries loaded : ", modules.GetItemCount());
  }
  initialized = false;
  currentEvent = releasedEvent;
  ExitThreads();
  DeleteAllGroups();
  FreeRequests();
  delete channelList;  // saves the catalogue
  channelList = nullptr;
  delete uniqueGroup;
  uniqueGroup = nullptr;
  CloseThreads();
  FreeModules();
}

void Engine::IncreaseTreeCount() {
  treeCount = treeCount >= maxTreeCount ? 0 : treeCount + 1;
  if (uniqueGroup != nullptr) uniqueGroup->IncreaseTreeCount();
  DispatchEvent(0, 0);
}

void Engine::UpdateChannelTree() {
  if (Zyl_ChannelGroup* start = GetChannelGroup(startGroupIndex)) start->CallStartChannel();
}

void Engine::FreeRequests() {
  for (int i = 0; i < requests.GetItemCount(); ++i) {
    delete static_cast<EngineChannelRequest*>(requests.GetItem(i));
  }
  requests.ClearItems();
}

void Engine::FreeEvents() {
  for (int i = 0; i < events.GetItemCount(); ++i) {
    delete static_cast<EventRecord*>(events.GetItem(i));
  }
  events.ClearItems();
}

// Worker threads are asked to exit before the groups go and awaited after them.
void Engine::ExitThreads() { ExitAllTreads(threads); }
void Engine::CloseThreads() { CloseAllTreads(threads); }

void Engine::FreeModules() {
  for (int i = modules.GetItemCount() - 1; i >= 0; --i) {
    platform::freeModule(static_cast<HINSTANCE>(modules.GetItem(i)));
  }
  modules.ClearItems();
}

platform::WindowHandle Engine::GetWindowHandle() { return window; }

void Engine::SetWindowHandle(platform::WindowHandle handle) {
  if (handle != nullptr) window = handle;
}

bool Engine::SetRegData(const char* valueName, const char* text) {
  if (text == nullptr) return false;
  if (!platform::registryCreateKey(regKey)) return false;
  return platform::registrySetString(regKey, valueName ? valueName : "", text);
}

bool Engine::GetRegData(const char* valueName, char* buffer, int maxLength) {
  if (buffer == nullptr || maxLength <= 0) return false;
  if (!platform::registryKeyExists(regKey)) return false;
  const auto value = platform::registryGetValue(regKey, valueName ? valueName : "");
  if (!value) return false;
  const bool isString = value->kind == platform::RegistryKind::string;
  // Sizes as stored: a string counts its terminator.
  const size_t storedSize = value->data.size() + (isString ? 1 : 0);
  if (storedSize > static_cast<size_t>(maxLength)) return false;
  if (storedSize > registryReadSize || !isString) return false;
  std::memcpy(buffer, value->data.c_str(), storedSize);
  return true;
}

void Engine::SetStartGroup(int index) { startGroupIndex = index; }
int Engine::GetStartGroup() { return startGroupIndex; }

Zyl_Tread* Engine::GetNewTread() {
  Zyl_Tread* tread = ::GetNewTread(threads);
  if (tread != nullptr) tread->engineInterface = engineInterface;
  return tread;
}
void Engine::KillTread(Zyl_Tread* thread) { ::KillTread(threads, thread); }
Zyl_Tread* Engine::GetTreadFromID(int id) { return ::GetTreadFromID(threads, id); }
