// Zyl_String: copying, appending and cutting owned texts.
#include "graph/zyl_string.h"

#include <cstring>

namespace {

constexpr int maxPathLength = 259;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

char* CopyText(const char* source, size_t length) {
  char* copy = new char[length + 1];
  std::memcpy(copy, source, length);
  copy[length] = '\0';
  return copy;
}

}  // namespace

Zyl_String::Zyl_String(const Zyl_String& other) { SetString(other.text); }

Zyl_String& Zyl_String::operator=(const Zyl_String& other) {
  if (this != &other) SetString(other.text);
  return *this;
}

Zyl_String::~Zyl_String() { delete[] text; }

void Zyl_String::SetString(const char* source) {
  char* copy = source ? CopyText(source, strnlen(source, maxLength)) : nullptr;
  delete[] text;
  text = copy;
}

void Zyl_String::AddString(const char* source) {
  if (source == nullptr) return;
  if (text == nullptr) {
    SetString(source);
    return;
  }
  const size_t current = std::strlen(text);
  const size_t room = maxLength - current;
  if (room == 0) return;
  const size_t added = strnlen(source, room);
  char* joined = new char[current + added + 1];
  std::memcpy(joined, text, current);
  std::memcpy(joined + current, source, added);
  joined[current + added] = '\0';
  delete[] text;
  text = joined;
}

void Zyl_String::SetMaxCars(int n) {
  if (text == nullptr || n < 1) return;
  if (std::strlen(text) > static_cast<size_t>(n)) text[n] = '\0';
}

void Zyl_String::StrLwr() {
  if (text == nullptr) return;
  for (char* c = text; *c; ++c) *c = LowerAscii(*c);
}

void Zyl_String::StrUpr() {
  if (text == nullptr) return;
  for (char* c = text; *c; ++c) {
    if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');
  }
}

char* Zyl_String::MakeFULLName(char* path) {
  if (path == nullptr) return path;
  const size_t length = strnlen(path, maxPathLength);
  // The first character is not a separator candidate.
  for (size_t i = length; i-- > 1;) {
    if (path[i] == '\\' || path[i] == '/') {
      const size_t tail = length - i - 1;
      std::memmove(path, path + i + 1, tail);
      path[tail] = '\0';
      break;
    }
  }
  return path;
}

bool TextEqualIgnoringCase(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return false;
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (LowerAscii(*a) != LowerAscii(*b)) return false;
  }
  return *a == *b;
}
