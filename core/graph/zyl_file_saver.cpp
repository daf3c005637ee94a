// ZylFileSaver forwarding to its component channel.
#include "graph/zyl_file_saver.h"

#include "graph/zyl_file_component.h"

ZylFileSaver::ZylFileSaver() : engineInterface(globalEngine) {
  saver = CreateFileComponent<Zyl_FileSaverChannel>(engineInterface, fileSaverTypeGuid,
                                                    "File loader class not found");
}

ZylFileSaver::ZylFileSaver(EngineInterface* engine) : engineInterface(engine) {
  saver = CreateFileComponent<Zyl_FileSaverChannel>(
      engine, fileSaverTypeGuid, "ZylFileSaver::ZylFileSaver: File loader class not found");
}

ZylFileSaver::ZylFileSaver(EngineInterface* engine, Zyl_FileSaverChannel* component)
    : engineInterface(engine), saver(component) {}

ZylFileSaver::~ZylFileSaver() { delete saver; }

bool ZylFileSaver::OpenMemory() { return saver && saver->OpenMemory(); }
void ZylFileSaver::CloseMemory() {
  if (saver) saver->CloseMemory();
}
const char* ZylFileSaver::GetBuffer() { return saver ? saver->GetBuffer() : nullptr; }
int ZylFileSaver::GetBufferSize() { return saver ? saver->GetBufferSize() : 0; }
bool ZylFileSaver::OpenSaveFile(const char* path, bool append) {
  return saver && saver->OpenSaveFile(path, append);
}
int ZylFileSaver::SaveTag(const char* tag) { return saver ? saver->SaveTag(tag) : 0; }
int ZylFileSaver::SaveBlockSize(unsigned long size) {
  return saver ? saver->SaveBlockSize(size) : 0;
}
int ZylFileSaver::SaveDataToFile(const void* data, unsigned long size) {
  return saver ? saver->SaveDataToFile(data, size) : 0;
}
bool ZylFileSaver::CloseSaveFile() { return saver && saver->CloseSaveFile(); }
const char* ZylFileSaver::GetSaveingFileName() {
  return saver ? saver->GetSaveingFileName() : nullptr;
}
