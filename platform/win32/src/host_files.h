// Whole-file operations on host paths, shared by the engine-path file functions and the
// registry store.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::detail {

std::optional<std::vector<uint8_t>> readHostFile(const std::string& hostPath);
bool writeHostFileAtomically(const std::string& hostPath, std::span<const uint8_t> data);
// Creates the folder and its parents.
bool createHostFolders(const std::string& hostPath);
void setLastErrorFromErrno(int error);

}  // namespace platform::detail
