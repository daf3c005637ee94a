// A loader and a saver facade over the staged Tagvault components.
#pragma once

#include <memory>
#include <string>

#include "component_test_support.h"
#include "graph/graph_test_support.h"
#include "graph/zyl_file_loader.h"
#include "graph/zyl_file_saver.h"

class TagvaultTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(loaderLibrary.module, nullptr) << platform::lastModuleErrorText();
    ASSERT_NE(saverLibrary.module, nullptr) << platform::lastModuleErrorText();
    loader = std::make_unique<ZylFileLoader>(
        &engine, loaderLibrary.Create<Zyl_FileLoaderChannel>(&engine));
    saver = std::make_unique<ZylFileSaver>(&engine,
                                           saverLibrary.Create<Zyl_FileSaverChannel>(&engine));
    ASSERT_NE(loader->GetLoaderChannel(), nullptr);
    ASSERT_NE(saver->GetSaverChannel(), nullptr);
  }
  void TearDown() override {
    loader.reset();
    saver.reset();
  }

  // Reads `bytes` from the loader's own copy.
  void Read(const std::string& bytes) {
    std::string copy = bytes;
    loader->SetBuffer(copy.data(), static_cast<int>(copy.size()), true);
  }

  EngineInterface engine;
  MessageCapture capture;
  StagedLibrary loaderLibrary{"Tagvault.dll"};
  StagedLibrary saverLibrary{"4BB7D53F-C6DA-44A0-A8F9-173EA5B6C72D.dll"};
  std::unique_ptr<ZylFileLoader> loader;
  std::unique_ptr<ZylFileSaver> saver;
  TempFolder folder;
};

// A little-endian 32-bit size field.
inline std::string Size32(uint32_t value) {
  std::string field(4, '\0');
  for (int i = 0; i < 4; ++i) field[static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
  return field;
}
