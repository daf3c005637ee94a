// The object data record: round trips, the older block names, and damaged records.
#include <vector>

#include "object_data_fixture.h"

namespace {

struct Pair {
  float u, v;
};

class ObjectDataRecordTest : public ObjectDataTest {
 protected:
  // The common channel record that precedes the object data blocks.
  std::vector<char> CommonRecord() {
    Hux_DX8_ObjectDataChannel& empty = Make();
    std::vector<char> bytes = Save(empty);
    bytes.resize(FindTag(bytes, "VRCO"));
    return bytes;
  }

  // A record of two vertices with positions, one triangle-list index block.
  RecordBuilder TwoVertices(uint32_t count, uint32_t flags) {
    RecordBuilder record(CommonRecord());
    record.Value("VRCO", count).Value("VRFL", flags);
    return record;
  }

  static void IndexBlocks(RecordBuilder& record, const std::vector<uint16_t>& indices) {
    record.Value("POCO", static_cast<uint32_t>(indices.size())).Array("PODA", indices);
    record.Value("POTY", int32_t{D3DPT_LINELIST});
  }
};

TEST_F(ObjectDataRecordTest, FullMeshRoundTrips) {
  Hux_DX8_ObjectDataChannel& object = Make();
  object.SetVertexCount(3);
  for (int i = 0; i < 3; ++i) {
    object.SetVertexPosition(D3DXVECTOR3(1.0f * i, -2.0f, 0.5f), i);
    object.SetVertexNormal(D3DXVECTOR3(0, 0, -1.0f * i), i);
    object.SetVertexColor(0xFF102030u + static_cast<unsigned>(i), i);
    object.SetVertexTUCoord(0, D3DXVECTOR2(0.1f * i, 0.2f), i);
    object.SetVertexTUCoord(2, D3DXVECTOR2(0.3f, 0.4f * i), i);
  }
  object.SetIndexCount(3);
  for (int i = 0; i < 3; ++i) object.SetIndex(static_cast<unsigned short>(2 - i), i);
  object.SetPolygonType(D3DPT_LINESTRIP);
  object.MapTexture(1, 9, false);
  object.SetTextureTransform(2, 2);
  VertTUVOffset offset{0.5f, 0.25f, 0.5f, 0.25f, 2.0f, 3.0f};
  object.SetTUVOffSet(2, offset);  // mapping 7: scales the stored pairs once

  Hux_DX8_ObjectDataChannel& copy = Make();
  ASSERT_TRUE(Load(copy, Save(object)));
  EXPECT_EQ(copy.GetVertexCount(), 3);
  EXPECT_EQ(copy.GetFVFlags(), object.GetFVFlags());
  // Flags 0x300 give the lower sets zero-filled arrays, as the drawn vertex format does.
  EXPECT_TRUE(copy.GetVertexTUUse(1));
  EXPECT_EQ(copy.GetVertexTUV(1, 2).x, 0.0f);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(copy.GetVertexPosition(i).x, object.GetVertexPosition(i).x);
    EXPECT_EQ(copy.GetVertexNormals(i).z, object.GetVertexNormals(i).z);
    EXPECT_EQ(copy.GetVertexColor(i), object.GetVertexColor(i));
    EXPECT_EQ(copy.GetVertexTUV(0, i).x, object.GetVertexTUV(0, i).x);
    EXPECT_EQ(copy.GetVertexTUV(2, i).y, object.GetVertexTUV(2, i).y);
    EXPECT_EQ(copy.GetIndexes(i), object.GetIndexes(i));
  }
  EXPECT_EQ(copy.GetPolygonType(), D3DPT_LINESTRIP);
  EXPECT_EQ(copy.GetTextureMapping(1), 9);
  EXPECT_EQ(copy.GetTextureMapping(0), 7);
  EXPECT_EQ(copy.GetTextureTransform(2), 2);
  EXPECT_EQ(copy.GetTUVOffSet(2).scaleV, 3.0f);
  EXPECT_EQ(copy.GetTUVOffSet(2).appliedOffsetU, 0.5f);
}

TEST_F(ObjectDataRecordTest, EmptyRecordKeepsItsIndexData) {
  Hux_DX8_ObjectDataChannel& object = Make();
  object.SetIndexCount(2);
  object.SetIndex(5, 0);
  std::vector<char> bytes = Save(object);
  ASSERT_NE(FindTag(bytes, "PODA"), std::string::npos);
  EXPECT_EQ(FindTag(bytes, "VPPI"), std::string::npos);

  Hux_DX8_ObjectDataChannel& copy = Make();
  ASSERT_TRUE(Load(copy, bytes));
  EXPECT_EQ(copy.GetVertexCount(), 0);
  EXPECT_EQ(copy.GetFVFlags(), 0u);
  EXPECT_EQ(copy.GetIndexCount(), 2);
  EXPECT_EQ(copy.GetIndexes(0), 5);
}

TEST_F(ObjectDataRecordTest, IndexCountWithoutStoredIndicesReloads) {
  Hux_DX8_ObjectDataChannel& object = Make();
  object.SetIndexCount(4);
  Hux_DX8_ObjectDataChannel& copy = Make();
  ASSERT_TRUE(Load(copy, Save(object)));
  EXPECT_EQ(copy.GetIndexCount(), 4);
  EXPECT_EQ(copy.GetIndexes(3), 0);
}

TEST_F(ObjectDataRecordTest, OlderBlockNamesWithFlags0x300) {
  const std::vector<D3DXVECTOR3> positions{{1, 2, 3}, {4, 5, 6}};
  const std::vector<Pair> first{{1, 1}, {1, 1}}, second{{2, 2}, {2, 2}}, third{{3, 3}, {3, 3}};
  const VertTUVOffset o1{1, 0, 0, 0, 1, 1}, o2{2, 0, 0, 0, 1, 1}, o3{3, 0, 0, 0, 1, 1};
  const int32_t mappings[3] = {4, 5, 6};
  RecordBuilder record = TwoVertices(2, D3DFVF_XYZ | D3DFVF_TEX3);
  record.Array("VPDA", positions);
  record.Array("VTDA", first).Value("VTOP", o1);
  record.Array("VTDA", second).Value("VTOP", o2);
  record.Array("VTDA", third).Value("VTOP", o3);
  IndexBlocks(record, {0, 1});
  record.Value("POTM", mappings);

  Hux_DX8_ObjectDataChannel& object = Make();
  ASSERT_TRUE(Load(object, record.bytes));
  EXPECT_EQ(object.GetVertexPosition(1).y, 5.0f);
  // The first pair goes to set 0, the second again to set 0, the third to set 1.
  EXPECT_EQ(object.GetVertexTUV(0, 0).x, 2.0f);
  EXPECT_EQ(object.GetTUVOffSet(0).appliedOffsetU, 2.0f);
  EXPECT_EQ(object.GetVertexTUV(1, 1).y, 3.0f);
  EXPECT_EQ(object.GetTUVOffSet(1).appliedOffsetU, 3.0f);
  EXPECT_FALSE(object.GetVertexTUUse(2));
  EXPECT_EQ(object.GetTextureMapping(2), 6);
  EXPECT_EQ(object.GetPolygonType(), D3DPT_LINELIST);
}

TEST_F(ObjectDataRecordTest, MissingVertexCountGivesAnEmptyChannel) {
  RecordBuilder record(CommonRecord());
  IndexBlocks(record, {0});
  Hux_DX8_ObjectDataChannel& object = Make();
  EXPECT_TRUE(Load(object, record.bytes));
  EXPECT_TRUE(Reported("Couldn't find VRCO header"));
  EXPECT_EQ(object.GetIndexCount(), 0);
}

TEST_F(ObjectDataRecordTest, DamagedRecordsFailCleanly) {
  const std::vector<D3DXVECTOR3> two{{0, 0, 0}, {1, 1, 1}};
  const std::vector<D3DXVECTOR3> three{{0, 0, 0}, {1, 1, 1}, {2, 2, 2}};
  struct Case {
    const char* name;
    uint32_t count;
    uint32_t flags;
    std::vector<D3DXVECTOR3> positions;
    std::vector<uint16_t> indices;
    uint32_t indexCount;
    bool dropIndexBlocks;
    const char* message;
  };
  const Case cases[] = {
      {"positions disagree with the count", 3, D3DFVF_XYZ, two, {0}, 1, false,
       "block size disagrees with the count"},
      {"indices disagree with their count", 2, D3DFVF_XYZ, two, {0, 1}, 3, false,
       "block size disagrees with the count"},
      {"vertex count beyond the record", 0x40000000u, D3DFVF_XYZ, three, {0}, 1, false,
       "vertex count exceeds the record"},
      {"no index blocks", 2, D3DFVF_XYZ, two, {}, 0, true, "Couldn't find POCO header"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    capture->messages.clear();
    RecordBuilder record = TwoVertices(c.count, c.flags);
    record.Array("VPPI", c.positions);
    if (!c.dropIndexBlocks) {
      record.Value("POCO", c.indexCount).Array("PODA", c.indices);
      record.Value("POTY", int32_t{D3DPT_TRIANGLELIST});
    }
    Hux_DX8_ObjectDataChannel& object = Make();
    EXPECT_FALSE(Load(object, record.bytes));
    EXPECT_TRUE(Reported(c.message));
  }
}

TEST_F(ObjectDataRecordTest, TruncatedRecordsFailAtEveryCut) {
  Hux_DX8_ObjectDataChannel& object = Make();
  object.SetVertexCount(2);
  object.SetVertexPosition(D3DXVECTOR3(1, 2, 3), 1);
  object.SetVertexTUCoord(0, D3DXVECTOR2(1, 1), 0);
  object.SetIndexCount(2);
  object.SetIndex(1, 1);
  std::vector<char> bytes = Save(object);
  const size_t start = FindTag(bytes, "VRFL");
  for (size_t cut = start; cut < FindTag(bytes, "PONM"); ++cut) {
    std::vector<char> damaged(bytes.begin(), bytes.begin() + static_cast<long>(cut));
    Hux_DX8_ObjectDataChannel& copy = Make();
    EXPECT_FALSE(Load(copy, damaged)) << "cut at " << cut;
  }
}

}  // namespace
