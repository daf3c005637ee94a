// Shape builders: published counts, layout, outward unit normals, winding, adjacency and
// the argument checks.
#include <cstring>
#include <functional>
#include <vector>

#include "math_expect.h"

namespace {

// The builders only check the device pointer; they never call it.
IDirect3DDevice8* someDevice() {
  static int token;
  return reinterpret_cast<IDirect3DDevice8*>(&token);
}

using Build = std::function<HRESULT(IDirect3DDevice8*, ID3DXMesh**, ID3DXBuffer**)>;

Build box(float w, float h, float d) {
  return [=](IDirect3DDevice8* dev, ID3DXMesh** m, ID3DXBuffer** a) {
    return D3DXCreateBox(dev, w, h, d, m, a);
  };
}
Build sphere(float r, UINT slices, UINT stacks) {
  return [=](IDirect3DDevice8* dev, ID3DXMesh** m, ID3DXBuffer** a) {
    return D3DXCreateSphere(dev, r, slices, stacks, m, a);
  };
}
Build cylinder(float r1, float r2, float length, UINT slices, UINT stacks) {
  return [=](IDirect3DDevice8* dev, ID3DXMesh** m, ID3DXBuffer** a) {
    return D3DXCreateCylinder(dev, r1, r2, length, slices, stacks, m, a);
  };
}
Build torus(float inner, float outer, UINT sides, UINT rings) {
  return [=](IDirect3DDevice8* dev, ID3DXMesh** m, ID3DXBuffer** a) {
    return D3DXCreateTorus(dev, inner, outer, sides, rings, m, a);
  };
}
Build polygon(float length, UINT sides) {
  return [=](IDirect3DDevice8* dev, ID3DXMesh** m, ID3DXBuffer** a) {
    return D3DXCreatePolygon(dev, length, sides, m, a);
  };
}

struct Vertex {
  D3DXVECTOR3 position;
  D3DXVECTOR3 normal;
};
static_assert(sizeof(Vertex) == 24);

// A copy of a mesh's contents, read through its locks.
struct Contents {
  std::vector<Vertex> vertices;
  std::vector<WORD> indices;
};

Contents read(ID3DXMesh* mesh) {
  Contents c;
  BYTE* data = nullptr;
  EXPECT_EQ(mesh->LockVertexBuffer(D3DLOCK_READONLY, &data), D3D_OK);
  c.vertices.resize(mesh->GetNumVertices());
  std::memcpy(c.vertices.data(), data, c.vertices.size() * sizeof(Vertex));
  EXPECT_EQ(mesh->UnlockVertexBuffer(), D3D_OK);
  EXPECT_EQ(mesh->LockIndexBuffer(D3DLOCK_READONLY, &data), D3D_OK);
  c.indices.resize(mesh->GetNumFaces() * 3);
  std::memcpy(c.indices.data(), data, c.indices.size() * sizeof(WORD));
  EXPECT_EQ(mesh->UnlockIndexBuffer(), D3D_OK);
  return c;
}

// The direction "outward" at a surface point: for the convex shapes the position itself.
using Outward = std::function<D3DXVECTOR3(const D3DXVECTOR3&)>;
D3DXVECTOR3 fromOrigin(const D3DXVECTOR3& p) { return p; }
Outward fromTubeCentre(float outer) {
  return [outer](const D3DXVECTOR3& p) {
    D3DXVECTOR3 around(p.x, p.y, 0);
    D3DXVec3Normalize(&around, &around);
    return p - around * outer;
  };
}
D3DXVECTOR3 upward(const D3DXVECTOR3&) { return {0, 0, 1}; }

struct ShapeCase {
  const char* name;
  Build build;
  DWORD vertices;
  DWORD faces;
  Outward outward;
};

void PrintTo(const ShapeCase& shape, std::ostream* os) { *os << shape.name; }

// Counts from the published formulas, worked out by hand for each size.
const ShapeCase kShapes[] = {
    {"box", box(1, 1, 1), 24, 12, fromOrigin},
    {"flat box", box(3, 0.5f, 2), 24, 12, fromOrigin},
    {"sphere 24x12", sphere(1, 24, 12), 266, 528, fromOrigin},
    {"sphere 8x4", sphere(2.5f, 8, 4), 26, 48, fromOrigin},
    {"cylinder 12x3", cylinder(1, 1, 1, 12, 3), 74, 96, fromOrigin},
    {"cylinder 24x6", cylinder(0.5f, 2, 3, 24, 6), 218, 336, fromOrigin},
    {"cone 12x3", cylinder(1, 0, 1, 12, 3), 74, 96, fromOrigin},
    {"torus 12x24", torus(0.5f, 1, 12, 24), 288, 576, fromTubeCentre(1)},
    {"torus 3x3", torus(0.2f, 1, 3, 3), 9, 18, fromTubeCentre(1)},
    {"torus 8x16", torus(1, 3, 8, 16), 128, 256, fromTubeCentre(3)},
    {"polygon 12", polygon(3.141592f / 12, 12), 13, 12, upward},
    {"polygon 3", polygon(1, 3), 4, 3, upward},
    {"polygon 100", polygon(0.1f, 100), 101, 100, upward},
};

// The smallest counts give shapes without volume, whose faces are seen edge-on: only their
// counts and layout are checked.
const ShapeCase kFlatShapes[] = {
    {"sphere 2x2", sphere(1, 2, 2), 4, 4, nullptr},
    {"cylinder 2x1", cylinder(1, 1, 2, 2, 1), 10, 8, nullptr},
    {"flat cylinder", cylinder(1, 1, 0, 6, 1), 26, 24, nullptr},
};

std::string caseName(const ::testing::TestParamInfo<ShapeCase>& info) {
  std::string name = info.param.name;
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
}

class ShapeLayoutTest : public ::testing::TestWithParam<ShapeCase> {};
class ShapeSurfaceTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeLayoutTest, HasPublishedCountsAndLayout) {
  const ShapeCase& shape = GetParam();
  ID3DXMesh* mesh = nullptr;
  ASSERT_EQ(shape.build(someDevice(), &mesh, nullptr), D3D_OK);
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(mesh->GetNumVertices(), shape.vertices);
  EXPECT_EQ(mesh->GetNumFaces(), shape.faces);
  EXPECT_EQ(mesh->GetFVF(), D3DFVF_XYZ | D3DFVF_NORMAL);
  EXPECT_EQ(mesh->GetOptions() & D3DXMESH_32BIT, 0u);
  EXPECT_EQ(mesh->Release(), 0u);
}

TEST_P(ShapeSurfaceTest, NormalsAreUnitAndOutwardAndWindingAgrees) {
  const ShapeCase& shape = GetParam();
  ID3DXMesh* mesh = nullptr;
  ASSERT_EQ(shape.build(someDevice(), &mesh, nullptr), D3D_OK);
  const Contents c = read(mesh);
  mesh->Release();

  for (const Vertex& v : c.vertices) {
    EXPECT_NEAR(D3DXVec3Length(&v.normal), 1.0f, 1e-5f) << describe(v.position);
    const D3DXVECTOR3 out = shape.outward(v.position);
    EXPECT_GT(D3DXVec3Dot(&v.normal, &out), 0.0f) << "inward normal at " << describe(v.position);
  }
  size_t frontFacing = 0;
  for (size_t i = 0; i < c.indices.size(); i += 3) {
    ASSERT_LT(c.indices[i], c.vertices.size());
    ASSERT_LT(c.indices[i + 1], c.vertices.size());
    ASSERT_LT(c.indices[i + 2], c.vertices.size());
    const Vertex& a = c.vertices[c.indices[i]];
    const Vertex& b = c.vertices[c.indices[i + 1]];
    const Vertex& d = c.vertices[c.indices[i + 2]];
    D3DXVECTOR3 faceNormal;
    const D3DXVECTOR3 e1 = b.position - a.position;
    const D3DXVECTOR3 e2 = d.position - a.position;
    D3DXVec3Cross(&faceNormal, &e1, &e2);
    if (D3DXVec3Length(&faceNormal) < 1e-6f) continue;  // a collapsed face, as at a cone's tip
    // Clockwise seen from outside in left-handed coordinates: the cross product of the
    // edges points along the vertex normals.
    const D3DXVECTOR3 normals = a.normal + b.normal + d.normal;
    EXPECT_GT(D3DXVec3Dot(&faceNormal, &normals), 0.0f) << "face " << i / 3;
    ++frontFacing;
  }
  EXPECT_GT(frontFacing, 0u);
}

INSTANTIATE_TEST_SUITE_P(Solid, ShapeLayoutTest, ::testing::ValuesIn(kShapes), caseName);
INSTANTIATE_TEST_SUITE_P(Flat, ShapeLayoutTest, ::testing::ValuesIn(kFlatShapes), caseName);
INSTANTIATE_TEST_SUITE_P(Solid, ShapeSurfaceTest, ::testing::ValuesIn(kShapes), caseName);

TEST(ShapeGeometry, SizesAndOrientation) {
  ID3DXMesh* mesh = nullptr;
  ASSERT_EQ(D3DXCreateBox(someDevice(), 2, 4, 6, &mesh, nullptr), D3D_OK);
  for (const Vertex& v : read(mesh).vertices) {
    EXPECT_FLOAT_EQ(std::fabs(v.position.x), 1);
    EXPECT_FLOAT_EQ(std::fabs(v.position.y), 2);
    EXPECT_FLOAT_EQ(std::fabs(v.position.z), 3);
  }
  mesh->Release();

  ASSERT_EQ(D3DXCreateSphere(someDevice(), 2, 6, 5, &mesh, nullptr), D3D_OK);
  Contents c = read(mesh);
  EXPECT_TRUE(vectorsNear(c.vertices.front().position, {0, 0, 2}));  // poles on the z axis
  EXPECT_TRUE(vectorsNear(c.vertices.back().position, {0, 0, -2}));
  for (const Vertex& v : c.vertices) EXPECT_NEAR(D3DXVec3Length(&v.position), 2.0f, 1e-5f);
  mesh->Release();

  // A cone along z: radius 2 at z = -1.5, the tip at z = +1.5.
  ASSERT_EQ(D3DXCreateCylinder(someDevice(), 2, 0, 3, 8, 2, &mesh, nullptr), D3D_OK);
  for (const Vertex& v : read(mesh).vertices) {
    const float radius = std::hypot(v.position.x, v.position.y);
    EXPECT_NEAR(std::fabs(v.position.z), v.position.z == 0 ? 0.0f : 1.5f, 1e-5f);
    if (v.position.z > 0) {
      EXPECT_NEAR(radius, 0.0f, 1e-5f);
    } else if (v.position.z == 0) {
      EXPECT_NEAR(radius, 1.0f, 1e-5f);
    } else {
      EXPECT_TRUE(std::fabs(radius - 2) < 1e-5f || radius == 0);  // rim or cap centre
    }
    if (std::fabs(v.normal.z) < 1) {
      // A side normal is perpendicular to the slanted side: from radius 2 to 0 over length 3.
      D3DXVECTOR3 radial(v.normal.x, v.normal.y, 0);
      D3DXVec3Normalize(&radial, &radial);
      const D3DXVECTOR3 slant = radial * -2.0f + D3DXVECTOR3(0, 0, 3);
      EXPECT_NEAR(D3DXVec3Dot(&v.normal, &slant), 0.0f, 1e-5f);
    }
  }
  mesh->Release();

  // A torus about z: its tube of radius 0.5 circles the axis at distance 2.
  ASSERT_EQ(D3DXCreateTorus(someDevice(), 0.5f, 2, 6, 10, &mesh, nullptr), D3D_OK);
  for (const Vertex& v : read(mesh).vertices) {
    const float fromAxis = std::hypot(v.position.x, v.position.y);
    EXPECT_NEAR(std::hypot(fromAxis - 2, v.position.z), 0.5f, 1e-5f);
  }
  mesh->Release();

  // A hexagon in the xy plane: every side as long as asked.
  ASSERT_EQ(D3DXCreatePolygon(someDevice(), 1.5f, 6, &mesh, nullptr), D3D_OK);
  c = read(mesh);
  for (size_t i = 1; i < c.vertices.size(); ++i) {
    const D3DXVECTOR3 next = c.vertices[i % 6 + 1].position;
    const D3DXVECTOR3 edge = next - c.vertices[i].position;
    EXPECT_NEAR(D3DXVec3Length(&edge), 1.5f, 1e-5f);
    EXPECT_EQ(c.vertices[i].position.z, 0.0f);
  }
  mesh->Release();
}

TEST(ShapeAdjacency, ClosedShapesHaveNoOpenEdges) {
  struct Case {
    const char* name;
    Build build;
    size_t openEdges;
  };
  const Case cases[] = {
      {"box", box(1, 2, 3), 0},
      {"sphere", sphere(1, 8, 5), 0},
      {"cylinder", cylinder(1, 1, 1, 8, 2), 0},
      {"torus", torus(0.5f, 1, 6, 8), 0},
      {"polygon", polygon(1, 7), 7},  // its rim
  };
  for (const Case& c : cases) {
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer* adjacency = nullptr;
    ASSERT_EQ(c.build(someDevice(), &mesh, &adjacency), D3D_OK) << c.name;
    ASSERT_NE(adjacency, nullptr);
    const DWORD faces = mesh->GetNumFaces();
    ASSERT_EQ(adjacency->GetBufferSize(), faces * 3 * sizeof(DWORD)) << c.name;
    const auto* neighbours = static_cast<const DWORD*>(adjacency->GetBufferPointer());
    size_t open = 0;
    for (DWORD i = 0; i < faces * 3; ++i) {
      if (neighbours[i] == 0xFFFFFFFF) {
        ++open;
        continue;
      }
      ASSERT_LT(neighbours[i], faces) << c.name;
      // The neighbour names this face back.
      const DWORD* back = neighbours + neighbours[i] * 3;
      EXPECT_TRUE(back[0] == i / 3 || back[1] == i / 3 || back[2] == i / 3) << c.name;
    }
    EXPECT_EQ(open, c.openEdges) << c.name;
    EXPECT_EQ(adjacency->Release(), 0u);
    EXPECT_EQ(mesh->Release(), 0u);
  }
}

TEST(ShapeArguments, InvalidCallsGiveNoMesh) {
  const float nan = std::nanf("");
  struct Case {
    const char* name;
    Build build;
  };
  const Case cases[] = {
      {"polygon of 0 sides", polygon(1, 0)},
      {"polygon of 1 side", polygon(1, 1)},
      {"polygon of 2 sides", polygon(1, 2)},
      {"polygon of negative length", polygon(-1, 5)},
      {"box of negative width", box(-1, 1, 1)},
      {"box of NaN depth", box(1, 1, nan)},
      {"sphere of 1 slice", sphere(1, 1, 4)},
      {"sphere of 1 stack", sphere(1, 4, 1)},
      {"sphere of negative radius", sphere(-0.5f, 4, 4)},
      {"sphere beyond 16-bit indices", sphere(1, 1000, 1000)},
      {"cylinder of 0 stacks", cylinder(1, 1, 1, 12, 0)},
      {"cylinder of 1 slice", cylinder(1, 1, 1, 1, 3)},
      {"cylinder of negative length", cylinder(1, 1, -1, 12, 3)},
      {"cone of negative radius", cylinder(1, -1, 1, 12, 3)},
      {"torus of 2 sides", torus(0.5f, 1, 2, 8)},
      {"torus of 2 rings", torus(0.5f, 1, 8, 2)},
      {"torus beyond 16-bit indices", torus(0.5f, 1, 0xFFFFFFFFu, 0xFFFFFFFFu)},
  };
  for (const Case& c : cases) {
    auto* sentinel = reinterpret_cast<ID3DXMesh*>(0x1);
    ID3DXMesh* mesh = sentinel;
    ID3DXBuffer* adjacency = reinterpret_cast<ID3DXBuffer*>(0x1);
    EXPECT_EQ(c.build(someDevice(), &mesh, &adjacency), D3DERR_INVALIDCALL) << c.name;
    EXPECT_EQ(mesh, nullptr) << c.name;
    EXPECT_EQ(adjacency, nullptr) << c.name;
  }
  ID3DXMesh* mesh = nullptr;
  EXPECT_EQ(D3DXCreateBox(nullptr, 1, 1, 1, &mesh, nullptr), D3DERR_INVALIDCALL);
  EXPECT_EQ(mesh, nullptr);
  EXPECT_EQ(D3DXCreateBox(someDevice(), 1, 1, 1, nullptr, nullptr), D3DERR_INVALIDCALL);
  // 16-bit indices reach 65535 vertices (0xFFFF stays free as the "no vertex" marker).
  ASSERT_EQ(D3DXCreateTorus(someDevice(), 0.1f, 1, 3, 21845, &mesh, nullptr), D3D_OK);
  EXPECT_EQ(mesh->GetNumVertices(), 65535u);
  mesh->Release();
  EXPECT_EQ(D3DXCreateTorus(someDevice(), 0.1f, 1, 4, 16384, &mesh, nullptr), D3DERR_INVALIDCALL);
  // Zero sizes are allowed: a collapsed but valid mesh.
  EXPECT_EQ(D3DXCreateSphere(someDevice(), 0, 4, 4, &mesh, nullptr), D3D_OK);
  mesh->Release();
}

TEST(MeshObject, ReferenceCountsAndLocks) {
  ID3DXMesh* mesh = nullptr;
  ASSERT_EQ(D3DXCreatePolygon(someDevice(), 1, 5, &mesh, nullptr), D3D_OK);
  EXPECT_EQ(mesh->AddRef(), 2u);
  EXPECT_EQ(mesh->Release(), 1u);
  EXPECT_EQ(mesh->LockVertexBuffer(0, nullptr), D3DERR_INVALIDCALL);
  EXPECT_EQ(mesh->UnlockVertexBuffer(), D3DERR_INVALIDCALL);
  EXPECT_EQ(mesh->UnlockIndexBuffer(), D3DERR_INVALIDCALL);
  BYTE* first = nullptr;
  BYTE* second = nullptr;
  EXPECT_EQ(mesh->LockIndexBuffer(0, &first), D3D_OK);
  EXPECT_EQ(mesh->LockIndexBuffer(D3DLOCK_READONLY, &second), D3D_OK);
  EXPECT_EQ(first, second);
  EXPECT_EQ(mesh->UnlockIndexBuffer(), D3D_OK);
  EXPECT_EQ(mesh->UnlockIndexBuffer(), D3D_OK);
  EXPECT_EQ(mesh->UnlockIndexBuffer(), D3DERR_INVALIDCALL);
  EXPECT_EQ(mesh->Release(), 0u);
}

}  // namespace
