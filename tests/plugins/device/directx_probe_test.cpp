// The DirectX version probe: each failing step gives its code and its debug text, and
// whatever the probe obtained is handed back.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "directx_probe.h"

namespace {

// A system where one library, export or object is missing.
class MissingOne : public DirectXProbeSystem {
 public:
  std::string missingLibrary, missingExport;
  std::optional<ProbeObject> missingObject;

  bool LoadLibrary(const char* fileName) override {
    if (missingLibrary == fileName) return false;
    ++loadedLibraries;
    return true;
  }
  void FreeLibrary(const char*) override { --loadedLibraries; }
  bool HasExport(const char*, const char* exportName) override {
    return missingExport != exportName;
  }
  bool Obtain(ProbeObject object) override {
    if (missingObject == object) return false;
    ++heldObjects;
    return true;
  }
  void Release(ProbeObject) override { --heldObjects; }
  void DebugOutput(const char* text) override { output.push_back(text); }

  int loadedLibraries = 0;
  int heldObjects = 0;
  std::vector<std::string> output;
};

struct ProbeCase {
  const char* library;
  const char* exportName;
  std::optional<ProbeObject> object;
  int code;
  const char* reason;  // null: nothing written
};

class ProbeTest : public testing::TestWithParam<ProbeCase> {};

TEST_P(ProbeTest, FirstFailureDecidesTheCode) {
  const ProbeCase& c = GetParam();
  MissingOne system;
  system.missingLibrary = c.library;
  system.missingExport = c.exportName;
  system.missingObject = c.object;
  EXPECT_EQ(ProbeDirectXVersion(system), c.code);
  std::vector<std::string> expected;
  if (c.reason != nullptr) expected.push_back(c.reason);
  EXPECT_EQ(system.output, expected);
  EXPECT_EQ(system.loadedLibraries, 0);
  EXPECT_EQ(system.heldObjects, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ProbeTest,
    testing::Values(
        ProbeCase{"DDRAW.DLL", "", {}, 0, nullptr},
        ProbeCase{"", "DirectDrawCreate", {}, 0, "Couldn't LoadLibrary DDraw\r\n"},
        ProbeCase{"", "", ProbeObject::directDraw, 0, "Couldn't create DDraw\r\n"},
        ProbeCase{"", "", ProbeObject::directDraw2, 0x100, "Couldn't QI DDraw2\r\n"},
        ProbeCase{"DINPUT.DLL", "", {}, 0x200, "Couldn't LoadLibrary DInput\r\n"},
        ProbeCase{"", "DirectInputCreateA", {}, 0x200, "Couldn't GetProcAddress DInputCreate\r\n"},
        ProbeCase{"", "", ProbeObject::cooperativeLevel, 0, "Couldn't Set coop level\r\n"},
        ProbeCase{"", "", ProbeObject::primarySurface, 0, "Couldn't CreateSurface\r\n"},
        ProbeCase{"", "", ProbeObject::surface3, 0x300, nullptr},
        ProbeCase{"", "", ProbeObject::surface4, 0x500, nullptr},
        ProbeCase{"", "", ProbeObject::directMusic, 0x600, "Couldn't create CLSID_DirectMusic\r\n"},
        ProbeCase{"", "DirectDrawCreateEx", {}, 0x601, nullptr},
        ProbeCase{"", "", ProbeObject::directDraw7, 0x601, nullptr},
        ProbeCase{"D3D8.DLL", "", {}, 0x700, nullptr},
        ProbeCase{"dpnhpast.dll", "", {}, 0x800, "Couldn't LoadLibrary dpnhpast.dll\r\n"},
        ProbeCase{"", "", {}, 0x801, nullptr}));

TEST(PlatformProbe, ThePlatformAnswersAsDirectX81) {
  EXPECT_EQ(ProbeDirectXVersion(PlatformProbeSystem()), 0x801);
}

}  // namespace
