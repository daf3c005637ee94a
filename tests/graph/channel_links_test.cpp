// Link declarations, SetChild and SetChildByType, lookups, removal and pending links.
#include <string>

#include "graph/channel_internal.h"
#include "graph_test_support.h"

namespace {

constexpr const char* notAccepted =
    "This channel was unable to be linked. The type of the channel was not accepted at this "
    "link position";

// Positions 0 and 1: one matrix each; 2: one float; 3: any number of any type.
class ChannelLinks : public EngineTest {
 protected:
  ChannelLinks() {
    parent.Declare(matrixGuid, 0);
    parent.Declare(matrixGuid, 1);
    parent.Declare(floatGuid, 2);
    parent.Declare(wildcardGuid, -1);
  }

  // The child list as text: a child's name, "h<position>" for an empty head, "_" for an
  // empty extra entry; slots in brackets.
  std::string Describe() {
    std::string text;
    for (int i = 0; i < parent.GetChildCount(); ++i) {
      ChildInfo* entry = channelInternal.GetChildInfo(&parent, i);
      if (!text.empty()) text += ' ';
      if (entry->child != nullptr) {
        text += entry->child->GetChannelName();
      } else if (entry->fixedEntry) {
        text += "h" + std::to_string(entry->linkPosition);
      } else {
        text += "_";
      }
      text += "[" + std::to_string(entry->slot) + "]";
      EXPECT_EQ(entry->nodeOffset, i);
    }
    return text;
  }

  TestChannel parent{nullGuid, nullGuid, "parent"};
  TestChannel m1{matrixGuid, nullGuid, "m1"};
  TestChannel m2{derivedMatrixGuid, matrixGuid, "m2"};
  TestChannel m3{matrixGuid, nullGuid, "m3"};
  TestChannel f{floatGuid, nullGuid, "f"};
  TestChannel x{floatGuid, nullGuid, "x"};
  TestChannel y{nullGuid, nullGuid, "y"};
  TestChannel z{nullGuid, nullGuid, "z"};
};

TEST_F(ChannelLinks, DeclarationsCreateOneHeadEach) {
  EXPECT_EQ(Describe(), "h0[0] h1[0] h2[0] h3[0]");
  EXPECT_EQ(channelInternal.GetChildCreationCount(&parent), 4);
  for (int p = 0; p < 4; ++p) {
    ChildCreation* declaration = channelInternal.GetChildCreateType(&parent, p);
    ASSERT_NE(declaration, nullptr);
    EXPECT_EQ(declaration->childInfo, channelInternal.GetChildInfo(&parent, p));
  }
  EXPECT_EQ(channelInternal.GetChildCreateType(&parent, 4), nullptr);
  EXPECT_EQ(channelInternal.GetChildCreateType(&parent, -1), nullptr);
}

TEST_F(ChannelLinks, MultiLinkPositionAppendsBeforeItsHead) {
  EXPECT_EQ(parent.SetChild(&x, -1, 3), 3);
  EXPECT_EQ(parent.SetChild(&y, -1, 3), 4);
  EXPECT_EQ(Describe(), "h0[0] h1[0] h2[0] x[0] y[1] h3[2]");
  EXPECT_EQ(parent.GetChildLinkPositionCount(3), 2);
  EXPECT_EQ(parent.GetChildFromLinkPosition(3, 0), &x);
  EXPECT_EQ(parent.GetChildFromLinkPosition(3, 1), &y);
  EXPECT_EQ(parent.GetChildFromLinkPosition(3, 2), nullptr);
  EXPECT_EQ(parent.GetChildFromLinkPosition(3, 3), nullptr);
  EXPECT_EQ(parent.GetChildFromLinkPosition(4, 0), nullptr);
}

TEST_F(ChannelLinks, SlotBeyondTheEndInsertsEmptySlots) {
  parent.SetChild(&x, -1, 3);
  parent.SetChild(&y, -1, 3);
  EXPECT_EQ(parent.SetChild(&z, 5, 3), 8);
  EXPECT_EQ(Describe(), "h0[0] h1[0] h2[0] x[0] y[1] _[2] _[3] _[4] z[5] h3[6]");
  EXPECT_EQ(parent.GetChildFromLinkPosition(3, 5), &z);
  // An existing slot is replaced in place.
  EXPECT_EQ(parent.SetChild(&m1, 3, 3), 6);
  EXPECT_EQ(parent.GetChildFromLinkPosition(3, 3), &m1);
}

TEST_F(ChannelLinks, SlotAtTheLimitInsertsEverySlotBeforeIt) {
  const int last = Zyl_Channel::maxLinkSlot;
  EXPECT_EQ(parent.SetChild(&z, last, 3), 3 + last);
  EXPECT_EQ(parent.GetChildLinkPositionCount(3), last + 1);
  EXPECT_EQ(parent.GetChildFromLinkPosition(3, last), &z);
  EXPECT_EQ(parent.GetChildFromLinkPosition(3, last - 1), nullptr);
  EXPECT_EQ(channelInternal.GetChildInfo(&parent, 3 + last + 1)->slot, last + 1);  // the head
}

TEST_F(ChannelLinks, SingleLinkPositionChecksType) {
  EXPECT_EQ(parent.SetChild(&m1, -1, 0), 0);
  EXPECT_EQ(parent.GetChild(0), &m1);
  EXPECT_EQ(parent.SetChild(&m2, -1, 1), 1);  // accepted by its base type
  EXPECT_EQ(parent.SetChild(&f, -1, 0), -1);
  EXPECT_TRUE(capture.Contains(userInfoMessageType, notAccepted));
  EXPECT_EQ(parent.GetChild(0), &m1);
  EXPECT_EQ(Describe(), "m1[0] m2[0] h2[0] h3[0]");
}

TEST_F(ChannelLinks, RefusesNullSelfAndHugeSlots) {
  EXPECT_EQ(parent.SetChild(nullptr, -1, 3), -1);
  EXPECT_EQ(parent.SetChild(&parent, -1, 3), -1);
  EXPECT_EQ(parent.SetChild(&y, Zyl_Channel::maxLinkSlot + 1, 3), -1);
  EXPECT_EQ(Describe(), "h0[0] h1[0] h2[0] h3[0]");
}

TEST_F(ChannelLinks, SlotBelowMinusOneIsReportedAndAppends) {
  parent.SetChild(&m1, -1, 1);
  EXPECT_EQ(parent.SetChild(&y, -2, 3), 3);
  EXPECT_TRUE(
      capture.Contains(userInfoMessageType, "Zyl_Channel::SetChild targetChannel<-1 is out of range"));
  EXPECT_EQ(Describe(), "h0[0] m1[0] h2[0] y[0] h3[1]");
}

TEST_F(ChannelLinks, SetChildByTypeFillsPositionsInOrder) {
  EXPECT_EQ(channelInternal.SetChildByType(&parent, &m1, -1), 0);
  EXPECT_EQ(channelInternal.SetChildByType(&parent, &m2, -1), 1);
  EXPECT_EQ(channelInternal.SetChildByType(&parent, &m3, -1), 3);
  EXPECT_EQ(Describe(), "m1[0] m2[0] h2[0] m3[0] h3[1]");
  EXPECT_EQ(channelInternal.SetChildByType(&parent, &f, -1), 2);
}

TEST_F(ChannelLinks, SetChildByTypeFillsFirstEmptySlot) {
  parent.SetChild(&x, -1, 3);
  parent.SetChild(&y, -1, 3);
  parent.RemoveChild(3);
  EXPECT_EQ(channelInternal.SetChildByType(&parent, &z, -1), 3);
  EXPECT_EQ(Describe(), "h0[0] h1[0] h2[0] z[0] y[1] h3[2]");
}

TEST_F(ChannelLinks, PositionOutOfRangePlacesByType) {
  EXPECT_EQ(parent.SetChild(&z, 0, 7), 3);
  EXPECT_EQ(parent.SetChild(&m1, 0, -5), 0);
  EXPECT_EQ(Describe(), "m1[0] h1[0] h2[0] z[0] h3[1]");
}

TEST_F(ChannelLinks, DuplicateRequestLinkIsRefused) {
  ChildCreation declaration;
  declaration.requestLink = 2;
  parent.SetChildCreateType(declaration, 4);
  EXPECT_TRUE(capture.Contains(errorMessageType,
                               "Can't add child creation with the same request link!"));
  EXPECT_EQ(channelInternal.GetChildCreationCount(&parent), 4);
  declaration.requestLink = -1;
  parent.SetChildCreateType(declaration, 4);
  EXPECT_EQ(channelInternal.GetChildCreationCount(&parent), 5);
}

TEST_F(ChannelLinks, LookupByGuidCountsOwnAndBaseType) {
  parent.SetChild(&m1, -1, 0);
  parent.SetChild(&m2, -1, 1);
  parent.SetChild(&f, -1, 2);
  EXPECT_EQ(parent.GetChildTypeCount(matrixGuid), 2);
  EXPECT_EQ(parent.GetChildFromLinkGuid(matrixGuid, 1), &m2);
  EXPECT_EQ(parent.GetChildFromLinkGuid(matrixGuid, 2), nullptr);
  EXPECT_EQ(parent.GetChildTypeCount(derivedMatrixGuid), 1);
}

TEST_F(ChannelLinks, RemoveChildrenKeepsEmptyHeads) {
  parent.SetChild(&m1, -1, 0);
  parent.SetChild(&x, -1, 3);
  parent.SetChild(&y, -1, 3);
  parent.RemoveChildren();
  EXPECT_EQ(Describe(), "h0[0] h1[0] h2[0] h3[0]");
  EXPECT_EQ(parent.GetChildLinkPositionCount(3), 0);
}

TEST_F(ChannelLinks, RemovalOperations) {
  parent.SetChild(&x, -1, 3);
  parent.SetChild(&y, -1, 3);
  parent.SetChild(&z, -1, 3);
  channelInternal.RemoveChild(&parent, &y);
  EXPECT_EQ(Describe(), "h0[0] h1[0] h2[0] x[0] _[1] z[2] h3[3]");
  channelInternal.SortChilderen(&parent);
  EXPECT_EQ(Describe(), "h0[0] h1[0] h2[0] x[0] z[1] h3[2]");
  channelInternal.RemoveChildPosition(&parent, 3);
  EXPECT_EQ(Describe(), "h0[0] h1[0] h2[0] z[0] h3[1]");
  channelInternal.RemoveChildPosition(&parent, 0);  // a head stays
  EXPECT_EQ(parent.GetChildCount(), 5);
  channelInternal.ReleaseChilderen(&parent);
  EXPECT_EQ(parent.GetChildCount(), 0);
  EXPECT_EQ(channelInternal.GetChildCreationCount(&parent), 0);
}

TEST_F(ChannelLinks, IndexRemovalEmptiesMatchingLinks) {
  channelInternal.SetChannelIDIndexNr(&x, 4);
  channelInternal.SetChannelIDIndexNr(&y, 5);
  parent.SetChild(&x, -1, 3);
  parent.SetChild(&y, -1, 3);
  channelInternal.CheckIndexNrRemoval(&parent, 4);
  EXPECT_EQ(Describe(), "h0[0] h1[0] h2[0] _[0] y[1] h3[2]");
}

TEST_F(ChannelLinks, EntryQueries) {
  parent.SetChild(&x, -1, 3);
  EXPECT_EQ(channelInternal.GetChildLinkPosition(&parent, 3), 3);
  EXPECT_EQ(channelInternal.GetChildLinkPosition(&parent, 9), -1);
  EXPECT_EQ(channelInternal.GetInternalChild(&parent, 3), &x);
  EXPECT_FALSE(channelInternal.GetIfExternalChild(&parent, 3));
  EXPECT_EQ(parent.GetChild(-1), nullptr);
  EXPECT_EQ(parent.GetChild(0), nullptr);
  EXPECT_EQ(channelInternal.GetChildInfo(nullptr, 0), nullptr);
  EXPECT_EQ(channelInternal.SetChildByType(nullptr, &x, -1), -1);
}

TEST_F(ChannelLinks, PendingLinkCompletes) {
  parent.AddPendingLink(7, 1);
  parent.AddPendingLink(8, 0);
  EXPECT_FALSE(channelInternal.CheckChannelRequest(&parent, 7, 0, &y, 3));
  EXPECT_TRUE(channelInternal.CheckChannelRequest(&parent, 7, 1, &y, 3));
  EXPECT_EQ(parent.GetChildFromLinkPosition(3, 1), &y);
  EXPECT_TRUE(parent.HasPendingLinks());
  EXPECT_TRUE(channelInternal.CheckChannelRequest(&parent, 8, 0, &m1, 0));
  EXPECT_FALSE(parent.HasPendingLinks());
  EXPECT_EQ(parent.GetChild(0), &m1);
}

TEST_F(ChannelLinks, CustomGetChildStandsForAnother) {
  class Redirect : public TestChannel {
   public:
    Zyl_Channel* target = nullptr;
    Zyl_Channel* GetChannelFromChannel(Zyl_Channel*, ChildInfo*) override { return target; }
  };
  Redirect redirect;
  redirect.SetChannelName("r");
  redirect.SetChannelInterfaceType(HUX_CUSTOMCHANNELGET);
  redirect.target = &z;
  parent.SetChild(&redirect, -1, 3);
  EXPECT_EQ(parent.GetChild(3), &z);
  EXPECT_TRUE(channelInternal.GetIfExternalChild(&parent, 3));
  EXPECT_EQ(channelInternal.GetInternalChild(&parent, 3), &redirect);
}

TEST_F(ChannelLinks, RemoveChildSeesThroughExternalChildren) {
  class Redirect : public TestChannel {
   public:
    Zyl_Channel* target = nullptr;
    Zyl_Channel* GetChannelFromChannel(Zyl_Channel*, ChildInfo*) override { return target; }
  };
  Redirect redirect;
  redirect.SetChannelInterfaceType(HUX_CUSTOMCHANNELGET);
  redirect.target = &z;
  parent.SetChild(&redirect, -1, 3);
  parent.SetChild(&y, -1, 3);
  channelInternal.RemoveChild(&parent, &z);
  EXPECT_EQ(channelInternal.GetInternalChild(&parent, 3), nullptr);
  EXPECT_EQ(channelInternal.GetInternalChild(&parent, 4), &y);
}

TEST_F(ChannelLinks, ParameterChildWithoutGroupParametersResolvesToNothing) {
  TestChannel placeholder;
  placeholder.SetChannelInterfaceType(HUX_PARAMETER);
  parent.SetChild(&placeholder, -1, 3);
  EXPECT_EQ(parent.GetChild(3), nullptr);
  EXPECT_TRUE(channelInternal.GetIfExternalChild(&parent, 3));
}

TEST_F(ChannelLinks, NamesAreCutAt500) {
  const std::string name(600, 'n');
  TestChannel channel;
  channel.SetChannelName(name.c_str());
  EXPECT_EQ(std::string(channel.GetChannelName()), name.substr(0, 500));
  channel.SetChannelName(nullptr);
  EXPECT_NE(channel.GetChannelName(), nullptr);
}

}  // namespace
