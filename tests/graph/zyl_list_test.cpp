// Zyl_List: growth rule, insertion at and past the end, null filling and failures.
#include <climits>

#include "graph/zyl_list.h"
#include "graph_test_support.h"

namespace {

class InspectableList : public Zyl_List {
 public:
  int Capacity() const { return capacity; }
  void Fill(int n) {
    for (int i = 0; i < n; ++i) AddItem(Item(i));
  }
  static void* Item(int i) { return reinterpret_cast<void*>(static_cast<intptr_t>(i + 1)); }
};

TEST(ZylList, NewListIsEmpty) {
  InspectableList list;
  EXPECT_EQ(list.GetItemCount(), 0);
  EXPECT_EQ(list.Capacity(), 0);
  EXPECT_EQ(list.GetItem(0), nullptr);
}

TEST(ZylList, GrowsTo32ThenTo72) {
  InspectableList list;
  EXPECT_EQ(list.AddItem(nullptr), 0);
  EXPECT_EQ(list.Capacity(), 32);
  list.Fill(32);
  EXPECT_EQ(list.GetItemCount(), 33);
  EXPECT_EQ(list.Capacity(), 72);
  EXPECT_EQ(list.GetItem(32), InspectableList::Item(31));
}

struct InsertCase {
  int index;
  bool result;
  std::vector<intptr_t> expected;
};

class ZylListInsert : public ::testing::TestWithParam<InsertCase> {};

TEST_P(ZylListInsert, PlacesTheItem) {
  InspectableList list;
  list.Fill(3);
  const InsertCase& c = GetParam();
  EXPECT_EQ(list.InsertItem(reinterpret_cast<void*>(intptr_t{9}), c.index), c.result);
  ASSERT_EQ(list.GetItemCount(), static_cast<int>(c.expected.size()));
  for (size_t i = 0; i < c.expected.size(); ++i) {
    EXPECT_EQ(reinterpret_cast<intptr_t>(list.GetItem(static_cast<int>(i))), c.expected[i]) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ZylListInsert,
    ::testing::Values(InsertCase{0, true, {9, 1, 2, 3}}, InsertCase{1, true, {1, 9, 2, 3}},
                      InsertCase{3, true, {1, 2, 3, 9}}, InsertCase{5, true, {1, 2, 3, 9}},
                      InsertCase{-1, false, {1, 2, 3}}));

TEST(ZylList, InsertIntoEmptyListGrows) {
  InspectableList list;
  EXPECT_TRUE(list.InsertItem(InspectableList::Item(0), 0));
  EXPECT_EQ(list.GetItemCount(), 1);
  EXPECT_EQ(list.Capacity(), 33);  // insertion grows with the request count + 1
}

TEST(ZylList, InsertKeepsOneSpareEntry) {
  InspectableList list;
  list.Fill(31);  // capacity 32: one more insertion needs growth first
  EXPECT_TRUE(list.InsertItem(InspectableList::Item(99), 0));
  EXPECT_EQ(list.GetItemCount(), 32);
  EXPECT_EQ(list.Capacity(), 72);
  EXPECT_EQ(list.GetItem(31), InspectableList::Item(30));
}

TEST(ZylList, SetItemPastEndFillsWithNullAndAddItemOrNullReusesFirstHole) {
  InspectableList list;
  list.SetItem(InspectableList::Item(4), 4);
  ASSERT_EQ(list.GetItemCount(), 5);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(list.GetItem(i), nullptr);
  EXPECT_EQ(list.AddItemOrNULL(InspectableList::Item(0)), 0);
  EXPECT_EQ(list.GetItemCount(), 5);
  list.SetItem(InspectableList::Item(7), -1);
  EXPECT_EQ(list.GetItemCount(), 5);
}

TEST(ZylList, AddItemOrNullAppendsWhenFull) {
  InspectableList list;
  list.Fill(2);
  EXPECT_EQ(list.AddItemOrNULL(InspectableList::Item(5)), 2);
}

TEST(ZylList, RemoveAndGetOutsideRangeChangeNothing) {
  InspectableList list;
  list.Fill(3);
  list.RemoveItem(3);
  list.RemoveItem(-1);
  EXPECT_EQ(list.GetItemCount(), 3);
  EXPECT_EQ(list.GetItem(-1), nullptr);
  EXPECT_EQ(list.GetItem(3), nullptr);
  list.RemoveItem(0);
  EXPECT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(list.GetItem(0), InspectableList::Item(1));
}

TEST(ZylList, AllocateSetsExactLength) {
  InspectableList list;
  list.Fill(3);
  EXPECT_TRUE(list.Allocate(6));
  EXPECT_EQ(list.GetItemCount(), 6);
  EXPECT_EQ(list.GetItem(5), nullptr);
  EXPECT_EQ(list.GetItem(2), InspectableList::Item(2));
  EXPECT_TRUE(list.Allocate(1));
  EXPECT_EQ(list.GetItemCount(), 1);
  EXPECT_FALSE(list.Allocate(-1));
}

TEST(ZylList, ClearKeepsArrayReleaseFreesIt) {
  InspectableList list;
  list.Fill(3);
  list.ClearItems();
  EXPECT_EQ(list.GetItemCount(), 0);
  EXPECT_EQ(list.Capacity(), 32);
  list.ReleaseItems();
  EXPECT_EQ(list.Capacity(), 0);
  EXPECT_EQ(list.AddItem(nullptr), 0);
}

class ZylListFailure : public EngineTest {};

TEST_F(ZylListFailure, ImpossibleGrowthReportsAndKeepsContents) {
  InspectableList list;
  list.Fill(2);
  EXPECT_FALSE(list.Allocate(INT_MAX - 1));
  EXPECT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(list.GetItem(1), InspectableList::Item(1));
  ASSERT_FALSE(capture.messages.empty());
  EXPECT_EQ(capture.messages[0].first, messageBoxType);
  EXPECT_EQ(capture.messages[0].second.rfind("Error couldn't extend list ", 0), 0u);
  list.SetItem(InspectableList::Item(5), INT_MAX - 1);
  EXPECT_EQ(list.GetItemCount(), 2);
}

TEST(ZylList, NoMessageWithoutEngine) {
  MessageCapture capture;
  InspectableList list;
  EXPECT_FALSE(list.Allocate(INT_MAX - 1));
  EXPECT_TRUE(capture.messages.empty());
}

}  // namespace
