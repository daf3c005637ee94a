// ErrorLogOutput: the WriteErrorLog switch, the log line and the message box of type 3.
#include "runtime/error_log.h"

#include <string>

#include "graph/zyl_string.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/time.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"

namespace {

constexpr int switchValueSize = 100;
constexpr size_t maxInstallDirLength = 299;

const char* PrefixOf(int type) {
  switch (type) {
    case debugMessageType: return "Debug: ";
    case errorMessageType: return "Error: ";
    case infoMessageType: return "Info : ";
    default: return "";
  }
}

}  // namespace

ErrorLogOutput::ErrorLogOutput(EngineInterface* engine) : engineInterface(engine) {
  EngineInterfaceExt* extension = engine != nullptr ? engine->extension : nullptr;
  if (extension == nullptr) return;
  char value[switchValueSize] = {};
  if (!extension->GetRegData("WriteErrorLog", value, switchValueSize - 1)) {
    extension->SetRegData("WriteErrorLog", "No");
    writeEnabled = false;
  } else if (TextEqualIgnoringCase(value, "No")) {
    writeEnabled = false;
  }
}

void ErrorLogOutput::ShowDebugMessage(DebugMessage* message) {
  if (!useDebug || message == nullptr || message->GetDebugMessage() == nullptr) return;
  const char* text = message->GetDebugMessage();
  if (writeEnabled && engineInterface != nullptr) {
    std::string line = platform::localDateText() + " " + platform::localTimeText() + " ";
    line += PrefixOf(message->GetMessageType());
    line += text;
    line += "\r\n";
    const std::string path =
        std::string(engineInterface->GetInstallDir()).substr(0, maxInstallDirLength) +
        "\\error.log";
    // A log that cannot be written is skipped: reporting it would need the log itself.
    platform::appendToFile(path, {reinterpret_cast<const uint8_t*>(line.data()), line.size()});
  }
  if (message->GetMessageType() == messageBoxType) {
    platform::showMessageBox(nullptr, text, "Message");
  }
}
