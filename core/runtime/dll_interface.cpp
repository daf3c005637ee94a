// DllInterface and the exported globals it reads.
#include "runtime/dll_interface.h"

HINSTANCE globalDllInstance = nullptr;
EngineInterface* globalEngine = nullptr;

DllInterface::DllInterface() : module(globalDllInstance), engineInterface(globalEngine) {}

DllInterface::~DllInterface() = default;
