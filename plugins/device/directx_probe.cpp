// The DirectX version probe, its steps in the order of the codes they yield.
#include "directx_probe.h"

#include <vector>

#include "platform/messages.h"

namespace {

// Remembers what the probe obtained and hands it all back when the probe ends.
class ProbeRun {
 public:
  explicit ProbeRun(DirectXProbeSystem& system) : system_(system) {}
  ~ProbeRun() {
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) system_.Release(*it);
    for (auto it = libraries_.rbegin(); it != libraries_.rend(); ++it) system_.FreeLibrary(*it);
  }
  ProbeRun(const ProbeRun&) = delete;
  ProbeRun& operator=(const ProbeRun&) = delete;

  bool Load(const char* fileName) {
    if (!system_.LoadLibrary(fileName)) return false;
    libraries_.push_back(fileName);
    return true;
  }
  bool Obtain(ProbeObject object) {
    if (!system_.Obtain(object)) return false;
    objects_.push_back(object);
    return true;
  }
  bool HasExport(const char* fileName, const char* exportName) {
    return system_.HasExport(fileName, exportName);
  }
  // Writes the reason and gives the code back, so a failing step reads as one statement.
  int Fail(const char* reason, int code) {
    if (reason != nullptr) system_.DebugOutput(reason);
    return code;
  }

 private:
  DirectXProbeSystem& system_;
  std::vector<ProbeObject> objects_;
  std::vector<const char*> libraries_;
};

class PlatformProbe : public DirectXProbeSystem {
 public:
  bool LoadLibrary(const char*) override { return true; }
  void FreeLibrary(const char*) override {}
  bool HasExport(const char*, const char*) override { return true; }
  bool Obtain(ProbeObject) override { return true; }
  void Release(ProbeObject) override {}
  void DebugOutput(const char* text) override { platform::debugOutput(text); }
};

}  // namespace

int ProbeDirectXVersion(DirectXProbeSystem& system) {
  ProbeRun run(system);
  if (!run.Load("DDRAW.DLL")) return 0;
  if (!run.HasExport("DDRAW.DLL", "DirectDrawCreate")) {
    return run.Fail("Couldn't LoadLibrary DDraw\r\n", 0);
  }
  if (!run.Obtain(ProbeObject::directDraw)) return run.Fail("Couldn't create DDraw\r\n", 0);
  if (!run.Obtain(ProbeObject::directDraw2)) return run.Fail("Couldn't QI DDraw2\r\n", 0x100);
  if (!run.Load("DINPUT.DLL")) return run.Fail("Couldn't LoadLibrary DInput\r\n", 0x200);
  if (!run.HasExport("DINPUT.DLL", "DirectInputCreateA")) {
    return run.Fail("Couldn't GetProcAddress DInputCreate\r\n", 0x200);
  }
  if (!run.Obtain(ProbeObject::cooperativeLevel)) {
    return run.Fail("Couldn't Set coop level\r\n", 0);
  }
  if (!run.Obtain(ProbeObject::primarySurface)) return run.Fail("Couldn't CreateSurface\r\n", 0);
  if (!run.Obtain(ProbeObject::surface3)) return 0x300;
  if (!run.Obtain(ProbeObject::surface4)) return 0x500;
  if (!run.Obtain(ProbeObject::directMusic)) {
    return run.Fail("Couldn't create CLSID_DirectMusic\r\n", 0x600);
  }
  if (!run.HasExport("DDRAW.DLL", "DirectDrawCreateEx") || !run.Obtain(ProbeObject::directDraw7)) {
    return 0x601;
  }
  if (!run.Load("D3D8.DLL")) return 0x700;
  if (!run.Load("dpnhpast.dll")) return run.Fail("Couldn't LoadLibrary dpnhpast.dll\r\n", 0x800);
  return 0x801;
}

DirectXProbeSystem& PlatformProbeSystem() {
  static PlatformProbe probe;
  return probe;
}
