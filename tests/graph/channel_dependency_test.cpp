// The dependency walk: own type first, base types through temporary channels, types and
// libraries added by a channel's own DoDependencyInit, each type listed and walked once.
#include <map>
#include <memory>

#include "graph/channel_dependency.h"
#include "graph/channel_internal.h"
#include "graph_test_support.h"
#include "graph/zyl_string.h"

namespace {

// Declares the float type and a library, and once more its own base type.
class DependentChannel : public TestChannel {
 public:
  using TestChannel::TestChannel;
  void DoDependencyInit(Zyl_List* dependencies) override {
    AddChannelGuidDepend(floatGuid, dependencies);
    AddChannelGuidDepend(matrixGuid, dependencies);
    AddDLLDepend("helper.dll", dependencies);
    AddDLLDepend(nullptr, dependencies);
  }
};

// Creates channels of the matrix type (its own base) and the float type, counting them.
class DependencyEngine : public EngineInterface {
 public:
  Zyl_Channel* InitChannelFromType(GUID type, Zyl_ChannelGroup*, bool) override {
    if (!IsEqualGuid(type, matrixGuid) && !IsEqualGuid(type, floatGuid)) return nullptr;
    ++created[type.Data1];
    return new TestChannel(type, type);
  }
  std::map<uint32_t, int> created;
};

class DependencyWalk : public ::testing::Test {
 protected:
  DependencyWalk() : previous(globalEngine) { globalEngine = &engine; }
  ~DependencyWalk() override {
    for (int i = 0; i < dependencies.GetItemCount(); ++i) {
      delete static_cast<ChannelDependency*>(dependencies.GetItem(i));
    }
    globalEngine = previous;
  }
  ChannelDependency* Record(int i) const {
    return static_cast<ChannelDependency*>(dependencies.GetItem(i));
  }

  DependencyEngine engine;
  Zyl_List dependencies;

 private:
  EngineInterface* previous;
};

TEST_F(DependencyWalk, DerivedTypeGivesItsOwnRecordFirstThenItsBase) {
  TestChannel derived(derivedMatrixGuid, matrixGuid);
  channelInternal.GetChannelDepenency(&derived, &dependencies);
  ASSERT_EQ(dependencies.GetItemCount(), 2);
  EXPECT_TRUE(IsEqualGuid(Record(0)->typeGuid, derivedMatrixGuid));
  EXPECT_TRUE(IsEqualGuid(Record(1)->typeGuid, matrixGuid));
  EXPECT_EQ(engine.created[matrixGuid.Data1], 1);
}

TEST_F(DependencyWalk, TypeReachedTwiceIsListedAndWalkedOnce) {
  DependentChannel first(derivedMatrixGuid, matrixGuid);
  DependentChannel second(derivedMatrixGuid, matrixGuid);
  channelInternal.GetChannelDepenency(&first, &dependencies);
  channelInternal.GetChannelDepenency(&second, &dependencies);
  ASSERT_EQ(dependencies.GetItemCount(), 3);
  EXPECT_TRUE(IsEqualGuid(Record(2)->typeGuid, floatGuid));
  EXPECT_EQ(engine.created[matrixGuid.Data1], 1);
  EXPECT_EQ(engine.created[floatGuid.Data1], 1);
  ASSERT_EQ(Record(0)->libraries.GetItemCount(), 1);
  EXPECT_STREQ(static_cast<Zyl_String*>(Record(0)->libraries.GetItem(0))->GetString(),
               "helper.dll");
}

TEST_F(DependencyWalk, LibraryBeforeTheOwnRecordAndUnknownTypesAreIgnored) {
  DependentChannel channel(derivedMatrixGuid, matrixGuid);
  channel.AddDLLDepend("helper.dll", &dependencies);
  channel.AddChannelGuidDepend(derivedMatrixGuid, &dependencies);  // cannot be created
  EXPECT_EQ(dependencies.GetItemCount(), 0);
  channelInternal.GetChannelDepenency(nullptr, &dependencies);
  channelInternal.GetChannelDepenency(&channel, nullptr);
  EXPECT_EQ(dependencies.GetItemCount(), 0);
}

}  // namespace
