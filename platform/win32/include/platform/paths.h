// Windows-form engine paths and their host (POSIX) counterparts, and the current directory.
//
// Inside the engine a path has a drive and '\' separators. Drive Z: is the host's root
// (Z:\home\a is /home/a); a path without drive is relative to the current directory and
// "\a" is relative to the root. '/' is accepted as a separator and repeated separators
// count as one. Other drives and network paths ("\\server\share") have no host counterpart.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The host form of an engine path, by text only; nullopt when it has no host counterpart.
std::optional<std::string> toHostPath(std::string_view enginePath);

// The host path of an engine path as found on disk: each component that does not exist
// with this exact spelling is matched case-insensitively in its folder; components that
// match nothing are kept as written (so a path to be created resolves its folders).
std::optional<std::string> resolveHostPath(std::string_view enginePath);

// The engine form of a host path: absolute paths gain drive Z:, '/' becomes '\'.
std::string toEnginePath(std::string_view hostPath);

// The current directory in engine form, without trailing '\' except for the root ("Z:\").
std::string currentDirectory();
bool setCurrentDirectory(std::string_view enginePath);

}  // namespace platform
