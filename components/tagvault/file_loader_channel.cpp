// Hux_FileLoaderChannel: files are read whole into memory; every read is bounded by the
// buffer and by the caller's destination.
#include "file_loader_channel.h"

#include <climits>
#include <cstring>

#include "platform/files.h"
#include "runtime/engine_interface.h"
#include "tag_encoding.h"

ChannelType Hux_FileLoaderChannel::Type() {
  ChannelType type;
  std::strcpy(type.name, "File Loader");
  type.guid = fileLoaderTypeGuid;
  return type;
}

ChannelType Hux_FileLoaderChannel::GetChannelType() { return Type(); }

void Hux_FileLoaderChannel::Report(const char* text, const char* detail) {
  if (engineInterface == nullptr) return;
  if (detail != nullptr) {
    engineInterface->errorMessage(text, detail);
  } else {
    engineInterface->errorMessage(text);
  }
}

bool Hux_FileLoaderChannel::LoadFile(const char* path) {
  reader.Clear();
  attributes = 0;
  if (path == nullptr) return false;
  auto content = platform::readWholeFile(path);
  if (!content) return false;
  if (content->size() > static_cast<size_t>(INT_MAX)) {
    Report("Hux_FileLoaderChannel::LoadFile: File too large:", path);
    return false;
  }
  reader.Take(std::move(*content));
  attributes = platform::fileAttributes(path).value_or(0);
  return true;
}

void Hux_FileLoaderChannel::SetBuffer(char* data, int size, bool keepCopy) {
  attributes = 0;
  if (data == nullptr || size <= 0) {
    reader.Clear();
    return;
  }
  reader.Assign(reinterpret_cast<const uint8_t*>(data), static_cast<size_t>(size), keepCopy);
}

void Hux_FileLoaderChannel::SetBufferChar(const char* text) {
  attributes = 0;
  if (text == nullptr) {
    reader.Clear();
    return;
  }
  reader.Assign(reinterpret_cast<const uint8_t*>(text), std::strlen(text), true);
}

bool Hux_FileLoaderChannel::CheckHeader(const char* tag, bool enter) {
  return reader.CheckHeader(tag, enter);
}

bool Hux_FileLoaderChannel::GetInfoIfTag(const char* tag) { return reader.MatchTag(tag); }

unsigned long Hux_FileLoaderChannel::GetSizeDataBlock(bool enter) {
  auto block = reader.CurrentBlock();
  if (!block) return 0;
  if (enter) reader.Enter(*block);
  return block->size;
}

bool Hux_FileLoaderChannel::CopyTagDataToPointer(void* destination,
                                                 unsigned long destinationSize) {
  auto block = reader.CurrentBlock();
  if (!block) {
    Report("Hux_FileLoaderChannel::CopyTagDataToPointer: No data block at the reading position");
    return false;
  }
  if (block->size > destinationSize || (destination == nullptr && block->size > 0)) {
    Report("Hux_FileLoaderChannel::CopyTagDataToPointer: Data block larger than its destination");
    return false;
  }
  if (block->size > 0) std::memcpy(destination, reader.Data() + block->data, block->size);
  reader.MovePast(*block);
  return true;
}

const char* Hux_FileLoaderChannel::GetBuffer() {
  return reinterpret_cast<const char*>(reader.AtPosition());
}

void Hux_FileLoaderChannel::AddBufferPos(int n) { reader.Move(n); }
int Hux_FileLoaderChannel::GetBufferSize() { return static_cast<int>(reader.Size()); }
unsigned long Hux_FileLoaderChannel::GetAttributes() { return attributes; }

int Hux_FileLoaderChannel::GetCRC() {
  return static_cast<int>(tagvault::Crc32(reader.Data(), reader.Size()));
}

// Files are always read whole; there is no block size to tune.
void Hux_FileLoaderChannel::SetBlockSize(unsigned long) {}
void Hux_FileLoaderChannel::ResetPosition() { reader.Rewind(); }

bool Hux_FileLoaderChannel::GetTagData(char* tag) {
  if (tag == nullptr || reader.Size() - reader.Position() < tagvault::tagSize) return false;
  std::memcpy(tag, reader.AtPosition(), tagvault::tagSize);
  tag[tagvault::tagSize] = '\0';
  return true;
}

bool Hux_FileLoaderChannel::GotoTag(const char* tag) { return reader.FindTag(tag); }
bool Hux_FileLoaderChannel::GetIfEndOfFile() { return reader.Position() >= reader.Size(); }

void Hux_FileLoaderChannel::SkipCurrentTag() {
  if (auto block = reader.CurrentBlock()) reader.MovePast(*block);
}

// Addresses are remembered only: this loader reads local files and memory.
void Hux_FileLoaderChannel::SetURL(const char* address) { url = address ? address : ""; }
bool Hux_FileLoaderChannel::CheckULRCache(const char*) { return false; }
bool Hux_FileLoaderChannel::SaveURLToCache(const char*) { return false; }
const char* Hux_FileLoaderChannel::GetChacheFileNameFromURL(const char*) { return nullptr; }
void Hux_FileLoaderChannel::StopLoading() {}
