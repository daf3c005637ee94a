// ShowDebug: text building for each form and delivery to the engine's debug slots.
#include "runtime/show_debug.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"
#include "runtime/gcvt_text.h"

namespace {

constexpr int slotDigits = 10;
// Longest text of the text-and-number forms; longer ones write nothing.
constexpr size_t maxLeadLength = 350;
// The joined texts must stay below this length.
constexpr size_t maxJoinedLength = 400;

}  // namespace

void ShowDebug::Write(const char* text, int slot) {
  if (engineInterface == nullptr || engineInterface->extension == nullptr) return;
  engineInterface->extension->DebugOut(text, slot);
}

void ShowDebug::operator()(const char* text, int slot) { Write(text, slot); }

void ShowDebug::operator()(float value, int slot) {
  char number[gcvtBufferSize];
  FormatGcvt(value, slotDigits, number);
  Write(number, slot);
}

void ShowDebug::operator()(int value, int slot) { (*this)(static_cast<float>(value), slot); }
void ShowDebug::operator()(unsigned int value, int slot) {
  (*this)(static_cast<float>(value), slot);
}
void ShowDebug::operator()(double value, int slot) { (*this)(static_cast<float>(value), slot); }

void ShowDebug::operator()(const char* text, float value, int slot) {
  if (text == nullptr || std::strlen(text) > maxLeadLength) return;
  char number[gcvtBufferSize];
  FormatGcvt(value, slotDigits, number);
  char joined[maxLeadLength + gcvtBufferSize + 1];
  std::snprintf(joined, sizeof joined, "%s%s", text, number);
  Write(joined, slot);
}

void ShowDebug::operator()(const char* text, int value, int slot) {
  if (text == nullptr || std::strlen(text) > maxLeadLength) return;
  char joined[maxLeadLength + 16];
  std::snprintf(joined, sizeof joined, "%s%d", text, value);
  Write(joined, slot);
}

void ShowDebug::operator()(const char* text, const char* second, int slot) {
  if (text == nullptr || second == nullptr) return;
  if (std::strlen(text) + std::strlen(second) >= maxJoinedLength) return;
  std::string joined(text);
  joined += second;
  Write(joined.c_str(), slot);
}
