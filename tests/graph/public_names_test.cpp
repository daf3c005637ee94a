// Unique public names: a public channel whose name clashes with another public channel of
// its group gets a counted "(nn)" suffix.
#include <string>
#include <vector>

#include "public_call_support.h"

namespace {

using PublicNames = PublicCallTest;

struct NameCase {
  std::vector<const char*> existing;  // made public in this order
  const char* name;
  const char* expected;
};

TEST_F(PublicNames, ClashingNamesGetACountedSuffix) {
  const NameCase cases[] = {
      {{"Light"}, "Light", "Light(02)"},
      {{"Light", "Light(02)"}, "Light", "Light(03)"},
      {{"Lamp(09)"}, "Lamp(09)", "Lamp(10)"},
      {{"Light(50)"}, "Light(50)", "Light(50)(02)"},
      {{"Light(50)", "Light(50)(02)"}, "Light(50)", "Light(50)(03)"},
      {{"light"}, "LIGHT", "LIGHT(02)"},
      {{"Light"}, "Lights", "Lights"},
  };
  for (const NameCase& c : cases) {
    engine.extension->ReleaseGroups();
    Zyl_ChannelGroup* group = Group("Scene");
    for (const char* name : c.existing) {
      ASSERT_STREQ(AddPublic(group, name)->GetChannelName(), name);
    }
    EXPECT_STREQ(AddPublic(group, c.name)->GetChannelName(), c.expected) << c.name;
  }
}

TEST_F(PublicNames, OnlyPublicChannelsOfTheSameGroupClash) {
  Zyl_ChannelGroup* group = Group("Scene");
  auto* plain = new TestChannel(derivedMatrixGuid, matrixGuid, "Light");
  group->AddChannel(plain);
  AddPublic(Group("Other"), "Light");
  EXPECT_STREQ(AddPublic(group, "Light")->GetChannelName(), "Light");
  EXPECT_TRUE(group->CheckDuplicatePublicChannelName(plain));

  TestChannel loose(derivedMatrixGuid, matrixGuid, "Light");
  loose.SetChannelInterfaceType(HUX_PUBLICCHANNEL);
  EXPECT_STREQ(loose.GetChannelName(), "Light");
}

TEST_F(PublicNames, NameAtTheLengthLimitKeepsItsSuffix) {
  Zyl_ChannelGroup* group = Group("Scene");
  const std::string longName(Zyl_Channel::maxNameLength, 'x');
  AddPublic(group, longName.c_str());
  const std::string renamed = AddPublic(group, longName.c_str())->GetChannelName();
  EXPECT_EQ(renamed.size(), static_cast<size_t>(Zyl_Channel::maxNameLength));
  EXPECT_EQ(renamed.substr(renamed.size() - 4), "(02)");
}

}  // namespace
