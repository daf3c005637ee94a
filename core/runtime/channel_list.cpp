// ChannelList: construction and the channels folder; the scan arrives with the catalogue.
#include "runtime/channel_list.h"

#include "graph/channel_records.h"

ChannelList::ChannelList(EngineInterface* engine) : engineInterface(engine) {}

ChannelList::~ChannelList() = default;

bool ChannelList::CreateChannelList() { return true; }

void ChannelList::SetChannelDir(const char* folder) {
  if (folder != nullptr) CopyTextField(channelDir, folder);
}
