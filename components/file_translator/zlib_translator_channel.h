// Hux_ZlibTranslatorChannel: a file translator whose container holds one zlib stream.
// After the ZMTF header with this type's GUID come the blocks "ZLSZ" (int32: size of the
// original data) and "ZLDT" (the compressed bytes). WriteTranslated writes that form into a
// saver opened on a file (the scene tool's way to write compressed group and project files).
#pragma once

#include "runtime/project_loader_channels.h"

inline constexpr GUID zlibTranslatorTypeGuid{
    0x2F8B6D14, 0x3C9A, 0x4E57, {0xA1, 0xD0, 0x7B, 0x6E, 0x5C, 0x4F, 0x3A, 0x29}};

class Hux_ZlibTranslatorChannel : public Zyl_FileTranslatorChannel {
 public:
  // Largest original data a container may declare (bytes); larger ones are refused.
  static constexpr int maxTranslatedSize = 256 * 1024 * 1024;

  static ChannelType Type();

  ChannelType GetChannelType() override;
  bool TranslateFile(ZylFileLoader* loader) override;
  bool WriteTranslated(const char* data, int size, ZylFileSaver* saver) override;

 private:
  // Reports the failure, empties the loader and gives false.
  bool Fail(ZylFileLoader* loader, const char* text);
};
