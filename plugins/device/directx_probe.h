// The DirectX version probe: a short-lived walk over the system's DirectX components that
// answers with a version code (0 none, 0x100 ... 0x800, 0x801 for 8.1 or better).
#pragma once

// The objects the probe creates or queries, in probing order.
enum class ProbeObject {
  directDraw,
  directDraw2,
  cooperativeLevel,
  primarySurface,
  surface3,
  surface4,
  directMusic,
  directDraw7,
};

// What the probe asks of the system. Each answer is true when the step succeeds; what was
// obtained is handed back through FreeLibrary and Release before the probe returns.
class DirectXProbeSystem {
 public:
  virtual ~DirectXProbeSystem() = default;
  virtual bool LoadLibrary(const char* fileName) = 0;
  virtual void FreeLibrary(const char* fileName) = 0;
  virtual bool HasExport(const char* fileName, const char* exportName) = 0;
  virtual bool Obtain(ProbeObject object) = 0;
  virtual void Release(ProbeObject object) = 0;
  // The operating system's debug output, where the probe writes its reasons.
  virtual void DebugOutput(const char* text) = 0;
};

int ProbeDirectXVersion(DirectXProbeSystem& system);

// The platform's answers. The platform stands in for the DirectX runtime of an 8.1
// system as a whole (its graphics device is the Direct3D 8 interface, the other services
// come from the platform layer), so every library, export and object counts as present;
// no file is loaded, since none of the probed file names exists here.
DirectXProbeSystem& PlatformProbeSystem();
