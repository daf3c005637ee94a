// Shared fixtures of the graph tests: an engine installed as globalEngine, a message
// capture, and a channel class with a chosen type record and link declarations.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "graph/zyl_channel.h"
#include "runtime/engine.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"
#include "runtime/messages.h"

// Collects every message while installed as the process-wide sink.
class MessageCapture : public DebugOutPut {
 public:
  MessageCapture() : previous(debugOutPut) { debugOutPut = this; }
  ~MessageCapture() override { debugOutPut = previous; }

  void ShowDebugMessage(DebugMessage* message) override {
    const char* text = message->GetDebugMessage();
    messages.emplace_back(message->GetMessageType(), text ? text : "");
  }

  bool Contains(int type, const std::string& text) const {
    for (const auto& [t, m] : messages) {
      if (t == type && m == text) return true;
    }
    return false;
  }

  std::vector<std::pair<int, std::string>> messages;

 private:
  DebugOutPut* previous;
};

inline constexpr GUID matrixGuid{0x84EA0862, 0xF90D, 0x47D3, {0x9B, 0x2C, 0x4A, 0x61, 0x72, 0x83, 0x94, 0x50}};
inline constexpr GUID floatGuid{0xE5FB1973, 0x0A1E, 0x48E4, {0xAC, 0x3D, 0x5B, 0x72, 0x83, 0x94, 0x05, 0x61}};
inline constexpr GUID derivedMatrixGuid{0x2C406EB8, 0x5F63, 0x4D39, {0xB1, 0x82, 0xA0, 0xC1, 0xD2, 0xE3, 0xF4, 0x76}};

class TestChannel : public Zyl_Channel {
 public:
  explicit TestChannel(GUID guid = nullGuid, GUID base = nullGuid, const char* name = nullptr) {
    type.guid = guid;
    type.baseGuid = base;
    SetChannelName(name);
  }

  ChannelType GetChannelType() override { return type; }

  void Declare(GUID accepted, int requestLink) {
    ChildCreation declaration;
    declaration.acceptedType.guid = accepted;
    declaration.requestLink = requestLink;
    SetChildCreateType(declaration, nextPosition++);
  }

  void CallChannel() override {
    if (!CheckRenderCount()) return;
    ++computeCount;
    for (int i = 0; i < GetChildCount(); ++i) {
      if (Zyl_Channel* child = GetChild(i)) child->CallChannel();
    }
  }

  void AddPendingLink(int channelIndex, int slot) {
    if (pendingLinks == nullptr) pendingLinks = new Zyl_List;
    pendingLinks->AddItem(new PendingLink{channelIndex, slot});
  }
  bool HasPendingLinks() const { return pendingLinks != nullptr; }

  using Zyl_Channel::CheckRenderCount;

  ChannelType type;
  int computeCount = 0;

 private:
  int nextPosition = 0;
};

// An engine installed as globalEngine for the length of a test.
class EngineTest : public ::testing::Test {
 protected:
  EngineTest() : previous(globalEngine) { globalEngine = &engine; }
  ~EngineTest() override { globalEngine = previous; }

  EngineInterface engine;
  MessageCapture capture;

 private:
  EngineInterface* previous;
};
