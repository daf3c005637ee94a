// Hux_ZlibTranslatorChannel: inflates the container into the loader's buffer and writes
// containers. The declared size bounds the memory used; the stream must fill it exactly.
#include "zlib_translator_channel.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "graph/zyl_file_loader.h"
#include "graph/zyl_file_saver.h"
#include "runtime/engine_interface.h"

namespace {

constexpr const char* sizeTag = "ZLSZ";
constexpr const char* dataTag = "ZLDT";

}  // namespace

ChannelType Hux_ZlibTranslatorChannel::Type() {
  ChannelType type;
  std::strcpy(type.name, "Zlib File Translator");
  type.guid = zlibTranslatorTypeGuid;
  return type;
}

ChannelType Hux_ZlibTranslatorChannel::GetChannelType() { return Type(); }

bool Hux_ZlibTranslatorChannel::Fail(ZylFileLoader* loader, const char* text) {
  if (engineInterface != nullptr) engineInterface->errorMessage(text);
  loader->SetBuffer(nullptr, 0, true);
  return false;
}

bool Hux_ZlibTranslatorChannel::TranslateFile(ZylFileLoader* loader) {
  if (loader == nullptr) return false;
  uint8_t sizeField[4] = {};
  if (!loader->GetInfoIfTag(sizeTag) || loader->GetSizeDataBlock(false) != sizeof sizeField ||
      !loader->CopyTagDataToPointer(sizeField, sizeof sizeField)) {
    return Fail(loader, "Hux_ZlibTranslatorChannel::TranslateFile: No size block");
  }
  const uint32_t size = static_cast<uint32_t>(sizeField[0]) | sizeField[1] << 8 |
                        sizeField[2] << 16 | static_cast<uint32_t>(sizeField[3]) << 24;
  if (size == 0 || size > static_cast<uint32_t>(maxTranslatedSize)) {
    return Fail(loader, "Hux_ZlibTranslatorChannel::TranslateFile: Size out of range");
  }
  if (!loader->GetInfoIfTag(dataTag)) {
    return Fail(loader, "Hux_ZlibTranslatorChannel::TranslateFile: No data block");
  }
  const unsigned long compressedSize = loader->GetSizeDataBlock(true);
  const char* compressed = loader->GetBuffer();
  if (compressedSize == 0 || compressed == nullptr) {
    return Fail(loader, "Hux_ZlibTranslatorChannel::TranslateFile: No data block");
  }

  std::vector<char> translated(size);
  uLongf produced = size;
  const int status = uncompress(reinterpret_cast<Bytef*>(translated.data()), &produced,
                                reinterpret_cast<const Bytef*>(compressed), compressedSize);
  if (status != Z_OK || produced != size) {
    return Fail(loader, "Hux_ZlibTranslatorChannel::TranslateFile: Corrupt compressed data");
  }
  loader->SetBuffer(translated.data(), static_cast<int>(size), true);
  return true;
}

bool Hux_ZlibTranslatorChannel::WriteTranslated(const char* data, int size, ZylFileSaver* saver) {
  if (saver == nullptr || data == nullptr || size <= 0 || size > maxTranslatedSize) return false;
  uLongf compressedSize = compressBound(static_cast<uLong>(size));
  std::vector<Bytef> compressed(compressedSize);
  if (compress2(compressed.data(), &compressedSize, reinterpret_cast<const Bytef*>(data),
                static_cast<uLong>(size), Z_BEST_COMPRESSION) != Z_OK) {
    return false;
  }
  const uint32_t original = static_cast<uint32_t>(size);
  const uint8_t sizeField[4] = {static_cast<uint8_t>(original), static_cast<uint8_t>(original >> 8),
                                static_cast<uint8_t>(original >> 16),
                                static_cast<uint8_t>(original >> 24)};
  const GUID type = zlibTranslatorTypeGuid;
  bool written = saver->SaveTag("ZMTF") > 0 && saver->SaveBlockSize(sizeof type) > 0 &&
                 saver->SaveDataToFile(&type, sizeof type) > 0 && saver->SaveTag(sizeTag) > 0 &&
                 saver->SaveBlockSize(sizeof sizeField) > 0 &&
                 saver->SaveDataToFile(sizeField, sizeof sizeField) > 0 &&
                 saver->SaveTag(dataTag) > 0 && saver->SaveBlockSize(compressedSize) > 0 &&
                 saver->SaveDataToFile(compressed.data(), compressedSize) > 0;
  // Closed in any case so that the saver never keeps a half-written file open.
  const bool closed = saver->CloseSaveFile();
  return written && closed;
}
