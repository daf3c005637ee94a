// Texture coordinate generators on a unit box centred at the origin.
#include <cmath>
#include <vector>

#include "object_data_fixture.h"

namespace {

class TextureCoordsTest : public ObjectDataTest {
 protected:
  // The eight corners in bit order (x, then y, then z), every normal `normal`, set 0
  // allocated.
  Hux_DX8_ObjectDataChannel& Box(D3DXVECTOR3 normal) {
    Hux_DX8_ObjectDataChannel& object = Make();
    object.SetVertexCount(8);
    for (int i = 0; i < 8; ++i) {
      object.SetVertexPosition(Corner(i), i);
      object.SetVertexNormal(normal, i);
      object.SetVertexTUCoord(0, D3DXVECTOR2(0.0f, 0.0f), i);
    }
    return object;
  }
  static D3DXVECTOR3 Corner(int i) {
    return D3DXVECTOR3((i & 1) ? 0.5f : -0.5f, (i & 2) ? 0.5f : -0.5f, (i & 4) ? 0.5f : -0.5f);
  }
  static int CornerIndex(float x, float y, float z) {
    return (x > 0 ? 1 : 0) | (y > 0 ? 2 : 0) | (z > 0 ? 4 : 0);
  }
};

struct MappingCase {
  const char* name;
  int mapping;
  D3DXVECTOR3 normal;
  D3DXVECTOR3 corner;
  float u, v;
};

TEST_F(TextureCoordsTest, GeneratorValues) {
  const D3DXVECTOR3 px(1, 0, 0), nx(-1, 0, 0), pz(0, 0, 1);
  const MappingCase cases[] = {
      {"planar z, top left", 2, pz, {-0.5f, 0.5f, -0.5f}, 0.0f, 0.0f},
      {"planar z, bottom right", 2, pz, {0.5f, -0.5f, 0.5f}, 1.0f, 1.0f},
      {"planar x", 0, pz, {0.5f, 0.5f, -0.5f}, 0.0f, 0.0f},
      {"planar x, far bottom", 0, pz, {0.5f, -0.5f, 0.5f}, 1.0f, 1.0f},
      {"planar y", 1, pz, {-0.5f, 0.5f, 0.5f}, 0.0f, 0.0f},
      {"cubic per vertex, x facing", 3, px, {0.5f, 0.5f, -0.5f}, 0.0f, -1.0f},
      {"cubic per vertex, z facing", 3, pz, {0.5f, 0.5f, -0.5f}, 1.0f, -1.0f},
      {"sphere, +z", 4, pz, {0.5f, 0.5f, 0.5f}, 0.25f, 0.5f},
      {"sphere, -x", 4, nx, {0.5f, 0.5f, 0.5f}, 0.5f, 0.5f},
      {"sphere, +x", 4, px, {0.5f, 0.5f, 0.5f}, 1.0f, 0.5f},
      {"cylinder, top", 5, pz, {0.5f, 0.5f, 0.5f}, 0.25f, 0.0f},
      {"cylinder, bottom", 5, pz, {0.5f, -0.5f, 0.5f}, 0.25f, 1.0f},
      // The first three corners span the xy plane: the whole mesh is projected along z.
      {"cubic whole mesh", 6, px, {-0.5f, 0.5f, 0.5f}, 0.0f, 0.0f},
  };
  for (const MappingCase& c : cases) {
    SCOPED_TRACE(c.name);
    Hux_DX8_ObjectDataChannel& object = Box(c.normal);
    object.MapTexture(0, c.mapping, true);
    EXPECT_EQ(object.GetTextureMapping(0), c.mapping);
    D3DXVECTOR2 uv = object.GetVertexTUV(0, CornerIndex(c.corner.x, c.corner.y, c.corner.z));
    EXPECT_NEAR(uv.x, c.u, 1e-5f);
    EXPECT_NEAR(uv.y, c.v, 1e-5f);
  }
}

TEST_F(TextureCoordsTest, CalculateTextureCoordsIsRepeatableForGenerators) {
  const VertTUVOffset offset{0.0f, 0.0f, 0.25f, -0.5f, 2.0f, 3.0f};
  for (int mapping = 0; mapping <= 7; ++mapping) {
    SCOPED_TRACE(testing::Message() << "mapping " << mapping);
    Hux_DX8_ObjectDataChannel& object = Box(D3DXVECTOR3(0.6f, 0.48f, 0.64f));
    for (int i = 0; i < 8; ++i) object.SetVertexTUCoord(0, D3DXVECTOR2(0.5f, 0.25f), i);
    object.MapTexture(0, mapping, false);
    object.SetTUVOffSet(0, offset);  // applies the offset once
    std::vector<D3DXVECTOR2> once;
    for (int i = 0; i < 8; ++i) once.push_back(object.GetVertexTUV(0, i));
    EXPECT_EQ(object.GetTUVOffSet(0).appliedOffsetU, 0.25f);
    object.CalculateTextureCoords(0);
    object.CalculateTextureCoords(0);
    for (int i = 0; i < 8; ++i) {
      D3DXVECTOR2 again = object.GetVertexTUV(0, i);
      if (mapping < 7) {
        EXPECT_EQ(again.x, once[i].x);
        EXPECT_EQ(again.y, once[i].y);
      } else {
        // Without a generator each call scales and offsets the current pairs again.
        EXPECT_NE(again.x, once[i].x);
      }
    }
  }
  Hux_DX8_ObjectDataChannel& object = Box(D3DXVECTOR3(1, 0, 0));
  EXPECT_TRUE(object.CreateVertexBuffer());
  EXPECT_EQ(object.GetVertexSize(), 12u + 12u + 8u);
}

TEST_F(TextureCoordsTest, UnknownMappingAndSetsLeaveCoordinatesAlone) {
  Hux_DX8_ObjectDataChannel& object = Box(D3DXVECTOR3(1, 0, 0));
  object.SetVertexTUCoord(0, D3DXVECTOR2(0.125f, 0.5f), 3);
  object.MapTexture(0, 9, false);
  EXPECT_EQ(object.GetTextureMapping(0), 9);
  EXPECT_EQ(object.GetVertexTUV(0, 3).x, 0.125f);
  EXPECT_EQ(object.GetFVFlags(), 0u);  // no buffers were built
  EXPECT_EQ(object.GetTextureMapping(3), -1);
  EXPECT_EQ(object.GetTUVOffSet(5).scaleU, 1.0f);
}

TEST_F(TextureCoordsTest, NormalizeRescalesToUnitRange) {
  Hux_DX8_ObjectDataChannel& object = Box(D3DXVECTOR3(1, 0, 0));
  for (int i = 0; i < 8; ++i) object.SetVertexTUCoord(0, D3DXVECTOR2(2.0f + i, 7.0f), i);
  object.NormalizeTexture(0);
  EXPECT_FLOAT_EQ(object.GetVertexTUV(0, 0).x, 0.0f);
  EXPECT_FLOAT_EQ(object.GetVertexTUV(0, 7).x, 1.0f);
  EXPECT_EQ(object.GetVertexTUV(0, 4).y, 7.0f);  // equal values stay
  EXPECT_NE(object.GetFVFlags(), 0u);            // buffers rebuilt
}

TEST_F(TextureCoordsTest, FlatMeshGetsFiniteCoordinates) {
  // A square in the plane z = 0: every generator divides by its extents.
  Hux_DX8_ObjectDataChannel& object = Make();
  object.SetVertexCount(4);
  for (int i = 0; i < 4; ++i) {
    object.SetVertexPosition(D3DXVECTOR3((i & 1) ? 1.0f : 0.0f, (i & 2) ? 1.0f : 0.0f, 0.0f), i);
    object.SetVertexNormal(D3DXVECTOR3(0, 0, -1), i);
    object.SetVertexTUCoord(0, D3DXVECTOR2(0.0f, 0.0f), i);
  }
  for (int mapping = 0; mapping <= 6; ++mapping) {
    SCOPED_TRACE(testing::Message() << "mapping " << mapping);
    object.MapTexture(0, mapping, true);
    for (int i = 0; i < 4; ++i) {
      EXPECT_TRUE(std::isfinite(object.GetVertexTUV(0, i).x));
      EXPECT_TRUE(std::isfinite(object.GetVertexTUV(0, i).y));
    }
  }
  object.MapTexture(0, 0, true);  // along x: u from z (flat), v from y
  EXPECT_EQ(object.GetVertexTUV(0, 3).x, 0.5f);
  EXPECT_FLOAT_EQ(object.GetVertexTUV(0, 3).y, 0.0f);
}

TEST_F(TextureCoordsTest, WholeMeshCubicNeedsThreeVertices) {
  Hux_DX8_ObjectDataChannel& object = Make();
  object.SetVertexCount(2);
  for (int i = 0; i < 2; ++i) {
    object.SetVertexPosition(D3DXVECTOR3(1.0f * i, 2.0f * i, 3.0f * i), i);
    object.SetVertexNormal(D3DXVECTOR3(0, 1, 0), i);
    object.SetVertexTUCoord(0, D3DXVECTOR2(9.0f, 9.0f), i);
  }
  object.CubicTexture(0, true);
  EXPECT_EQ(object.GetVertexTUV(0, 1).x, 9.0f);
}

}  // namespace
