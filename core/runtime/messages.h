// Message records, the process-wide message sink and the seven message classes through
// which every part of the engine reports.
#pragma once

#include <atomic>

#include "graph/zyl_string.h"
#include "platform/guid.h"

enum MessageType {
  debugMessageType = 0,
  errorMessageType = 1,
  infoMessageType = 2,
  messageBoxType = 3,
  userInfoMessageType = 4,
  userWarningMessageType = 5,
  userErrorMessageType = 6,
};

class DebugMessage {
 public:
  virtual ~DebugMessage();
  virtual const char* GetDebugMessage();
  virtual int GetMessageType();
  virtual void SetDebugMessage(const char* message);
  virtual void SetMessageType(int type);

  Zyl_String text;
  int messageType = 0;
};

// The sink that receives every message; the base does nothing with them.
class DebugOutPut {
 public:
  DebugOutPut() = default;
  DebugOutPut(const DebugOutPut& other) : useDebug(other.useDebug.load()) {}
  DebugOutPut& operator=(const DebugOutPut& other) {
    useDebug = other.useDebug.load();
    return *this;
  }
  virtual ~DebugOutPut();
  virtual void ShowDebugMessage(DebugMessage* message);
  virtual void SetUseDebug(bool use);

  // Switched by the thread shutdown while worker threads may be reporting.
  std::atomic<bool> useDebug = true;
};
static_assert(sizeof(std::atomic<bool>) == sizeof(bool));

// The process-wide sink; null while no engine control has installed one.
extern DebugOutPut* debugOutPut;

// Debug messages (type 0) and the base of the six other message classes. The call forms
// build one text and hand it to ShowMessage; all of them are dropped while no sink exists.
class ShowDebugMessage {
 public:
  virtual ~ShowDebugMessage();
  virtual void ShowMessage(const char* text);

  void operator()(const char* text);
  void operator()(const char* text, const char* second);
  void operator()(const char* text, int value);
  void operator()(const char* text, float value);
  void operator()(float value);
  void operator()(int value);
  void operator()(unsigned long value);
  void operator()(double value);
  void operator()(const GUID& guid);

 protected:
  // Wraps the text into a record of `type` and hands it to the sink.
  static void Deliver(const char* text, int type);
};

class ShowErrorMessage : public ShowDebugMessage {
 public:
  void ShowMessage(const char* text) override;
};

class ShowInfoMessage : public ShowDebugMessage {
 public:
  void ShowMessage(const char* text) override;
};

class ShowMessageBox : public ShowDebugMessage {
 public:
  void ShowMessage(const char* text) override;
};

class ShowUserInfoMessage : public ShowDebugMessage {
 public:
  void ShowMessage(const char* text) override;
};

class ShowUserWarningMessage : public ShowDebugMessage {
 public:
  void ShowMessage(const char* text) override;
};

class ShowUserErrorMessage : public ShowDebugMessage {
 public:
  void ShowMessage(const char* text) override;
};
