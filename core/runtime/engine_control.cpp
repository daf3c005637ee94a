// EngineControl: start-up with its failure boxes, project choice, the frame with its
// re-entrancy guard, window messages and the release order.
#include "runtime/engine_control.h"

#include <new>

#include "graph/channel_records.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_channel_group.h"
#include "platform/messages.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"
#include "runtime/error_log.h"
#include "runtime/project_loader_channels.h"

namespace {

constexpr const char* errorCaption = "Kelvane Error";

}  // namespace

extern "C" EngineControl* GetEngineControlInstance() { return new (std::nothrow) EngineControl; }

EngineControl::~EngineControl() {
  initialized = false;
  if (engineInterface != nullptr) {
    engineInterface->extension->Release();
    delete engineInterface;
    engineInterface = nullptr;
  }
  DeleteErrorLog();
}

void EngineControl::DeleteErrorLog() {
  if (debugOutPut == errorLog) debugOutPut = nullptr;
  delete errorLog;
  errorLog = nullptr;
}

bool EngineControl::InitEngine(HINSTANCE module, const char* commandLineText,
                               platform::WindowHandle window) {
  initialized = false;
  engineInterface = new (std::nothrow) EngineInterface;
  if (engineInterface != nullptr) {
    engineInterface->extension->SetInstallDir(installDir);
    engineInterface->extension->SetKelvaneRegKey(regKey);
  }
  errorLog = new (std::nothrow) ErrorLogOutput(engineInterface);
  debugOutPut = errorLog;
  if (engineInterface == nullptr) {
    platform::showMessageBox(nullptr, "EngineControl::InitEngine: Out of memory", errorCaption);
    return false;
  }
  if (!engineInterface->extension->InitEngine(module, commandLineText)) {
    platform::showMessageBox(engineInterface->GetWindowHandle(),
                             "An error occured during the initalization of Kelvane", errorCaption,
                             platform::MessageIcon::error);
    DeleteErrorLog();
    engineInterface->extension->Release();
    delete engineInterface;
    engineInterface = nullptr;
    return false;
  }
  engineInterface->extension->SetWindowHandle(window);
  initialized = true;
  return true;
}

int EngineControl::LoadProject() {
  if (engineInterface == nullptr) return projectRefused;
  char path[sizeof commandLine] = {};
  if (commandLine[0] != '\0') {
    CopyTextField(path, commandLine);
  } else {
    Zyl_Channel* channel = engineInterface->InitChannelFromType(fileDialogTypeGuid, nullptr, false);
    auto* dialog = dynamic_cast<Zyl_FileDialogChannel*>(channel);
    if (dialog == nullptr) {
      delete channel;
      engineInterface->errorMessage(
          "EngineControl::LoadProject(): Error loading the File Dialog channel");
      return projectRefused;
    }
    dialog->OpenFileDialog("Kelvane file (*.kvn)", "kvn", path);
    path[fileDialogPathSize - 1] = '\0';
    delete dialog;
  }
  EngineInterfaceExt* extension = engineInterface->extension;
  extension->ReleaseGroups();
  if (path[0] == '\0') return noProjectFile;
  const int result = extension->InitializeKVNFile(path);
  if (result != projectLoaded) {
    if (result == projectNeedsUpdate) {
      platform::showMessageBox(
          engineInterface->GetWindowHandle(),
          "Failed loading this project, please update to the latest version. \n\rYou should "
          "use the Kelvane Update & Install utility to update your version.\n\rIf you click OK "
          "this utility will be started automatically.",
          errorCaption, platform::MessageIcon::error);
    }
    return result;
  }
  startGroup = extension->GetKVNStartGroup();
  return startGroup != nullptr ? projectLoaded : startGroupMissing;
}

void EngineControl::EngineLoop() {
  if (inLoop || !initialized) return;
  EngineInterfaceExt* extension = engineInterface->extension;
  startGroup = engineInterface->GetChannelGroup(extension->GetStartGroup());
  if (startGroup == nullptr) return;
  inLoop = true;
  extension->IncreaseTreeCount();
  startGroup->CallStartChannel();
  inLoop = false;
}

void EngineControl::ProcessWindowMessage(uint32_t message, uint32_t wParam, int32_t lParam) {
  if (engineInterface == nullptr || !initialized) return;
  engineInterface->extension->ProcessWindowMessage(message, wParam, lParam);
}

bool EngineControl::GetIfKeepRunningApplication() {
  return engineInterface != nullptr && engineInterface->extension->GetIfKeepRunningApplication();
}

EngineInterface* EngineControl::GetEngineInterface() { return engineInterface; }

void EngineControl::SetCommandLine(const char* text) {
  if (text != nullptr) CopyTextField(commandLine, text);
}

void EngineControl::SetInstallDir(const char* text) {
  if (text != nullptr) CopyTextField(installDir, text);
}

void EngineControl::SetKelvaneRegKey(const char* text) {
  if (text != nullptr) CopyTextField(regKey, text);
}
