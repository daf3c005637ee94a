// Fixed blocks of channel records and group files: little-endian integers, GUIDs, texts.
#include "graph/record_blocks.h"

#include <cstring>

#include "graph/record_file_forms.h"
#include "graph/zyl_file_loader.h"
#include "graph/zyl_file_saver.h"

void SaveBlock(ZylFileSaver& saver, const char* tag, const void* data, unsigned long size) {
  saver.SaveTag(tag);
  saver.SaveBlockSize(size);
  if (size > 0) saver.SaveDataToFile(data, size);
}

void SaveInt32Block(ZylFileSaver& saver, const char* tag, int32_t value) {
  uint8_t bytes[4];
  Int32ToFile(value, bytes);
  SaveBlock(saver, tag, bytes, sizeof bytes);
}

void SaveGuidBlock(ZylFileSaver& saver, const char* tag, const GUID& guid) {
  uint8_t bytes[guidFileSize];
  GuidToFile(guid, bytes);
  SaveBlock(saver, tag, bytes, sizeof bytes);
}

void SaveTextBlock(ZylFileSaver& saver, const char* tag, const char* text) {
  if (text == nullptr) text = "";
  SaveBlock(saver, tag, text, static_cast<unsigned long>(std::strlen(text) + 1));
}

BlockRead LoadExactBlock(ZylFileLoader& loader, const char* tag, void* data, size_t size) {
  if (!loader.GetInfoIfTag(tag)) return BlockRead::missing;
  if (loader.GetSizeDataBlock(false) != size) return BlockRead::bad;
  return loader.CopyTagDataToPointer(data, size) ? BlockRead::read : BlockRead::bad;
}

BlockRead LoadInt32Block(ZylFileLoader& loader, const char* tag, int32_t* value) {
  uint8_t bytes[4];
  BlockRead result = LoadExactBlock(loader, tag, bytes, sizeof bytes);
  if (result == BlockRead::read) *value = Int32FromFile(bytes);
  return result;
}

BlockRead LoadGuidBlock(ZylFileLoader& loader, const char* tag, GUID* guid) {
  uint8_t bytes[guidFileSize];
  BlockRead result = LoadExactBlock(loader, tag, bytes, sizeof bytes);
  if (result == BlockRead::read) *guid = GuidFromFile(bytes);
  return result;
}

BlockRead LoadTextBlock(ZylFileLoader& loader, const char* tag, std::string* text) {
  if (!loader.GetInfoIfTag(tag)) return BlockRead::missing;
  const unsigned long size = loader.GetSizeDataBlock(false);
  std::string bytes(size, '\0');
  if (!loader.CopyTagDataToPointer(bytes.data(), size)) return BlockRead::bad;
  text->assign(bytes.c_str());
  return BlockRead::read;
}
