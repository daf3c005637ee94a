// The operations the runtime calls on two outside channel types: the file dialog that
// chooses a project file, and file translators named by ZMTF headers. Their libraries
// derive from these classes; the runtime reaches them by dynamic_cast after creation.
#pragma once

#include "graph/zyl_channel.h"

class ZylFileLoader;
class ZylFileSaver;

inline constexpr GUID fileDialogTypeGuid{
    0xFCC8E640, 0xD7EB, 0x45B1, {0xB9, 0x0A, 0x28, 0x4F, 0xB6, 0xC7, 0xD8, 0x3E}};

// Characters of the path buffer the file dialog fills, terminator included.
inline constexpr int fileDialogPathSize = 260;

class Zyl_FileDialogChannel : public Zyl_Channel {
 public:
  ~Zyl_FileDialogChannel() override;
  // Fills `path` (fileDialogPathSize characters) with the chosen file in engine form, or
  // leaves it empty when nothing was chosen.
  virtual void OpenFileDialog(const char* filter, const char* defaultExtension, char* path) = 0;
};

class Zyl_FileTranslatorChannel : public Zyl_Channel {
 public:
  ~Zyl_FileTranslatorChannel() override;
  // Receives the loader placed right after this type's ZMTF block and replaces the
  // loader's buffer by the translated data. False (with a message) when the data cannot be
  // translated; the loader then holds an empty buffer.
  virtual bool TranslateFile(ZylFileLoader* loader) = 0;
  // Writes `size` bytes into the open saver in this translator's form, its ZMTF header
  // first, and closes the saver. False when nothing could be written.
  virtual bool WriteTranslated(const char* data, int size, ZylFileSaver* saver) = 0;
};
