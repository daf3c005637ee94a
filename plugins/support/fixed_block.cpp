// Fixed-size tagged blocks.
#include "fixed_block.h"

#include "runtime/engine_interface.h"

bool SaveFixedBlock(ZylFileSaver& saver, const char* tag, const void* data, unsigned long size) {
  return saver.SaveTag(tag) > 0 && saver.SaveBlockSize(size) > 0 &&
         (size == 0 || saver.SaveDataToFile(data, size) > 0);
}

BlockRead LoadFixedBlock(ZylFileLoader& loader, const char* tag, void* data, unsigned long size) {
  if (!loader.GetInfoIfTag(tag)) return BlockRead::missing;
  if (loader.GetSizeDataBlock(false) != size) {
    if (loader.engineInterface != nullptr) {
      loader.engineInterface->errorMessage("Block of the wrong size:", tag);
    }
    return BlockRead::invalid;
  }
  return loader.CopyTagDataToPointer(data, size) ? BlockRead::read : BlockRead::invalid;
}
