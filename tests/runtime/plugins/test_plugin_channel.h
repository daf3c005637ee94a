// The channel class of the runtime's test plug-ins, seen the same way by the plug-ins and
// by the tests (which reach its members with a static_cast after checking the type GUID).
#pragma once

#include "graph/zyl_channel.h"

inline constexpr GUID MakeTestPluginGuid(uint32_t first) {
  return GUID{first, 0x0000, 0x4000, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}};
}

// Type GUIDs of the test plug-ins (files <GUID>.dll).
inline constexpr GUID plainPluginGuid = MakeTestPluginGuid(0x0000A001);
inline constexpr GUID parentPluginGuid = MakeTestPluginGuid(0x0000A002);
inline constexpr GUID noInitPluginGuid = MakeTestPluginGuid(0x0000A003);
inline constexpr GUID oldPluginGuid = MakeTestPluginGuid(0x0000A004);
inline constexpr GUID nestedPluginGuid = MakeTestPluginGuid(0x0000A005);
// A child type the parent asks for that no library provides.
inline constexpr GUID absentPluginGuid = MakeTestPluginGuid(0x0000A0FF);

class TestPluginChannel : public Zyl_Channel {
 public:
  void OneTimeInitialize() override { ++oneTimeInitializations; }
  int oneTimeInitializations = 0;
};
