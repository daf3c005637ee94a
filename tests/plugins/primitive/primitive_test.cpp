// The primitive channel as a staged plug-in: mesh sizes per shape, flip, the complexity
// child, the disc below 3 sides, the line strip, rebuilding, and the saved record.
#include <gtest/gtest.h>

#include "hux_dx8_primitive.h"
#include "hux_float_channel.h"
#include "hux_vector_channel.h"
#include "staged_engine_fixture.h"

namespace {

class PrimitiveTest : public StagedEngineFixture {
 protected:
  Hux_DX8_Primitive* MakePrimitive(int type) {
    auto* primitive = Make<Hux_DX8_Primitive>(primitiveGuid);
    if (primitive != nullptr) primitive->SetPrimitiveType(type);
    return primitive;
  }
  Hux_FloatChannel* Float(float value) {
    auto* f = Make<Hux_FloatChannel>(floatValueGuid);
    if (f != nullptr) f->SetFloat(value);
    return f;
  }
  Hux_VectorChannel* Vector(float x, float y, float z) {
    auto* v = Make<Hux_VectorChannel>(vectorValueGuid);
    if (v != nullptr) v->SetVector(D3DXVECTOR3(x, y, z));
    return v;
  }
};

TEST_F(PrimitiveTest, ShapeSizesAtComplexity12) {
  struct Case {
    int type;
    int vertices;
    int indices;
  };
  // Sphere 24 slices x 12 stacks, cylinder and cone 12 x 3, torus 12 sides x 24 rings,
  // disc 12 sides.
  const Case cases[] = {
      {primitiveBox, 24, 36},       {primitivePlane, 4, 6},       {primitiveSphere, 266, 1584},
      {primitiveCylinder, 74, 288}, {primitiveCone, 74, 288},     {primitiveTorus, 288, 1728},
      {primitiveDisc, 13, 36},      {primitiveLineStrip, 0, 0},
  };
  for (const Case& c : cases) {
    Hux_DX8_Primitive* primitive = MakePrimitive(c.type);
    ASSERT_NE(primitive, nullptr);
    primitive->UpdateData();
    EXPECT_EQ(primitive->GetVertexCount(), c.vertices) << "type " << c.type;
    EXPECT_EQ(primitive->GetIndexCount(), c.indices) << "type " << c.type;
    EXPECT_FALSE(primitive->CheckIfPrimitiveChange()) << "type " << c.type;
    if (c.vertices == 0) continue;
    EXPECT_EQ(primitive->GetPolygonType(), D3DPT_TRIANGLELIST);
    EXPECT_TRUE(primitive->GetVertexTUUse(0));
    EXPECT_TRUE(primitive->GetVertexTUUse(1));
    EXPECT_FALSE(primitive->GetVertexTUUse(2));
  }
}

TEST_F(PrimitiveTest, ANewPrimitiveIsAUnitBoxWithCubicCoordinates) {
  auto* box = Make<Hux_DX8_Primitive>(primitiveGuid);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->GetPrimitiveType(), primitiveBox);
  box->UpdateData();
  ASSERT_EQ(box->GetVertexCount(), 24);
  const D3DXVECTOR3 min = box->GetBoundingBoxMin(), max = box->GetBoundingBoxMax();
  EXPECT_FLOAT_EQ(max.x - min.x, 1.0f);
  EXPECT_FLOAT_EQ(max.y - min.y, 1.0f);
  EXPECT_FLOAT_EQ(max.z - min.z, 1.0f);
  bool set0Varies = false;
  for (int i = 0; i < 24; ++i) {
    const D3DXVECTOR2 uv0 = box->GetVertexTUV(0, i), uv1 = box->GetVertexTUV(1, i);
    if (uv0.x != 0.0f || uv0.y != 0.0f) set0Varies = true;
    EXPECT_EQ(uv1.x, 0.0f);
    EXPECT_EQ(uv1.y, 0.0f);
  }
  EXPECT_TRUE(set0Varies);
}

TEST_F(PrimitiveTest, TheComplexityChildSetsTheSubdivision) {
  Hux_DX8_Primitive* sphere = MakePrimitive(primitiveSphere);
  Hux_FloatChannel* complexity = Float(6.0f);
  ASSERT_TRUE(sphere && complexity);
  sphere->SetChild(complexity, 0, Hux_DX8_Primitive::complexityLink);
  sphere->UpdateData();
  EXPECT_EQ(sphere->GetVertexCount(), 5 * 12 + 2);  // 12 slices, 6 stacks
  EXPECT_FALSE(sphere->CheckIfPrimitiveChange());

  // 12.5 builds with 12 but never matches it: rebuilt at every evaluation.
  complexity->SetFloat(12.5f);
  EXPECT_TRUE(sphere->CheckIfPrimitiveChange());
  sphere->UpdateData();
  EXPECT_EQ(sphere->GetVertexCount(), 266);
  EXPECT_TRUE(sphere->CheckIfPrimitiveChange());
  const unsigned long stamp = sphere->GetTimeStamp();
  sphere->UpdateData();
  EXPECT_NE(sphere->GetTimeStamp(), stamp);
}

TEST_F(PrimitiveTest, FlipTurnsTheSphereInsideOutButNotThePlane) {
  Hux_DX8_Primitive* plain = MakePrimitive(primitiveSphere);
  Hux_DX8_Primitive* flipped = MakePrimitive(primitiveSphere);
  ASSERT_TRUE(plain && flipped);
  flipped->SetPolygonFlip(true);
  plain->UpdateData();
  flipped->UpdateData();
  ASSERT_EQ(flipped->GetVertexCount(), plain->GetVertexCount());
  ASSERT_EQ(flipped->GetIndexCount(), plain->GetIndexCount());
  for (int i = 0; i < plain->GetVertexCount(); ++i) {
    const D3DXVECTOR3 n = plain->GetVertexNormals(i), f = flipped->GetVertexNormals(i);
    EXPECT_EQ(f.x, -n.x);
    EXPECT_EQ(f.y, -n.y);
    EXPECT_EQ(f.z, -n.z);
  }
  const int count = plain->GetIndexCount();
  for (int i = 0; i < count; ++i) {
    ASSERT_EQ(flipped->GetIndexes(i), plain->GetIndexes(count - 1 - i)) << i;
  }

  Hux_DX8_Primitive* plane = MakePrimitive(primitivePlane);
  ASSERT_NE(plane, nullptr);
  plane->SetPolygonFlip(true);
  plane->UpdateData();
  const unsigned short expected[6] = {0, 2, 3, 0, 1, 2};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(plane->GetIndexes(i), expected[i]);
  EXPECT_EQ(plane->GetVertexNormals(0).z, -1.0f);
}

TEST_F(PrimitiveTest, ADiscBelowThreeSidesHasNoMeshAndDrawsNothing) {
  UseOrthoView(4.0f, 4.0f);
  for (float sides : {0.0f, 1.0f, 2.0f}) {
    Hux_DX8_Primitive* disc = MakePrimitive(primitiveDisc);
    ASSERT_NE(disc, nullptr);
    disc->SetChild(Float(sides), 0, Hux_DX8_Primitive::complexityLink);
    const kelvane::test::Image frame = DrawFrame([&] { disc->CallChannel(); }, 0xFF0000FF);
    EXPECT_EQ(disc->GetVertexCount(), 0) << sides;
    EXPECT_TRUE(disc->CheckIfPrimitiveChange()) << sides;  // tried again next time
    for (uint32_t pixel : frame.pixels) ASSERT_EQ(pixel & 0xFFFFFF, 0x0000FFu) << sides;
  }
}

TEST_F(PrimitiveTest, ALineStripDrawsOneSegmentPerNeighbouringPair) {
  // 4 x 4 units on 96 x 64 pixels: x = (u + 2) * 24, y = (2 - v) * 16.
  UseOrthoView(4.0f, 4.0f);
  IDirect3DDevice8* d3d = device->GetDirect3dDevice();
  d3d->SetRenderState(D3DRS_LIGHTING, FALSE);  // lines in their unlit white
  D3DXMATRIX at;
  D3DXMatrixTranslation(&at, 0.0f, 0.0f, 5.0f);
  d3d->SetTransform(D3DTS_WORLD, &at);
  Hux_DX8_Primitive* line = MakePrimitive(primitiveLineStrip);
  ASSERT_NE(line, nullptr);
  line->SetChild(Vector(-1.5f, 0.0f, 0.0f), -1, Hux_DX8_Primitive::informationLink);
  auto covered = [](const kelvane::test::Image& frame, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if ((frame.at(x + dx, y + dy) & 0xFFFFFF) != 0) return true;
      }
    }
    return false;
  };
  const kelvane::test::Image one = DrawFrame([&] { line->CallChannel(); }, 0xFF000000);
  for (uint32_t pixel : one.pixels) ASSERT_EQ(pixel & 0xFFFFFF, 0u);

  // (-1.5, 0) -> (0, 1.5) -> (1.5, 0): two segments, nothing below the horizontal.
  line->SetChild(Vector(0.0f, 1.5f, 0.0f), -1, Hux_DX8_Primitive::informationLink);
  line->SetChild(Vector(1.5f, 0.0f, 0.0f), -1, Hux_DX8_Primitive::informationLink);
  const kelvane::test::Image three = DrawFrame([&] { line->CallChannel(); }, 0xFF000000);
  EXPECT_TRUE(covered(three, 30, 20));  // middle of the first segment, (-0.75, 0.75)
  EXPECT_TRUE(covered(three, 66, 20));  // middle of the second, (0.75, 0.75)
  EXPECT_FALSE(covered(three, 48, 32 + 8));
  EXPECT_FALSE(covered(three, 48, 20));  // inside the angle, on neither segment
}

TEST_F(PrimitiveTest, ADeviceResetKeepsTheMeshAndItDrawsAgain) {
  IDirect3DDevice8* d3d = nullptr;
  // Unlit and untextured: the plane has no colours, so it is drawn white.
  auto unlitWhite = [&] {
    d3d = device->GetDirect3dDevice();
    UseOrthoView(4.0f, 4.0f);
    d3d->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  };
  unlitWhite();
  Hux_DX8_Primitive* plane = MakePrimitive(primitivePlane);
  ASSERT_NE(plane, nullptr);
  auto draw = [&] {
    D3DXMATRIX at;
    D3DXMatrixTranslation(&at, 0.0f, 0.0f, 5.0f);
    d3d->SetTransform(D3DTS_WORLD, &at);
    plane->CallChannel();
  };
  EXPECT_EQ(DrawFrame(draw, 0xFF000000).at(48, 32) & 0xFFFFFF, 0xFFFFFFu);
  // The default-pool buffers must be released for the reset to succeed.
  ASSERT_TRUE(device->ResetDevice());
  unlitWhite();
  EXPECT_EQ(plane->GetVertexCount(), 4);
  EXPECT_FALSE(plane->CheckIfPrimitiveChange());
  EXPECT_EQ(DrawFrame(draw, 0xFF000000).at(48, 32) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(PrimitiveTest, SettingTheSameTypeStillRebuilds) {
  Hux_DX8_Primitive* box = MakePrimitive(primitiveBox);
  ASSERT_NE(box, nullptr);
  box->UpdateData();
  ASSERT_FALSE(box->CheckIfPrimitiveChange());
  const unsigned long stamp = box->GetTimeStamp();
  box->SetPrimitiveType(primitiveBox);
  EXPECT_TRUE(box->CheckIfPrimitiveChange());
  box->UpdateData();
  EXPECT_NE(box->GetTimeStamp(), stamp);
  EXPECT_EQ(box->GetVertexCount(), 24);
  box->SetPolygonFlip(false);
  EXPECT_TRUE(box->CheckIfPrimitiveChange());
}

TEST_F(PrimitiveTest, TheRecordKeepsTheSettingsAndLoadingRebuildsTheMesh) {
  Hux_DX8_Primitive* sphere = MakePrimitive(primitiveSphere);
  ASSERT_NE(sphere, nullptr);
  sphere->SetPolygonFlip(true);
  sphere->SetTextureTransform(1, Hux_DX8_ObjectDataChannel::transformCameraSpace);
  sphere->UpdateData();
  VertTUVOffset offset;
  offset.requestedOffsetU = 0.25f;
  offset.scaleV = 2.0f;
  sphere->SetTUVOffSet(1, offset);
  const std::string file = folder.engine("primitive.cgr");
  ASSERT_TRUE(group->SaveChannelGroup(file.c_str()));

  Zyl_ChannelGroup* loaded = engine->LoadChannelGroup(file.c_str(), "Loaded");
  ASSERT_NE(loaded, nullptr);
  auto* copy = FindIn<Hux_DX8_Primitive>(loaded);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetPrimitiveType(), primitiveSphere);
  EXPECT_TRUE(copy->GetPolygonFlip());
  EXPECT_EQ(copy->GetTextureTransform(1), Hux_DX8_ObjectDataChannel::transformCameraSpace);
  EXPECT_EQ(copy->GetTUVOffSet(1).requestedOffsetU, 0.25f);
  EXPECT_EQ(copy->GetTUVOffSet(1).scaleV, 2.0f);
  EXPECT_EQ(copy->GetTextureMapping(0), sphere->GetTextureMapping(0));
  // Built at once on load, from the settings alone.
  EXPECT_FALSE(copy->CheckIfPrimitiveChange());
  ASSERT_EQ(copy->GetVertexCount(), 266);
  EXPECT_EQ(copy->GetVertexNormals(0).z, sphere->GetVertexNormals(0).z);
  EXPECT_TRUE(copy->GetVertexTUUse(1));
  EXPECT_FALSE(copy->GetVertexTUUse(2));
}

TEST_F(PrimitiveTest, ABlockOfTheWrongSizeFailsTheLoad) {
  struct Case {
    const char* tag;
    unsigned long size;
  };
  const Case cases[] = {{"PRST", 3}, {"PRST", 8}, {"PRFP", 4}, {"PRT1", 20},
                        {"PRTM", 8}, {"POTT", 16}, {"PRUT", 0}};
  for (const Case& c : cases) {
    Hux_DX8_Primitive* primitive = MakePrimitive(primitiveSphere);
    ASSERT_NE(primitive, nullptr);
    EXPECT_FALSE(LoadWithBlock(*primitive, c.tag, c.size)) << c.tag << " " << c.size;
    EXPECT_EQ(primitive->GetPrimitiveType(), primitiveSphere) << c.tag;
  }
  // Right-sized blocks load, and the mesh is built from them.
  Hux_DX8_Primitive* primitive = MakePrimitive(primitiveSphere);
  ASSERT_NE(primitive, nullptr);
  EXPECT_TRUE(LoadWithBlock(*primitive, "PRST", 4));  // type 0: a box
  EXPECT_EQ(primitive->GetPrimitiveType(), primitiveBox);
  EXPECT_EQ(primitive->GetVertexCount(), 24);
}

}  // namespace
