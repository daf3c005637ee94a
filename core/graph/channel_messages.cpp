// Routing of channel messages to the right engine's message objects.
#include "graph/channel_messages.h"

#include "graph/zyl_channel.h"
#include "runtime/engine_interface.h"

EngineInterface* MessageEngine(Zyl_Channel* channel) {
  if (channel != nullptr && channel->engineInterface != nullptr) return channel->engineInterface;
  return globalEngine;
}

void ReportError(Zyl_Channel* channel, const char* text) {
  if (EngineInterface* engine = MessageEngine(channel)) engine->errorMessage(text);
}

void ReportUserInfo(Zyl_Channel* channel, const char* text) {
  if (EngineInterface* engine = MessageEngine(channel)) engine->userInfoMessage(text);
}

void ReportUserInfo(Zyl_Channel* channel, const char* text, int value) {
  if (EngineInterface* engine = MessageEngine(channel)) engine->userInfoMessage(text, value);
}
