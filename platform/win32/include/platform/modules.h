// Loading libraries by bare file name through the engine's search path, symbol lookup, free.
#pragma once

#include <string>
#include <string_view>

namespace platform {

struct Module;
// A loaded library; loading the same file again gives the same handle (counted).
using ModuleHandle = Module*;

// The process search path: Windows-form folders separated by ';' (the engine's "PATH").
// It starts empty; the engine extends it at start-up.
std::string environmentPath();
void setEnvironmentPath(std::string_view value);

// Loads a library. A bare file name is looked up in each folder of the search path in
// order (the first folder holding it wins), then by the system loader; a name with a
// folder is loaded from there. Null on failure, with lastError() set (errorModuleNotFound
// when no file was found) and the loader's own text kept for lastModuleErrorText().
ModuleHandle loadModule(std::string_view fileName);

// The address of an exported symbol, or null (lastError() = errorProcedureNotFound).
void* moduleSymbol(ModuleHandle module, const char* name);

// Releases one load of the library; false for a null or unknown handle.
bool freeModule(ModuleHandle module);

// The loader's text of this thread's last failed load or lookup ("" when none).
std::string lastModuleErrorText();

}  // namespace platform
