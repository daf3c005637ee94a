// An engine on its own install directory over the staged channels, with object data
// channels made from their type, a frame drawn through the device, and records as bytes.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base_type_guids.h"
#include "component_test_support.h"
#include "graph/graph_test_support.h"
#include "graph/zyl_channel_group.h"
#include "graph/zyl_file_loader.h"
#include "graph/zyl_file_saver.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "object_data_channel.h"
#include "platform/headless_window.h"
#include "runtime/engine_control.h"

class ObjectDataTest : public testing::Test {
 public:
  static constexpr int width = 96;
  static constexpr int height = 64;

 protected:

  ObjectDataTest() {
    setenv("KELVANE_REGISTRY", (folder.path() / "registry").c_str(), 1);
    std::filesystem::create_directory_symlink(KELVANE_STAGE_DIR "/channels",
                                              folder.path() / "channels");
    control.SetInstallDir(folder.engine().c_str());
    control.SetKelvaneRegKey("Software\\Kelvane\\ObjectData");
  }
  ~ObjectDataTest() override { unsetenv("KELVANE_REGISTRY"); }

  void SetUp() override {
    ASSERT_TRUE(control.InitEngine(nullptr, "object-data", &window));
    capture.emplace();  // after the engine installed its own message sink
    engine = control.GetEngineInterface();
    ASSERT_NE(engine, nullptr);
    group = engine->CreateNewGroup("Meshes", false, 0);
    ASSERT_NE(group, nullptr);
    device = dynamic_cast<Hux_DX8_DirectGraphicsChannel*>(
        engine->GetUniqueChannel(directGraphicsGuid, nullptr));
    ASSERT_NE(device, nullptr);
    ASSERT_NE(device->GetDirect3dDevice(), nullptr);
  }

  // A new channel made by the staged plug-in, owned by the group.
  Hux_DX8_ObjectDataChannel& Make() {
    Zyl_Channel* made = engine->InitChannelFromType(objectDataGuid, group, true);
    auto* object = dynamic_cast<Hux_DX8_ObjectDataChannel*>(made);
    EXPECT_NE(object, nullptr);
    return *object;
  }

  bool Reported(const std::string& text) const {
    for (const auto& [type, message] : capture->messages) {
      if (message.find(text) != std::string::npos) return true;
    }
    return false;
  }

  // The record SaveChannel writes.
  std::vector<char> Save(Hux_DX8_ObjectDataChannel& object) {
    ZylFileSaver saver(engine);
    EXPECT_TRUE(saver.OpenMemory());
    EXPECT_TRUE(object.SaveChannel(saver));
    std::vector<char> bytes(saver.GetBuffer(), saver.GetBuffer() + saver.GetBufferSize());
    saver.CloseMemory();
    return bytes;
  }

  bool Load(Hux_DX8_ObjectDataChannel& object, std::vector<char> bytes) {
    ZylFileLoader loader(engine);
    loader.SetBuffer(bytes.data(), static_cast<int>(bytes.size()), true);
    return object.LoadChannel(loader, group);
  }

  ScratchFolder folder;
  platform::HeadlessWindow window{width, height};
  EngineControl control;
  std::optional<MessageCapture> capture;
  EngineInterface* engine = nullptr;
  Zyl_ChannelGroup* group = nullptr;
  Hux_DX8_DirectGraphicsChannel* device = nullptr;
};

// Tagged blocks appended to a record: tag, 32-bit size, data.
class RecordBuilder {
 public:
  explicit RecordBuilder(std::vector<char> prefix) : bytes(std::move(prefix)) {}

  RecordBuilder& Block(const char* tag, const void* data, uint32_t size) {
    bytes.insert(bytes.end(), tag, tag + 4);
    const char* s = reinterpret_cast<const char*>(&size);
    bytes.insert(bytes.end(), s, s + 4);
    const char* d = static_cast<const char*>(data);
    if (size > 0) bytes.insert(bytes.end(), d, d + size);
    return *this;
  }
  template <typename T>
  RecordBuilder& Value(const char* tag, const T& value) {
    return Block(tag, &value, sizeof(value));
  }
  template <typename T>
  RecordBuilder& Array(const char* tag, const std::vector<T>& values) {
    return Block(tag, values.data(), static_cast<uint32_t>(values.size() * sizeof(T)));
  }

  std::vector<char> bytes;
};

// The offset of the first block with this tag in a record, or npos.
inline size_t FindTag(const std::vector<char>& bytes, const char* tag) {
  for (size_t i = 0; i + 4 <= bytes.size(); ++i) {
    if (std::memcmp(&bytes[i], tag, 4) == 0) return i;
  }
  return std::string::npos;
}
