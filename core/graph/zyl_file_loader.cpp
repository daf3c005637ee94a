// ZylFileLoader forwarding to its component channel.
#include "graph/zyl_file_loader.h"

#include "graph/zyl_file_component.h"

ZylFileLoader::ZylFileLoader() : engineInterface(globalEngine) {
  loader = CreateFileComponent<Zyl_FileLoaderChannel>(engineInterface, fileLoaderTypeGuid,
                                                      "File loader class not found");
}

ZylFileLoader::ZylFileLoader(EngineInterface* engine) : engineInterface(engine) {
  loader = CreateFileComponent<Zyl_FileLoaderChannel>(
      engine, fileLoaderTypeGuid, "ZylFileLoader::ZylFileLoader: File loader class not found");
}

ZylFileLoader::ZylFileLoader(EngineInterface* engine, Zyl_FileLoaderChannel* component)
    : engineInterface(engine), loader(component) {}

ZylFileLoader::~ZylFileLoader() { delete loader; }

bool ZylFileLoader::LoadFile(const char* path) { return loader && loader->LoadFile(path); }
void ZylFileLoader::SetBuffer(char* data, int size, bool keepCopy) {
  if (loader) loader->SetBuffer(data, size, keepCopy);
}
bool ZylFileLoader::CheckHeader(const char* tag, bool enter) {
  return loader && loader->CheckHeader(tag, enter);
}
bool ZylFileLoader::GetInfoIfTag(const char* tag) { return loader && loader->GetInfoIfTag(tag); }
unsigned long ZylFileLoader::GetSizeDataBlock(bool enter) {
  return loader ? loader->GetSizeDataBlock(enter) : 0;
}
bool ZylFileLoader::CopyTagDataToPointer(void* destination, unsigned long destinationSize) {
  return loader && loader->CopyTagDataToPointer(destination, destinationSize);
}
const char* ZylFileLoader::GetBuffer() { return loader ? loader->GetBuffer() : nullptr; }
void ZylFileLoader::AddBufferPos(int n) {
  if (loader) loader->AddBufferPos(n);
}
int ZylFileLoader::GetBufferSize() { return loader ? loader->GetBufferSize() : 0; }
unsigned long ZylFileLoader::GetAttributes() { return loader ? loader->GetAttributes() : 0; }
int ZylFileLoader::GetCRC() { return loader ? loader->GetCRC() : 0; }
void ZylFileLoader::SetBlockSize(unsigned long size) {
  if (loader) loader->SetBlockSize(size);
}
void ZylFileLoader::ResetPosition() {
  if (loader) loader->ResetPosition();
}
bool ZylFileLoader::GetTagData(char* tag) { return loader && loader->GetTagData(tag); }
bool ZylFileLoader::GotoTag(const char* tag) { return loader && loader->GotoTag(tag); }
bool ZylFileLoader::GetIfEndOfFile() { return loader == nullptr || loader->GetIfEndOfFile(); }
void ZylFileLoader::SkipCurrentTag() {
  if (loader) loader->SkipCurrentTag();
}
void ZylFileLoader::SetURL(const char* url) {
  if (loader) loader->SetURL(url);
}
bool ZylFileLoader::CheckULRCache(const char* url) { return loader && loader->CheckULRCache(url); }
bool ZylFileLoader::SaveURLToCache(const char* url) {
  return loader && loader->SaveURLToCache(url);
}
void ZylFileLoader::SetBufferChar(const char* text) {
  if (loader) loader->SetBufferChar(text);
}
const char* ZylFileLoader::GetChacheFileNameFromURL(const char* url) {
  return loader ? loader->GetChacheFileNameFromURL(url) : nullptr;
}
void ZylFileLoader::StopLoading() {
  if (loader) loader->StopLoading();
}
