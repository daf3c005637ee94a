// Hux_FileSaverChannel: the stream is written through the platform's whole-file write
// (temporary file and rename), so a failed save leaves the previous file as it was.
#include "file_saver_channel.h"

#include <climits>
#include <cstring>

#include "platform/files.h"
#include "runtime/engine_interface.h"
#include "tag_encoding.h"

namespace {

// The folder part of an engine path, or "" for a bare name.
std::string FolderOf(const std::string& path) {
  size_t last = path.find_last_of("\\/");
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

}  // namespace

ChannelType Hux_FileSaverChannel::Type() {
  ChannelType type;
  std::strcpy(type.name, "File Saver");
  type.guid = fileSaverTypeGuid;
  return type;
}

ChannelType Hux_FileSaverChannel::GetChannelType() { return Type(); }

void Hux_FileSaverChannel::Report(const char* text, const char* detail) {
  if (engineInterface != nullptr) engineInterface->errorMessage(text, detail);
}

bool Hux_FileSaverChannel::OpenSaveFile(const char* path, bool append) {
  target = Target::none;
  content.clear();
  fileName.clear();
  if (path == nullptr || path[0] == '\0') return false;
  std::string name = path;
  std::string folder = FolderOf(name);
  if (!folder.empty()) {
    auto folderAttributes = platform::fileAttributes(folder);
    if (!folderAttributes || !(*folderAttributes & platform::fileAttributeDirectory)) return false;
  }
  auto fileAttributes = platform::fileAttributes(name);
  if (fileAttributes && (*fileAttributes & (platform::fileAttributeReadOnly |
                                            platform::fileAttributeDirectory))) {
    return false;
  }
  if (append && fileAttributes) {
    auto previous = platform::readWholeFile(name);
    if (!previous) return false;
    content = std::move(*previous);
  }
  fileName = name;
  target = Target::file;
  return true;
}

int Hux_FileSaverChannel::Append(const void* data, size_t size) {
  if (target == Target::none || (data == nullptr && size > 0)) return 0;
  if (size > static_cast<size_t>(INT_MAX) || content.size() > static_cast<size_t>(INT_MAX) - size) {
    return 0;
  }
  const auto* bytes = static_cast<const uint8_t*>(data);
  content.insert(content.end(), bytes, bytes + size);
  return static_cast<int>(size);
}

int Hux_FileSaverChannel::SaveTag(const char* tag) {
  if (tag == nullptr || std::strlen(tag) < tagvault::tagSize) return 0;
  return Append(tag, tagvault::tagSize);
}

int Hux_FileSaverChannel::SaveBlockSize(unsigned long size) {
  if (size > UINT32_MAX) return 0;
  uint8_t field[tagvault::sizeFieldSize];
  tagvault::WriteLittleEndian32(static_cast<uint32_t>(size), field);
  return Append(field, sizeof field);
}

int Hux_FileSaverChannel::SaveDataToFile(const void* data, unsigned long size) {
  return Append(data, size);
}

bool Hux_FileSaverChannel::CloseSaveFile() {
  if (target != Target::file) return false;
  target = Target::none;
  bool written = platform::writeWholeFile(fileName, content);
  if (!written) Report("Hux_FileSaverChannel::CloseSaveFile: Error writing file:", fileName.c_str());
  content.clear();
  return written;
}

const char* Hux_FileSaverChannel::GetSaveingFileName() {
  return fileName.empty() ? nullptr : fileName.c_str();
}

bool Hux_FileSaverChannel::OpenMemory() {
  content.clear();
  fileName.clear();
  target = Target::memory;
  return true;
}

// The written bytes stay readable through GetBuffer until the next open.
void Hux_FileSaverChannel::CloseMemory() {
  if (target == Target::memory) target = Target::none;
}

const char* Hux_FileSaverChannel::GetBuffer() {
  return reinterpret_cast<const char*>(content.data());
}

int Hux_FileSaverChannel::GetBufferSize() { return static_cast<int>(content.size()); }
