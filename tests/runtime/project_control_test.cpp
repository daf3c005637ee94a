// LoadProject's whole road: the command line or the file dialog (with an injected
// chooser), the project loader's results and the start group, and the update box.
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/headless_window.h"
#include "project_test_support.h"
#include "runtime/engine_control.h"

namespace {

const char* const updateText =
    "Failed loading this project, please update to the latest version. \n\rYou should use the "
    "Kelvane Update & Install utility to update your version.\n\rIf you click OK this utility "
    "will be started automatically.";

// Sets the file dialog's chooser program for the test's length.
class ChooserScope {
 public:
  explicit ChooserScope(const std::string& program) {
    setenv("KELVANE_FILE_CHOOSER", program.c_str(), 1);
  }
  ~ChooserScope() { unsetenv("KELVANE_FILE_CHOOSER"); }
  ChooserScope(const ChooserScope&) = delete;
  ChooserScope& operator=(const ChooserScope&) = delete;
};

class ProjectControlTest : public ProjectTest {
 protected:
  ProjectControlTest() {
    StartEngine();
    WriteStartGroup("s.cgr");
    WriteProject("good.kvn", "s.cgr", {}, {}, false);
    WriteProject("nogroup.kvn", "missing.cgr", {}, {}, false);
    WriteProject("new.kvn", "s.cgr", {}, {}, false, EngineInterfaceExt::interfaceID + 1);
    Stop();
    control.SetInstallDir(InstallDir().c_str());
    control.SetKelvaneRegKey("Software\\Kelvane\\ProjectControlTest");
  }

  // A chooser program that prints `output` and exits with `status`.
  std::string Chooser(const std::string& output, int status) const {
    const std::filesystem::path script = HostPath("chooser.sh");
    WriteBytes(script, "#!/bin/sh\nprintf '%s\\n' '" + output + "'\nexit " +
                           std::to_string(status) + "\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    return script.string();
  }

  bool UpdateBoxShown() const {
    for (const auto& box : boxCapture.boxes) {
      if (box.text == updateText && box.caption == "Kelvane Error") return true;
    }
    return false;
  }

  platform::HeadlessWindow window{32, 32};
  EngineControl control;
};

TEST_F(ProjectControlTest, ResultCodesFromTheCommandLine) {
  const struct {
    const char* project;
    int result;
  } cases[] = {
      {"good.kvn", EngineControl::projectLoaded},
      {"absent.kvn", EngineControl::projectRefused},
      {"new.kvn", EngineControl::projectNeedsUpdate},
      {"nogroup.kvn", EngineControl::startGroupMissing},
  };
  ASSERT_TRUE(control.InitEngine(nullptr, "Player", &window));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.project);
    boxCapture.boxes.clear();
    control.SetCommandLine(EnginePath(c.project).c_str());
    EXPECT_EQ(control.LoadProject(), c.result);
    EXPECT_EQ(UpdateBoxShown(), c.result == EngineControl::projectNeedsUpdate);
    EngineInterface* engineInterface = control.GetEngineInterface();
    if (c.result == EngineControl::projectLoaded) {
      EXPECT_EQ(control.startGroup, engineInterface->GetChannelGroup(0));
      EXPECT_NE(control.startGroup, nullptr);
    } else {
      EXPECT_EQ(engineInterface->GetChannelGroupCount() > 0 &&
                    engineInterface->GetChannelGroup(0) != nullptr,
                false);
    }
  }
}

TEST_F(ProjectControlTest, DialogChoosesTheProject) {
  ChooserScope chooser(Chooser(HostPath("good.kvn").string(), 0));
  ASSERT_TRUE(control.InitEngine(nullptr, "Player", &window));
  EXPECT_EQ(control.LoadProject(), EngineControl::projectLoaded);
  EXPECT_NE(control.startGroup, nullptr);
}

// Restores one environment value after the test.
class EnvironmentScope {
 public:
  explicit EnvironmentScope(const char* name) : name(name) {
    if (const char* value = std::getenv(name)) previous = value;
    had = std::getenv(name) != nullptr;
  }
  ~EnvironmentScope() {
    if (had) {
      setenv(name, previous.c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  EnvironmentScope(const EnvironmentScope&) = delete;
  EnvironmentScope& operator=(const EnvironmentScope&) = delete;

 private:
  const char* name;
  std::string previous;
  bool had = false;
};

TEST_F(ProjectControlTest, NoChosenFileMeansNoProject) {
  EnvironmentScope display("DISPLAY");
  EnvironmentScope wayland("WAYLAND_DISPLAY");
  const std::string tooLong = "/" + std::string(300, 'x') + ".kvn";
  const struct {
    const char* name;
    const char* chooser;  // null: none injected
    std::string output;
    int status;
  } cases[] = {
      {"cancelled chooser", "script", HostPath("good.kvn").string(), 1},
      {"empty answer", "script", "", 0},
      {"path too long for the buffer", "script", tooLong, 0},
      {"no chooser", "", "", 0},
      {"no display and nothing injected", nullptr, "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    std::unique_ptr<ChooserScope> chooser;
    if (c.chooser != nullptr) {
      chooser = std::make_unique<ChooserScope>(
          c.chooser[0] != '\0' ? Chooser(c.output, c.status) : std::string());
    }
    EngineControl fresh;
    fresh.SetInstallDir(InstallDir().c_str());
    ASSERT_TRUE(fresh.InitEngine(nullptr, "Player", &window));
    EXPECT_EQ(fresh.LoadProject(), EngineControl::noProjectFile);
  }
}

}  // namespace
