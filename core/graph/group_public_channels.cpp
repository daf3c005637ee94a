// The public channels of a group: lookup by a public call's target, offering them to
// waiting calls, and names kept unique among them.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "graph/channel_internal.h"
#include "graph/channel_messages.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_channel_group.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"

namespace {

// Highest number of a "(nn)" suffix; past it another suffix is appended.
constexpr int maxNameSuffix = 50;
// Length of a "(nn)" suffix.
constexpr size_t suffixLength = 4;

bool HasNumberSuffix(const std::string& name) {
  const size_t n = name.size();
  return n >= suffixLength && name[n - 4] == '(' && name[n - 1] == ')';
}

// The next name to try: "(nn)" counted up, else "(02)" appended. The result is cut in front
// of its suffix so that the stored name keeps it.
std::string NextPublicName(const std::string& name) {
  if (HasNumberSuffix(name)) {
    const int value = std::atoi(name.substr(name.size() - 3, 2).c_str());
    if (value + 1 <= maxNameSuffix) {
      char digits[16];
      std::snprintf(digits, sizeof digits, "%02d", value + 1);
      return name.substr(0, name.size() - 3) + digits + ")";
    }
  }
  const size_t room = Zyl_Channel::maxNameLength - suffixLength;
  return name.substr(0, room) + "(02)";
}

}  // namespace

Zyl_Channel* Zyl_ChannelGroup::GetPublicChannel(PublicCallInfo* info) {
  if (info == nullptr || info->instanceNr != poolNr) return nullptr;
  if (!TextEqualIgnoringCase(info->targetPool, poolName.GetString())) return nullptr;
  for (int i = 0; i < channels.GetItemCount(); ++i) {
    auto* channel = static_cast<Zyl_Channel*>(channels.GetItem(i));
    if (channel == nullptr || !IsPublicType(channel->GetChannelInterfaceType())) continue;
    if (TextEqualIgnoringCase(channel->GetChannelName(), info->targetName)) return channel;
  }
  return nullptr;
}

void Zyl_ChannelGroup::CheckPublicChannels() {
  EngineInterface* engine = OwnEngine();
  if (engine == nullptr || engine->extension == nullptr) return;
  for (int i = 0; i < channels.GetItemCount(); ++i) {
    auto* channel = static_cast<Zyl_Channel*>(channels.GetItem(i));
    if (channel != nullptr && IsPublicType(channel->GetChannelInterfaceType())) {
      engine->extension->CheckChannelRequest(this, poolNr, channel);
    }
  }
}

bool Zyl_ChannelGroup::CheckDuplicatePublicChannelName(Zyl_Channel* channel) {
  if (channel == nullptr || channel->GetChannelName() == nullptr) return false;
  for (int i = 0; i < channels.GetItemCount(); ++i) {
    auto* other = static_cast<Zyl_Channel*>(channels.GetItem(i));
    if (other == nullptr || other == channel || !IsPublicType(other->GetChannelInterfaceType())) {
      continue;
    }
    if (TextEqualIgnoringCase(other->GetChannelName(), channel->GetChannelName())) return true;
  }
  return false;
}

void ChannelInternal::DoPublicChannelNameCheck(Zyl_Channel* ch) {
  if (ch == nullptr || ch->channelGroup == nullptr || !IsPublicType(ch->interfaceType)) return;
  // Every step yields a name not tried before for this suffix run; the bound only guards
  // against names at the length limit, whose suffix could otherwise cycle.
  const int attempts = (ch->channelGroup->GetChannelCount() + 1) * maxNameSuffix;
  for (int i = 0; i < attempts && ch->channelGroup->CheckDuplicatePublicChannelName(ch); ++i) {
    ch->SetChannelName(NextPublicName(ch->GetChannelName()).c_str());
  }
}
