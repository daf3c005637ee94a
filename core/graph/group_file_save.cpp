// Writing a channel group as a group file: the group tag, the channel slots with their
// records, the start channel, the parameters, the pool name and the group's GUID.
#include "graph/record_blocks.h"
#include "graph/record_file_forms.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_channel_group.h"
#include "graph/zyl_file_saver.h"
#include "runtime/engine_interface.h"

bool Zyl_ChannelGroup::WriteGroupFile(ZylFileSaver& saver) {
  saver.SaveTag("ZYLG");
  SaveInt32Block(saver, "CHCO", channels.GetItemCount());
  for (int i = 0; i < channels.GetItemCount(); ++i) {
    auto* channel = static_cast<Zyl_Channel*>(channels.GetItem(i));
    if (channel == nullptr) {
      SaveInt32Block(saver, "CHIX", -1);
      continue;
    }
    SaveInt32Block(saver, "CHIX", channel->GetChannelIDIndexNr());
    SaveGuidBlock(saver, "CHID", channel->GetChannelType().guid);
    channel->SaveChannel(saver);
  }
  SaveInt32Block(saver, "CHSC", startChannel);

  const int count = parameters.GetItemCount();
  SaveInt32Block(saver, "CGIC", count);
  saver.SaveTag("CGII");
  saver.SaveBlockSize(static_cast<unsigned long>(count) * parameterInterfaceInfoFileSize);
  for (int i = 0; i < count; ++i) {
    ParameterInterfaceInfo empty;
    CopyTextField(empty.name, "NoInterface");
    auto* record = static_cast<ParameterInterfaceInfo*>(parameters.GetItem(i));
    uint8_t bytes[parameterInterfaceInfoFileSize];
    ParameterInterfaceInfoToFile(record != nullptr ? *record : empty, bytes);
    saver.SaveDataToFile(bytes, sizeof bytes);
  }

  const char* pool = poolName.GetString();
  SaveTextBlock(saver, "CINA", pool != nullptr && pool[0] != '\0' ? pool : "No Name Instance");
  SaveGuidBlock(saver, "CGGG", uniqueGroupGuid);
  return saver.CloseSaveFile();
}

bool Zyl_ChannelGroup::SaveChannelGroup(ZylFileSaver& saver) {
  WriteGroupFile(saver);
  return true;
}

bool Zyl_ChannelGroup::SaveChannelGroup(const char* path) {
  EngineInterface* engine = OwnEngine();
  if (readOnly && engine != nullptr) {
    engine->userWarningMessage(
        "This channel group was loaded as a read-only file. The program will try to save it, "
        "but this might fail: ",
        path ? path : "");
  }
  ZylFileSaver saver(engine);
  if (path == nullptr || !saver.OpenSaveFile(path, false)) {
    if (engine != nullptr) {
      engine->errorMessage("Couldn't create channel group file: ", path ? path : "");
    }
    return false;
  }
  // The records are written while the group carries its new name, so that relative paths
  // stored in them start from the new file.
  const Zyl_String previousName(fileName);
  fileName.SetString(path);
  if (WriteGroupFile(saver)) return true;
  // The saver replaces the file only once it is complete, so the previous one is intact.
  fileName = previousName;
  if (engine != nullptr) engine->errorMessage("Couldn't write channel group file:", path);
  return false;
}
