// Message classes: text building for each call form, and delivery to the sink.
#include "runtime/messages.h"

#include <cstdio>

#include "graph/zyl_guid.h"
#include "platform/messages.h"
#include "runtime/gcvt_text.h"

DebugOutPut* debugOutPut = nullptr;

namespace {

// Longest first text of the combined forms.
constexpr int maxLeadLength = 499;

const char* CaptionOf(int type) {
  switch (type) {
    case debugMessageType: return "Debug";
    case infoMessageType: return "Info";
    case messageBoxType: return "Message";
    default: return "Error";
  }
}

// Significant digits of the text-and-float form and of the float form.
constexpr int leadFloatDigits = 5;
constexpr int floatDigits = 50;

}  // namespace

DebugMessage::~DebugMessage() = default;
const char* DebugMessage::GetDebugMessage() { return text.GetString(); }
int DebugMessage::GetMessageType() { return messageType; }
void DebugMessage::SetDebugMessage(const char* message) { text.SetString(message); }
void DebugMessage::SetMessageType(int type) { messageType = type; }

DebugOutPut::~DebugOutPut() = default;
void DebugOutPut::ShowDebugMessage(DebugMessage*) {}
void DebugOutPut::SetUseDebug(bool use) { useDebug = use; }

ShowDebugMessage::~ShowDebugMessage() = default;

void ShowDebugMessage::Deliver(const char* text, int type) {
  DebugMessage message;
  message.SetDebugMessage(text);
  message.SetMessageType(type);
  if (debugOutPut != nullptr) {
    debugOutPut->ShowDebugMessage(&message);
  } else {
    platform::showMessageBox(nullptr, text ? text : "", CaptionOf(type));
  }
}

void ShowDebugMessage::ShowMessage(const char* text) { Deliver(text, debugMessageType); }
void ShowErrorMessage::ShowMessage(const char* text) { Deliver(text, errorMessageType); }
void ShowInfoMessage::ShowMessage(const char* text) { Deliver(text, infoMessageType); }
void ShowMessageBox::ShowMessage(const char* text) { Deliver(text, messageBoxType); }
void ShowUserInfoMessage::ShowMessage(const char* text) { Deliver(text, userInfoMessageType); }
void ShowUserWarningMessage::ShowMessage(const char* text) {
  Deliver(text, userWarningMessageType);
}
void ShowUserErrorMessage::ShowMessage(const char* text) { Deliver(text, userErrorMessageType); }

void ShowDebugMessage::operator()(const char* text) {
  if (debugOutPut == nullptr) return;
  ShowMessage(text);
}

void ShowDebugMessage::operator()(const char* text, const char* second) {
  if (debugOutPut == nullptr || text == nullptr) return;
  Zyl_String joined;
  joined.SetString(text);
  joined.SetMaxCars(maxLeadLength);
  joined.AddString(" ");
  joined.AddString(second);
  ShowMessage(joined.GetString());
}

void ShowDebugMessage::operator()(const char* text, int value) {
  if (debugOutPut == nullptr) return;
  char buffer[maxLeadLength + 16];
  std::snprintf(buffer, sizeof buffer, "%.*s %d", maxLeadLength, text ? text : "", value);
  ShowMessage(buffer);
}

void ShowDebugMessage::operator()(const char* text, float value) {
  if (debugOutPut == nullptr) return;
  char number[gcvtBufferSize];
  FormatGcvt(value, leadFloatDigits, number);
  char buffer[maxLeadLength + gcvtBufferSize + 2];
  std::snprintf(buffer, sizeof buffer, "%.*s %s", maxLeadLength, text ? text : "", number);
  ShowMessage(buffer);
}

void ShowDebugMessage::operator()(float value) {
  if (debugOutPut == nullptr) return;
  char number[gcvtBufferSize];
  FormatGcvt(value, floatDigits, number);
  ShowMessage(number);
}

void ShowDebugMessage::operator()(int value) { (*this)(static_cast<float>(value)); }
void ShowDebugMessage::operator()(unsigned long value) { (*this)(static_cast<float>(value)); }
void ShowDebugMessage::operator()(double value) { (*this)(static_cast<float>(value)); }

void ShowDebugMessage::operator()(const GUID& guid) {
  if (debugOutPut == nullptr) return;
  char text[guidTextLength + 1];
  GuidToText(guid, text);
  ShowMessage(text);
}
