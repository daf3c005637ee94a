// An engine whose catalogue hands out test channels and the staged file components, so
// that records and group files are written and read by the real Tagvault libraries.
#pragma once

#include <memory>
#include <string>

#include "component_test_support.h"
#include "graph/channel_internal.h"
#include "graph/record_file_forms.h"
#include "graph/zyl_channel_group.h"
#include "graph/zyl_file_loader.h"
#include "graph/zyl_file_saver.h"
#include "graph_test_support.h"

// A type with one single-link position (0) and one multi-link position (1).
inline constexpr GUID nodeGuid{
    0x6D1E2F30, 0x4A5B, 0x4C6D, {0x8E, 0x9F, 0xA0, 0xB1, 0xC2, 0xD3, 0xE4, 0xF5}};
// A type that takes no links; a parameter channel of it accepts only its own type.
inline constexpr GUID leafGuid{
    0x7E2F3041, 0x5B6C, 0x4D7E, {0x9F, 0xA0, 0xB1, 0xC2, 0xD3, 0xE4, 0xF5, 0x06}};
inline constexpr GUID missingGuid{
    0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};

class FileEngine : public ComponentEngine {
 public:
  using ComponentEngine::InitChannelFromType;
  Zyl_Channel* InitChannelFromType(GUID type, Zyl_ChannelGroup* group, bool children) override {
    if (IsEqualGuid(type, nodeGuid)) return NewNode();
    if (IsEqualGuid(type, leafGuid)) return new TestChannel(leafGuid);
    return ComponentEngine::InitChannelFromType(type, group, children);
  }

  static TestChannel* NewNode(const char* name = nullptr) {
    auto* node = new TestChannel(nodeGuid, nullGuid, name);
    node->Declare(wildcardGuid, 0);
    node->Declare(wildcardGuid, -1);
    return node;
  }
};

class GroupFileTest : public testing::Test {
 protected:
  GroupFileTest() : previous(globalEngine) { globalEngine = &engine; }
  ~GroupFileTest() override { globalEngine = previous; }

  void SetUp() override {
    ASSERT_NE(engine.loaderLibrary.module, nullptr) << platform::lastModuleErrorText();
    ASSERT_NE(engine.saverLibrary.module, nullptr) << platform::lastModuleErrorText();
  }

  // The group's file as written into memory.
  std::string SaveToMemory(Zyl_ChannelGroup& group) {
    ZylFileSaver saver(&engine);
    saver.OpenMemory();
    group.SaveChannelGroup(saver);
    return std::string(saver.GetBuffer(), static_cast<size_t>(saver.GetBufferSize()));
  }

  bool LoadFromMemory(Zyl_ChannelGroup& group, std::string bytes, bool setPool = true) {
    return group.LoadChannelGroupFromBuffer("memory.cgr", static_cast<int>(bytes.size()),
                                            bytes.data(), setPool);
  }

  bool HasMessage(int type, const std::string& text) const { return capture.Contains(type, text); }

  FileEngine engine;
  MessageCapture capture;
  TempFolder folder;

 private:
  EngineInterface* previous;
};

// Builders of hand-made streams: a little-endian value, a tagged block, a tagged value.
inline std::string Size32(uint32_t value) {
  uint8_t bytes[4];
  Int32ToFile(static_cast<int32_t>(value), bytes);
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}
inline std::string Block(const std::string& tag, const std::string& data) {
  return tag + Size32(static_cast<uint32_t>(data.size())) + data;
}
inline std::string IntBlock(const std::string& tag, int32_t value) {
  return Block(tag, Size32(static_cast<uint32_t>(value)));
}
inline std::string GuidBytes(const GUID& guid) {
  uint8_t bytes[16];
  GuidToFile(guid, bytes);
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}
