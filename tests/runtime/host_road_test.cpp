// A host's road through the engine: load libCorelith.so from the stage tree by file name,
// take GetEngineControlInstance, configure, start with a headless window, run frames and
// destroy the object, all through the engine control's table of operations. This program
// does not link the core.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/headless_window.h"
#include "platform/modules.h"
#include "platform/registry.h"
#include "runtime/engine_control.h"
#include "runtime/engine_interface.h"
#include "runtime/runtime_test_support.h"

namespace {

const char* const key = "Software\\Kelvane\\HostRoad";

class HostRoad : public RuntimeTest {
 protected:
  HostRoad() : previousPath(platform::environmentPath()) {}
  ~HostRoad() override {
    if (core != nullptr) platform::freeModule(core);
    platform::setEnvironmentPath(previousPath);
  }

  // The engine control of the staged core, or null.
  EngineControl* NewControl() {
    core = platform::loadModule(platform::toEnginePath(KELVANE_STAGE_DIR "/libCorelith.so"));
    if (core == nullptr) return nullptr;
    auto create = reinterpret_cast<EngineControl* (*)()>(
        platform::moduleSymbol(core, "GetEngineControlInstance"));
    return create != nullptr ? create() : nullptr;
  }

  std::string previousPath;
  platform::ModuleHandle core = nullptr;
};

TEST_F(HostRoad, StartFramesAndShutdown) {
  ASSERT_TRUE(platform::registrySetString(key, "WriteErrorLog", "Yes"));
  EngineControl* control = NewControl();
  ASSERT_NE(control, nullptr) << platform::lastModuleErrorText();
  control->SetInstallDir(folder.engine().c_str());
  control->SetKelvaneRegKey(key);
  control->SetCommandLine("");

  platform::HeadlessWindow window(320, 240);
  ASSERT_TRUE(control->InitEngine(nullptr, "kelvane-player", &window));
  EngineInterface* engine = control->GetEngineInterface();
  ASSERT_NE(engine, nullptr);
  EXPECT_EQ(engine->GetWindowHandle(), &window);

  // No file dialog component is installed: the project choice fails with its message.
  EXPECT_EQ(control->LoadProject(), 1);
  engine->CreateNewGroup("Start", false, 0);
  for (int frame = 0; frame < 5; ++frame) {
    control->EngineLoop();
    control->ProcessWindowMessage(0x0100, 0x1E, 0x001E0001);
  }
  EXPECT_EQ(engine->GetTreeCalculateCount(), 5);
  EXPECT_FALSE(control->GetIfKeepRunningApplication());
  delete control;

  const std::string log = folder.read("error.log");
  EXPECT_NE(
      log.find("Error: EngineControl::LoadProject(): Error loading the File Dialog channel\r\n"),
      std::string::npos)
      << log;
  EXPECT_NE(log.find("Error: Libraries loaded :  0\r\n"), std::string::npos) << log;
  EXPECT_TRUE(boxCapture.boxes.empty());
}

TEST_F(HostRoad, FreshInstallationKeepsNoLog) {
  EngineControl* control = NewControl();
  ASSERT_NE(control, nullptr) << platform::lastModuleErrorText();
  control->SetInstallDir(folder.engine().c_str());
  control->SetKelvaneRegKey(key);
  platform::HeadlessWindow window(64, 48);
  ASSERT_TRUE(control->InitEngine(nullptr, nullptr, &window));
  EXPECT_EQ(control->LoadProject(), 1);
  delete control;
  EXPECT_EQ(platform::registryGetValue(key, "WriteErrorLog")->data, "No");
  // The project choice reported an error, but the log is off.
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "error.log"));
  EXPECT_TRUE(boxCapture.boxes.empty());
}

}  // namespace
