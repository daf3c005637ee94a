// Plug-in loading: libraries by bare file name, their type records, new objects through
// InitDLL under the process-wide critical section, and channels with their automatic
// children, found through the catalogue.
#include <string>

#include "graph/channel_internal.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_channel_group.h"
#include "graph/zyl_guid.h"
#include "graph/zyl_string.h"
#include "platform/errors.h"
#include "platform/modules.h"
#include "platform/threads.h"
#include "runtime/channel_list.h"
#include "runtime/engine.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"

namespace {

using GetTypeFunction = ChannelType* (*)();
using InitDLLFunction = DllInterface* (*)();

// The system loader sees only the file name, so it searches the engine's search path.
HINSTANCE LoadByBareName(const char* path) {
  std::string text(path);
  Zyl_String name;
  return platform::loadModule(name.MakeFULLName(text.data()));
}

// A new object of an already loaded library, or null with a message when it has no InitDLL.
DllInterface* Instantiate(HINSTANCE module, EngineInterface* engine) {
  auto init = reinterpret_cast<InitDLLFunction>(platform::moduleSymbol(module, "InitDLL"));
  if (init == nullptr) {
    engine->errorMessage("Engine::GetDLLInstance: Couldn't find external function InitDLL() in dll:");
    return nullptr;
  }
  DllInterface* object = nullptr;
  {
    platform::ProcessCriticalSection hold;
    globalDllInstance = module;
    globalEngine = engine;
    object = init();
  }
  if (object != nullptr) {
    object->module = module;
    object->engineInterface = engine;
  }
  return object;
}

// A channel of the library, or null (deleting an object that is not a channel).
Zyl_Channel* AsChannel(DllInterface* object) {
  auto* channel = dynamic_cast<Zyl_Channel*>(object);
  if (channel == nullptr) delete object;
  return channel;
}

}  // namespace

DllInterface* EngineInterfaceExt::GetDLLInstance(const char* path) {
  Engine* engine = OwnEngine();
  if (engine == nullptr || path == nullptr || path[0] == '\0' || path[1] == '\0') return nullptr;
  HINSTANCE module = LoadByBareName(path);
  if (module == nullptr) {
    engineInterface->errorMessage("GetLastError:", static_cast<int>(platform::lastError()));
    engineInterface->errorMessage("Engine::GetDLLInstance: Error loading DLL file:", path);
    const std::string loaderText = platform::lastModuleErrorText();
    if (!loaderText.empty()) engineInterface->errorMessage(loaderText.c_str());
    return nullptr;
  }
  engine->modules.AddItem(module);
  DllInterface* object = Instantiate(module, engineInterface);
  if (object != nullptr) object->engineInterface = engineInterface;
  return object;
}

ChannelType EngineInterfaceExt::GetDLLType(HINSTANCE module) {
  ChannelType type;
  if (module == nullptr) return type;
  auto getType = reinterpret_cast<GetTypeFunction>(platform::moduleSymbol(module, "GetType"));
  if (getType != nullptr) {
    if (const ChannelType* record = getType()) type = *record;
  }
  return type;
}

ChannelType EngineInterfaceExt::GetDLLType(const char* path) {
  ChannelType type;
  if (path == nullptr) return type;
  // Only the record is read here, so a library the search path misses (one in a subfolder
  // of the channels folder) is read from its own path; instances still need the bare name.
  HINSTANCE module = LoadByBareName(path);
  if (module == nullptr) module = platform::loadModule(path);
  if (module == nullptr) {
    if (engineInterface != nullptr) {
      engineInterface->errorMessage("Couldn't find DLL");
      engineInterface->errorMessage(path);
    }
    return type;
  }
  type = GetDLLType(module);
  platform::freeModule(module);
  if (type.versionInfo[1] != channelInterfaceVersion) {
    type.guid = nullGuid;
    if (engineInterface != nullptr) {
      engineInterface->errorMessage("Channel not compatible with current version: ", type.name);
    }
  }
  return type;
}

Zyl_Channel* EngineInterfaceExt::CreateChannelFromDLL(const char* path, Zyl_ChannelGroup* group,
                                                      bool createChildren) {
  Zyl_Channel* channel = AsChannel(GetDLLInstance(path));
  if (channel == nullptr) return nullptr;
  if (ChannelList* catalogue = GetChannelList()) catalogue->CheckChannelUpdate(channel);
  return CompleteNewChannel(channel, group, createChildren);
}

Zyl_Channel* EngineInterfaceExt::CompleteNewChannel(Zyl_Channel* channel, Zyl_ChannelGroup* group,
                                                    bool createChildren) {
  if (group != nullptr) group->AddChannel(channel);
  if (createChildren) {
    const int count = channelInternal.GetChildCreationCount(channel);
    for (int i = 0; i < count; ++i) {
      ChildCreation* creation = channelInternal.GetChildCreateType(channel, i);
      if (creation == nullptr || !creation->createChild) continue;
      ChannelType childType = creation->acceptedType;
      if (!IsNullGuid(creation->defaultChildGuid)) childType.guid = creation->defaultChildGuid;
      Zyl_Channel* child = engineInterface->InitChannelFromType(childType, group, createChildren);
      if (child == nullptr) {
        engineInterface->errorMessage("Couldn't initialize child");
        continue;
      }
      if (creation->linkName[0] != '\0') child->SetChannelName(creation->linkName);
      channel->SetChild(child, -1, creation->requestLink);
    }
  }
  channel->OneTimeInitialize();
  return channel;
}

Zyl_Channel* EngineInterface::InitChannelFromType(GUID type, Zyl_ChannelGroup* group,
                                                  bool createChildren) {
  if (extension == nullptr || engine == nullptr || engine->channelList == nullptr) return nullptr;
  ChannelListItem* item = engine->channelList->GetItem(type);
  if (item == nullptr || !item->onDisk) return nullptr;
  if (!item->typeVerified) {
    if (IsNullGuid(extension->GetDLLType(item->fileName.GetString()).guid)) {
      item->onDisk = false;
      return nullptr;
    }
    item->typeVerified = true;
  }
  if (item->module == nullptr) {
    Zyl_Channel* channel =
        extension->CreateChannelFromDLL(item->fileName.GetString(), group, createChildren);
    if (channel != nullptr) item->module = channel->module;
    return channel;
  }
  Zyl_Channel* channel = AsChannel(Instantiate(item->module, this));
  if (channel == nullptr) return nullptr;
  return extension->CompleteNewChannel(channel, group, createChildren);
}

Zyl_Channel* EngineInterface::InitChannelFromType(ChannelType type, Zyl_ChannelGroup* group,
                                                  bool createChildren) {
  return InitChannelFromType(type.guid, group, createChildren);
}
