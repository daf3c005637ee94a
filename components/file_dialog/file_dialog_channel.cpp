// Hux_FileDialogChannel: the chooser's answer in engine form, cut to the caller's buffer.
#include "file_dialog_channel.h"

#include <cstring>

#include "chooser_command.h"
#include "platform/paths.h"

ChannelType Hux_FileDialogChannel::Type() {
  ChannelType type;
  std::strcpy(type.name, "File Dialog");
  type.guid = fileDialogTypeGuid;
  return type;
}

ChannelType Hux_FileDialogChannel::GetChannelType() { return Type(); }

void Hux_FileDialogChannel::OpenFileDialog(const char* filter, const char* defaultExtension,
                                           char* path) {
  if (path == nullptr) return;
  path[0] = '\0';
  auto command = filedialog::FindChooser(filter ? filter : "", defaultExtension ? defaultExtension : "");
  if (!command) return;
  const std::string chosen = filedialog::RunChooser(*command);
  if (chosen.empty()) return;
  const std::string enginePath = platform::toEnginePath(chosen);
  // A path that does not fit is no path: a cut one would name another file.
  if (enginePath.size() >= static_cast<size_t>(fileDialogPathSize)) return;
  std::memcpy(path, enginePath.c_str(), enginePath.size() + 1);
}
