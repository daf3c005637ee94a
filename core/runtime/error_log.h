// The process-wide message sink an engine control installs: messages become lines of
// error.log in the install directory, and message-box messages are shown on screen.
#pragma once

#include "runtime/messages.h"

class EngineInterface;

class ErrorLogOutput : public DebugOutPut {
 public:
  // Reads WriteErrorLog through the engine's registry key: absent means "No" (and is
  // written so), "No" in any case turns the log off, anything else keeps it on.
  explicit ErrorLogOutput(EngineInterface* engine);

  void ShowDebugMessage(DebugMessage* message) override;

  bool writeEnabled = true;
  EngineInterface* engineInterface;
};
