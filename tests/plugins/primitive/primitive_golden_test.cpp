// Every primitive drawn through a surface, opaque (top two rows) and half transparent
// (bottom two rows), against tests/golden/primitives_through_surfaces.png. Unlit by any
// light, each surface shows its emissive colour at its material alpha, so the expected
// pixels follow from the scene's own numbers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "hux_dx8_primitive.h"
#include "hux_dx8_surface_channel.h"
#include "hux_vector_channel.h"
#include "staged_engine_fixture.h"

namespace {

using kelvane::test::Image;

constexpr int width = 160, height = 120;
// 8 x 6 units orthographic: 20 pixels a unit, cells of 2 x 1.5 units (40 x 30 pixels).
constexpr float unitsWide = 8.0f, unitsHigh = 6.0f;
constexpr D3DCOLOR background = 0xFF333333;
constexpr int backgroundLevel = 0x33;

struct Shape {
  int type;
  float scale;
  float tilt;  // about x, radians
  float r, g, b;
};

// The disc faces +z: half a turn about y shows its front to the camera.
constexpr Shape shapes[] = {
    {primitiveBox, 0.6f, 0.6f, 1.0f, 0.25f, 0.25f},    {primitivePlane, 0.9f, 0.6f, 0.25f, 1.0f, 0.25f},
    {primitiveSphere, 0.6f, 0.6f, 0.25f, 0.25f, 1.0f}, {primitiveCylinder, 0.6f, 0.6f, 1.0f, 1.0f, 0.25f},
    {primitiveCone, 0.6f, 0.6f, 1.0f, 0.25f, 1.0f},    {primitiveTorus, 0.45f, 0.6f, 0.25f, 1.0f, 1.0f},
    {primitiveDisc, 1.2f, 0.6f, 1.0f, 0.5f, 0.0f},     {primitiveLineStrip, 0.6f, 0.0f, 1.0f, 1.0f, 1.0f},
};

struct Cell {
  float x, y;  // centre in units
  int px, py;  // the pixel whose corner is that centre
};

Cell CellAt(int index) {  // 4 columns, 4 rows, row by row from the top left
  const int column = index % 4, row = index / 4;
  Cell cell{-3.0f + 2.0f * column, 2.25f - 1.5f * row, 0, 0};
  cell.px = static_cast<int>((cell.x + unitsWide / 2) * 20.0f);
  cell.py = static_cast<int>((unitsHigh / 2 - cell.y) * 20.0f);
  return cell;
}

int Level(float value, bool transparent) {
  const float level = value * 255.0f;
  return static_cast<int>(transparent ? 0.5f * level + 0.5f * backgroundLevel + 0.5f : level + 0.5f);
}

class PrimitiveGoldenTest : public StagedEngineFixture {
 protected:
  PrimitiveGoldenTest() : StagedEngineFixture(width, height) {}

  Hux_DX8_SurfaceChannel* MakeSurface(const Shape& shape, bool transparent) {
    auto* surface = Make<Hux_DX8_SurfaceChannel>(surfaceChannelGuid);
    auto* primitive = Make<Hux_DX8_Primitive>(primitiveGuid);
    if (surface == nullptr || primitive == nullptr) return nullptr;
    primitive->SetPrimitiveType(shape.type);
    if (shape.type == primitiveLineStrip) {
      for (const D3DXVECTOR3& p : {D3DXVECTOR3(-1, -0.5f, 0), D3DXVECTOR3(0, 0.5f, 0),
                                   D3DXVECTOR3(1, -0.5f, 0)}) {
        auto* point = Make<Hux_VectorChannel>(vectorValueGuid);
        if (point == nullptr) return nullptr;
        point->SetVector(p);
        primitive->SetChild(point, -1, Hux_DX8_Primitive::informationLink);
      }
    }
    surface->SetChild(primitive, 0, surfaceLinkObjectData);
    D3DMATERIAL8 material{};
    material.Diffuse = {1.0f, 1.0f, 1.0f, transparent ? 0.5f : 1.0f};
    material.Emissive = {shape.r, shape.g, shape.b, 1.0f};
    surface->SetSavedMaterial(material);
    return surface;
  }
};

TEST_F(PrimitiveGoldenTest, EveryPrimitiveOpaqueAndTransparent) {
  UseOrthoView(unitsWide, unitsHigh);
  std::vector<std::pair<Hux_DX8_SurfaceChannel*, D3DXMATRIX>> surfaces;
  for (int index = 0; index < 16; ++index) {
    const Shape& shape = shapes[index % 8];
    Hux_DX8_SurfaceChannel* surface = MakeSurface(shape, index >= 8);
    ASSERT_NE(surface, nullptr);
    ASSERT_EQ(surface->GetIfTransparent(), index >= 8);
    const Cell cell = CellAt(index);
    D3DXMATRIX scale, turn, tilt, place, m;
    D3DXMatrixScaling(&scale, shape.scale, shape.scale, shape.scale);
    D3DXMatrixRotationY(&turn, shape.type == primitiveDisc ? 3.14159265f : 0.0f);
    D3DXMatrixRotationX(&tilt, shape.tilt);
    D3DXMatrixTranslation(&place, cell.x, cell.y, 5.0f);
    D3DXMatrixMultiply(&m, &scale, &turn);
    D3DXMatrixMultiply(&m, &m, &tilt);
    D3DXMatrixMultiply(&m, &m, &place);
    surfaces.emplace_back(surface, m);
  }
  // As a 3D object draws: every opaque part first, then every transparent part.
  const Image frame = DrawFrame(
      [&] {
        for (auto& [surface, m] : surfaces) {
          surface->SetSurfaceMatrix(m);
          surface->DrawSurface();
        }
        for (auto& [surface, m] : surfaces) {
          surface->SetSurfaceMatrix(m);
          surface->DrawTransparentSurface();
        }
      },
      background);
  ASSERT_EQ(frame.width, width);
  ASSERT_EQ(frame.height, height);

  // Hand checks: the expected colour where each shape surely covers, the background where
  // it surely does not.
  bool checksPass = true;
  auto expectColour = [&](int x, int y, float r, float g, float b, bool transparent, const char* what) {
    const uint32_t pixel = frame.at(x, y);
    const int got[3] = {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                        static_cast<int>(pixel & 0xFF)};
    const int want[3] = {Level(r, transparent), Level(g, transparent), Level(b, transparent)};
    for (int k = 0; k < 3; ++k) {
      if (std::abs(got[k] - want[k]) > 2) {
        checksPass = false;
        ADD_FAILURE() << what << " at (" << x << ", " << y << "): channel " << k << " is " << got[k]
                      << ", expected " << want[k];
      }
    }
  };
  auto expectBackground = [&](int x, int y, const char* what) {
    const float level = backgroundLevel / 255.0f;
    expectColour(x, y, level, level, level, false, what);
  };
  for (int index = 0; index < 16; ++index) {
    const Shape& shape = shapes[index % 8];
    const Cell cell = CellAt(index);
    const bool transparent = index >= 8;
    expectBackground(cell.px - 19, cell.py - 14, "cell corner");
    if (shape.type == primitiveTorus) {
      expectBackground(cell.px, cell.py, "torus hole");
      // The tube's centre line crosses the x axis at 0.45 units (9 pixels) either side.
      expectColour(cell.px + 9, cell.py, shape.r, shape.g, shape.b, transparent, "torus tube");
      expectColour(cell.px - 10, cell.py, shape.r, shape.g, shape.b, transparent, "torus tube");
    } else if (shape.type == primitiveLineStrip) {
      // The segments' middles: (-0.3, 0) and (0.3, 0) units from the centre, 6 pixels.
      for (int side : {-1, 1}) {
        bool found = false;
        for (int dy = -1; dy <= 1 && !found; ++dy) {
          for (int dx = -1; dx <= 1 && !found; ++dx) {
            const uint32_t pixel = frame.at(cell.px + side * 6 + dx, cell.py + dy);
            found = static_cast<int>(pixel & 0xFF) >= Level(1.0f, transparent) - 2;
          }
        }
        if (!found) {
          checksPass = false;
          ADD_FAILURE() << "line segment missing in cell " << index;
        }
      }
      expectBackground(cell.px, cell.py + 8, "below the line strip");
    } else {
      expectColour(cell.px, cell.py, shape.r, shape.g, shape.b, transparent, "shape centre");
    }
  }
  EXPECT_TRUE(kelvane::test::matchesGolden("primitives_through_surfaces", frame,
                                           kelvane::test::Tolerance{}, checksPass));
}

}  // namespace
