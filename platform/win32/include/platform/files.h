// File queries and whole-file reads and writes on engine (Windows-form) paths.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr uint32_t fileAttributeReadOnly = 0x01;
inline constexpr uint32_t fileAttributeDirectory = 0x10;
inline constexpr uint32_t fileAttributeNormal = 0x80;

// True when a file or folder exists at the path.
bool fileExists(std::string_view enginePath);

// The attribute bits of a file or folder; read-only when its owner may not write it.
// Nullopt when there is none (lastError() set).
std::optional<uint32_t> fileAttributes(std::string_view enginePath);

std::optional<std::vector<uint8_t>> readWholeFile(std::string_view enginePath);

// Replaces the file's whole content: written to a temporary file beside it, flushed and
// renamed over it, so a failure at any step leaves the previous file as it was.
bool writeWholeFile(std::string_view enginePath, std::span<const uint8_t> data);

// Appends to the file, creating it when absent.
bool appendToFile(std::string_view enginePath, std::span<const uint8_t> data);

struct DirectoryListing {
  std::vector<std::string> files;    // names only, sorted
  std::vector<std::string> folders;  // names only, sorted, without "." and ".."
};
std::optional<DirectoryListing> listDirectory(std::string_view enginePath);

// The steps of writeWholeFile; tests make one of them fail to check the previous file stays.
enum class WriteStep { none, create, write, flush, rename };
void failWholeFileWritesAt(WriteStep step);

}  // namespace platform
