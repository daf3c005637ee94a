// Fixture of the plug-in and catalogue tests: a fresh install directory whose channels
// folder holds copies of chosen libraries from the template folder, engines started over
// it, captured messages and the log in which the test plug-ins note their loads.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>

#include "graph/graph_test_support.h"
#include "graph/zyl_guid.h"
#include "platform/modules.h"
#include "runtime/engine.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"
#include "runtime/runtime_test_support.h"
#include "test_plugin_channel.h"

inline const char* const tagvaultFile = "Tagvault.dll";
inline const char* const saverFile = "4BB7D53F-C6DA-44A0-A8F9-173EA5B6C72D.dll";
inline const char* const rosterFile = "Roster.dll";

inline std::string PluginFile(const GUID& type) {
  char text[guidTextLength + 1] = {};
  GuidToText(type, text);
  return std::string(text) + ".dll";
}

class PluginTest : public RuntimeTest {
 protected:
  PluginTest() : previousPath(platform::environmentPath()), previousEngine(globalEngine) {
    setenv("KELVANE_TEST_PLUGIN_LOG", (folder.path() / "plugin.log").c_str(), 1);
    std::filesystem::create_directories(folder.path() / "channels");
  }
  ~PluginTest() override {
    Stop();
    unsetenv("KELVANE_TEST_PLUGIN_LOG");
    platform::setEnvironmentPath(previousPath);
    globalEngine = previousEngine;
  }

  // Copies libraries (paths relative to the template channels folder) into the install tree.
  void Stage(std::initializer_list<std::string> files) const {
    for (const std::string& file : files) StageAs(file, file);
  }
  // Copies one library to another place of the channels folder.
  void StageAs(const std::string& file, const std::string& destination) const {
    const std::filesystem::path to = folder.path() / "channels" / destination;
    std::filesystem::create_directories(to.parent_path());
    std::filesystem::copy_file(std::filesystem::path(RUNTIME_TEST_CHANNELS_DIR) / file, to,
                               std::filesystem::copy_options::overwrite_existing);
  }
  void StageComponents() const { Stage({tagvaultFile, saverFile, rosterFile}); }

  std::string InstallDir() const { return folder.engine(); }
  std::string ChannelPath(const std::string& file) const {
    return InstallDir() + "\\channels\\" + file;
  }

  // A new engine started over the install directory (the previous one is released first).
  EngineInterface& Start() {
    Stop();
    engine = std::make_unique<EngineInterface>();
    engine->extension->SetInstallDir(InstallDir().c_str());
    EXPECT_TRUE(engine->extension->InitEngine(nullptr, nullptr));
    return *engine;
  }
  void Stop() {
    if (engine == nullptr) return;
    engine->extension->Release();
    engine.reset();
  }
  ChannelList& Catalogue() const { return *engine->extension->GetChannelList(); }

  // How many lines of the plug-in log read `line` ("<plug-in name> load" or "... type").
  int LogCount(const std::string& line) const {
    std::ifstream log(folder.path() / "plugin.log");
    int count = 0;
    for (std::string text; std::getline(log, text);) count += text == line ? 1 : 0;
    return count;
  }
  int LogLines() const {
    std::ifstream log(folder.path() / "plugin.log");
    int count = 0;
    for (std::string text; std::getline(log, text);) ++count;
    return count;
  }

  MessageCapture capture;
  std::unique_ptr<EngineInterface> engine;

 private:
  std::string previousPath;
  EngineInterface* previousEngine;
};
