// Field-by-field conversion of records to and from their little-endian file forms.
#include "graph/record_file_forms.h"

#include <cstring>

namespace {

void PutU32(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetU32(const uint8_t* data) {
  return uint32_t{data[0]} | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 |
         uint32_t{data[3]} << 24;
}

void PutI32(uint8_t* out, int32_t value) { PutU32(out, static_cast<uint32_t>(value)); }
int32_t GetI32(const uint8_t* data) { return static_cast<int32_t>(GetU32(data)); }

void PutGuid(uint8_t* out, const GUID& guid) {
  PutU32(out, guid.Data1);
  out[4] = static_cast<uint8_t>(guid.Data2);
  out[5] = static_cast<uint8_t>(guid.Data2 >> 8);
  out[6] = static_cast<uint8_t>(guid.Data3);
  out[7] = static_cast<uint8_t>(guid.Data3 >> 8);
  std::memcpy(out + 8, guid.Data4, 8);
}

GUID GetGuid(const uint8_t* data) {
  GUID guid;
  guid.Data1 = GetU32(data);
  guid.Data2 = static_cast<uint16_t>(data[4] | data[5] << 8);
  guid.Data3 = static_cast<uint16_t>(data[6] | data[7] << 8);
  std::memcpy(guid.Data4, data + 8, 8);
  return guid;
}

// Bytes behind a text's terminator are written as zero.
template <size_t N>
void PutText(uint8_t* out, const char (&field)[N]) {
  const size_t length = strnlen(field, N - 1);
  std::memcpy(out, field, length);
  std::memset(out + length, 0, N - length);
}

// Text fields read from a file are cut at their last byte so they are always terminated.
template <size_t N>
void GetText(const uint8_t* data, char (&field)[N]) {
  std::memcpy(field, data, N);
  field[N - 1] = '\0';
}

}  // namespace

void Int32ToFile(int32_t value, uint8_t* out) { PutI32(out, value); }
int32_t Int32FromFile(const uint8_t* data) { return GetI32(data); }
void GuidToFile(const GUID& guid, uint8_t* out) { PutGuid(out, guid); }
GUID GuidFromFile(const uint8_t* data) { return GetGuid(data); }

void ChannelTypeToFile(const ChannelType& type, uint8_t* out) {
  PutText(out, type.name);
  PutGuid(out + 80, type.guid);
  PutGuid(out + 96, type.baseGuid);
  for (int i = 0; i < 3; ++i) PutI32(out + 112 + 4 * i, type.versionInfo[i]);
  PutI32(out + 124, type.reserved);
  out[128] = type.reservedFlag;
  out[129] = out[130] = out[131] = 0;
}

void ChannelTypeFromFile(const uint8_t* data, ChannelType* type) {
  GetText(data, type->name);
  type->guid = GetGuid(data + 80);
  type->baseGuid = GetGuid(data + 96);
  for (int i = 0; i < 3; ++i) type->versionInfo[i] = GetI32(data + 112 + 4 * i);
  type->reserved = GetI32(data + 124);
  type->reservedFlag = data[128];
}

void ChildCreationToFile(const ChildCreation& creation, uint8_t* out) {
  ChannelTypeToFile(creation.acceptedType, out);
  PutI32(out + 132, creation.requestLink);
  out[136] = creation.reservedFlag;
  out[137] = creation.createChild;
  PutText(out + 138, creation.linkName);
  PutGuid(out + 240, creation.defaultChildGuid);
  PutU32(out + 256, 0);
  PutI32(out + 260, creation.declaredLinks);
}

void ChildCreationFromFile(const uint8_t* data, ChildCreation* creation) {
  ChannelTypeFromFile(data, &creation->acceptedType);
  creation->requestLink = GetI32(data + 132);
  creation->reservedFlag = data[136];
  creation->createChild = data[137];
  GetText(data + 138, creation->linkName);
  creation->defaultChildGuid = GetGuid(data + 240);
  creation->childInfo = nullptr;
  creation->declaredLinks = GetI32(data + 260);
}

void PublicCallInfoToFile(const PublicCallInfo& info, uint8_t* out) {
  PutText(out, info.targetName);
  PutText(out + 80, info.targetPool);
  PutText(out + 160, info.targetFile);
  PutI32(out + 420, info.instanceNr);
  out[424] = info.autoLoadGroup;
  out[425] = out[426] = out[427] = 0;
  PutI32(out + 428, info.dynamicAutoLoadGroup);
  ChildCreationToFile(info.fallbackCreation, out + 432);
}

bool PublicCallInfoFromFile(const uint8_t* data, size_t size, PublicCallInfo* info) {
  if (data == nullptr || info == nullptr || size != publicCallInfoFileSize) return false;
  GetText(data, info->targetName);
  GetText(data + 80, info->targetPool);
  GetText(data + 160, info->targetFile);
  info->instanceNr = GetI32(data + 420);
  info->autoLoadGroup = data[424];
  info->dynamicAutoLoadGroup = GetI32(data + 428);
  ChildCreationFromFile(data + 432, &info->fallbackCreation);
  return true;
}

void ParameterInterfaceInfoToFile(const ParameterInterfaceInfo& info, uint8_t* out) {
  PutText(out, info.name);
  PutGuid(out + 40, info.guid);
}

bool ParameterInterfaceInfoFromFile(const uint8_t* data, size_t size,
                                    ParameterInterfaceInfo* info) {
  if (data == nullptr || info == nullptr || size != parameterInterfaceInfoFileSize) return false;
  GetText(data, info->name);
  info->guid = GetGuid(data + 40);
  return true;
}
