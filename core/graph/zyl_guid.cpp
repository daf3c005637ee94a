#include "graph/zyl_guid.h"

#include <cstdio>
#include <cstring>

namespace {

void ToWords(const GUID& guid, uint32_t words[4]) { std::memcpy(words, &guid, sizeof(GUID)); }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool IsEqualGuid(const GUID& a, const GUID& b) {
  uint32_t wa[4], wb[4];
  ToWords(a, wa);
  ToWords(b, wb);
  return wa[0] == wb[0] && wa[1] == wb[1] && wa[2] == wb[2] && wa[3] == wb[3];
}

bool IsNullGuid(const GUID& guid) { return IsEqualGuid(guid, nullGuid); }

void GuidToText(const GUID& guid, char* text) {
  std::snprintf(text, guidTextLength + 1, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                guid.Data4[6], guid.Data4[7]);
}

bool GuidFromText(const char* text, GUID* guid) {
  if (text == nullptr || guid == nullptr) return false;
  size_t length = std::strlen(text);
  if (length == guidTextLength + 2 && text[0] == '{' && text[length - 1] == '}') {
    ++text;
    length -= 2;
  }
  if (length != guidTextLength) return false;
  // Hex digit groups of the text form: 8-4-4-4-12.
  uint8_t bytes[16];
  int byteCount = 0;
  for (size_t i = 0; i < length;) {
    if (i == 8 || i == 13 || i == 18 || i == 23) {
      if (text[i] != '-') return false;
      ++i;
      continue;
    }
    int high = HexValue(text[i]);
    int low = HexValue(text[i + 1]);
    if (high < 0 || low < 0) return false;
    bytes[byteCount++] = static_cast<uint8_t>(high * 16 + low);
    i += 2;
  }
  guid->Data1 = (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) |
                (uint32_t{bytes[2]} << 8) | bytes[3];
  guid->Data2 = static_cast<uint16_t>((bytes[4] << 8) | bytes[5]);
  guid->Data3 = static_cast<uint16_t>((bytes[6] << 8) | bytes[7]);
  std::memcpy(guid->Data4, bytes + 8, 8);
  return true;
}
