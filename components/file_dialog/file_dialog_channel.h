// Hux_FileDialogChannel: chooses a file through a desktop chooser; without one the path
// stays empty, which callers take as a cancelled dialog.
#pragma once

#include "runtime/project_loader_channels.h"

class Hux_FileDialogChannel : public Zyl_FileDialogChannel {
 public:
  static ChannelType Type();

  ChannelType GetChannelType() override;
  void OpenFileDialog(const char* filter, const char* defaultExtension, char* path) override;
};
