// A test channel plug-in, built once per variant: PLUGIN_DATA1 (first GUID word), PLUGIN_NAME,
// PLUGIN_VERSION (interface version in its record), PLUGIN_WITH_CHILDREN (asks for automatic
// children) and PLUGIN_NO_INIT (exports no InitDLL). Each load and each type query is noted
// in the file named by KELVANE_TEST_PLUGIN_LOG, so tests can count what the engine loaded.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "test_plugin_channel.h"

#ifndef PLUGIN_VERSION
#define PLUGIN_VERSION 41
#endif

namespace {

void Note(const char* what) {
  const char* log = std::getenv("KELVANE_TEST_PLUGIN_LOG");
  if (log == nullptr) return;
  if (std::FILE* file = std::fopen(log, "a")) {
    std::fprintf(file, "%s %s\n", PLUGIN_NAME, what);
    std::fclose(file);
  }
}

struct LoadNote {
  LoadNote() { Note("load"); }
} loadNote;

#ifdef PLUGIN_WITH_CHILDREN
ChildCreation Creation(GUID type, int position, bool create, const char* linkName) {
  ChildCreation creation;
  creation.acceptedType.guid = type;
  creation.acceptedType.baseGuid = nullGuid;
  creation.requestLink = position;
  creation.createChild = create ? 1 : 0;
  std::strncpy(creation.linkName, linkName, sizeof creation.linkName - 1);
  return creation;
}
#endif

class PluginChannel : public TestPluginChannel {
 public:
  PluginChannel() {
#ifdef PLUGIN_WITH_CHILDREN
    SetChildCreateType(Creation(plainPluginGuid, 0, true, "First"), 0);
    SetChildCreateType(Creation(absentPluginGuid, 1, true, ""), 1);
    SetChildCreateType(Creation(plainPluginGuid, 2, false, "Never"), 2);
#endif
  }
};

}  // namespace

extern "C" ChannelType* GetType() {
  Note("type");
  static ChannelType type = [] {
    ChannelType record;
    std::strcpy(record.name, PLUGIN_NAME);
    record.guid = MakeTestPluginGuid(PLUGIN_DATA1);
    record.versionInfo[1] = PLUGIN_VERSION;
    return record;
  }();
  return &type;
}

#ifndef PLUGIN_NO_INIT
extern "C" DllInterface* InitDLL() { return new (std::nothrow) PluginChannel(); }
#endif
