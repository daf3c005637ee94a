// Fuzz target: a group file read from untrusted bytes through the real file loader
// component, with channel types that take links at single and multi-link positions.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "component_test_support.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_channel_group.h"
#include "graph/zyl_file_channels.h"

namespace {

constexpr GUID nodeGuid{0x6D1E2F30, 0x4A5B, 0x4C6D, {0x8E, 0x9F, 0xA0, 0xB1, 0xC2, 0xD3, 0xE4, 0xF5}};

class NodeChannel : public Zyl_Channel {
 public:
  NodeChannel() {
    ChildCreation single;
    single.requestLink = 0;
    SetChildCreateType(single, 0);
    SetChildCreateType(ChildCreation{}, 1);  // any type, any number of children
  }
  ChannelType GetChannelType() override {
    ChannelType type;
    type.guid = nodeGuid;
    return type;
  }
};

class FuzzEngine : public EngineInterface {
 public:
  Zyl_Channel* InitChannelFromType(GUID type, Zyl_ChannelGroup*, bool) override {
    if (IsEqualGuid(type, fileLoaderTypeGuid)) return loader.Create<Zyl_FileLoaderChannel>(this);
    if (IsEqualGuid(type, nodeGuid)) return new NodeChannel;
    return nullptr;
  }
  Zyl_Channel* InitChannelFromType(ChannelType type, Zyl_ChannelGroup* group,
                                   bool children) override {
    return InitChannelFromType(type.guid, group, children);
  }

  StagedLibrary loader{"Tagvault.dll"};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzEngine* engine = [] {
    auto* created = new FuzzEngine;
    globalEngine = created;
    return created;
  }();
  // The loader reads the buffer in place, so it must outlive the load.
  std::vector<char> bytes(data, data + size);
  Zyl_ChannelGroup group(engine);
  group.LoadChannelGroupFromBuffer("fuzz.cgr", static_cast<int>(bytes.size()), bytes.data(), true);
  return 0;
}
