// Arrays, buffer creation, drawing by polygon type and culling of the staged object data
// channel over the software device.
#include <vector>

#include "hux_matrix_channel.h"
#include "object_data_fixture.h"

namespace {

struct Frame {
  std::vector<uint32_t> pixels;
  bool Lit(int x, int y) const {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        int px = x + dx, py = y + dy;
        if (px < 0 || py < 0 || px >= ObjectDataTest::width || py >= ObjectDataTest::height) {
          continue;
        }
        if ((pixels[static_cast<size_t>(py) * ObjectDataTest::width + px] & 0xFFFFFF) != 0) {
          return true;
        }
      }
    }
    return false;
  }
  int LitCount() const {
    int n = 0;
    for (uint32_t p : pixels) n += (p & 0xFFFFFF) != 0;
    return n;
  }
};

class ObjectDataMeshTest : public ObjectDataTest {
 protected:
  // Clip-space vertices under identity matrices: the corners top left, top right and
  // bottom right of a square inset from the viewport.
  void Triangle(Hux_DX8_ObjectDataChannel& object, const std::vector<uint16_t>& indices,
                int polygonType) {
    object.SetVertexCount(3);
    const D3DXVECTOR3 corners[] = {{-0.8f, 0.8f, 0.5f}, {0.8f, 0.8f, 0.5f}, {0.8f, -0.8f, 0.5f}};
    for (int i = 0; i < 3; ++i) {
      object.SetVertexPosition(corners[i], i);
      object.SetVertexColor(0xFFFFFFFF, i);
    }
    object.SetIndexCount(static_cast<int>(indices.size()));
    for (size_t i = 0; i < indices.size(); ++i) object.SetIndex(indices[i], static_cast<int>(i));
    object.SetPolygonType(polygonType);
  }

  void IdentityView() {
    IDirect3DDevice8* d = device->GetDirect3dDevice();
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    d->SetTransform(D3DTS_WORLD, &identity);
    d->SetTransform(D3DTS_VIEW, &identity);
    d->SetTransform(D3DTS_PROJECTION, &identity);
    device->CalcFrustumPlanes();
  }

  Frame Draw(Hux_DX8_ObjectDataChannel& object) {
    IDirect3DDevice8* d = device->GetDirect3dDevice();
    IdentityView();
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    group->IncreaseTreeCount();  // a new frame
    d->BeginScene();
    object.CallChannel();
    d->EndScene();
    Frame frame;
    IDirect3DSurface8* surface = nullptr;
    EXPECT_TRUE(SUCCEEDED(d->Present(nullptr, nullptr, nullptr, nullptr)));
    EXPECT_TRUE(SUCCEEDED(d->CreateImageSurface(width, height, D3DFMT_A8R8G8B8, &surface)));
    if (surface == nullptr) return frame;
    D3DLOCKED_RECT locked{};
    if (SUCCEEDED(d->GetFrontBuffer(surface)) &&
        SUCCEEDED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
      frame.pixels.resize(static_cast<size_t>(width) * height);
      for (int y = 0; y < height; ++y) {
        std::memcpy(&frame.pixels[static_cast<size_t>(y) * width],
                    static_cast<const char*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch,
                    static_cast<size_t>(width) * 4);
      }
      surface->UnlockRect();
    }
    surface->Release();
    return frame;
  }
};

// Screen points on the top edge, the right edge and inside the triangle.
constexpr int topX = 48, topY = 6;
constexpr int rightX = 86, rightY = 40;
constexpr int insideX = 62, insideY = 22;

struct DrawCase {
  const char* name;
  int polygonType;
  std::vector<uint16_t> indices;
  bool top, right, inside;
};

TEST_F(ObjectDataMeshTest, DrawsByPolygonType) {
  const DrawCase cases[] = {
      {"triangle list", D3DPT_TRIANGLELIST, {0, 1, 2}, true, true, true},
      {"line list", D3DPT_LINELIST, {0, 1, 1, 2}, true, true, false},
      {"odd line list draws count / 2 lines", D3DPT_LINELIST, {0, 1, 2}, true, false, false},
      {"line strip", D3DPT_LINESTRIP, {0, 1, 2}, true, true, false},
      {"strip draws nothing", D3DPT_TRIANGLESTRIP, {0, 1, 2}, false, false, false},
      {"fan draws nothing", D3DPT_TRIANGLEFAN, {0, 1, 2}, false, false, false},
  };
  for (const DrawCase& c : cases) {
    SCOPED_TRACE(c.name);
    Hux_DX8_ObjectDataChannel& object = Make();
    Triangle(object, c.indices, c.polygonType);
    Frame frame = Draw(object);
    ASSERT_FALSE(frame.pixels.empty());
    EXPECT_EQ(object.GetFVFlags(), D3DFVF_XYZ | D3DFVF_DIFFUSE);  // buffers were made
    EXPECT_EQ(object.GetVertexSize(), 16u);
    EXPECT_EQ(frame.Lit(topX, topY), c.top);
    EXPECT_EQ(frame.Lit(rightX, rightY), c.right);
    EXPECT_EQ(frame.Lit(insideX, insideY), c.inside);
    if (!c.top && !c.right && !c.inside) {
      EXPECT_EQ(frame.LitCount(), 0);
    }
  }
}

TEST_F(ObjectDataMeshTest, IndexEqualToVertexCountIsInvalid) {
  Hux_DX8_ObjectDataChannel& object = Make();
  Triangle(object, {0, 1, 3}, D3DPT_TRIANGLELIST);
  EXPECT_FALSE(object.CreateVertexBuffer());
  EXPECT_TRUE(Reported("Hux_DX8_ObjectDataChannel::CreateVertexBuffer Invalid index data"));
  EXPECT_EQ(Draw(object).LitCount(), 0);

  object.SetIndex(2, 2);
  EXPECT_TRUE(object.CreateVertexBuffer());
}

TEST_F(ObjectDataMeshTest, CullsOnlyMeshesOfFourVerticesOrMore) {
  struct Case {
    int vertices;
    float x;
    bool visible;
  };
  const Case cases[] = {{3, 10.0f, true}, {4, 10.0f, false}, {4, 0.0f, true}, {8, -10.0f, false}};
  IdentityView();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.vertices << " vertices at x " << c.x);
    Hux_DX8_ObjectDataChannel& object = Make();
    object.SetVertexCount(c.vertices);
    for (int i = 0; i < c.vertices; ++i) {
      object.SetVertexPosition(D3DXVECTOR3(c.x + 0.1f * i, 0.1f * (i % 2), 0.5f), i);
    }
    EXPECT_EQ(object.GetIfObjectIsVisible(), c.visible);
  }
}

TEST_F(ObjectDataMeshTest, TransformedBoxFollowsTheMatrixAndTheMesh) {
  Hux_DX8_ObjectDataChannel& object = Make();
  object.SetVertexCount(2);
  object.SetVertexPosition(D3DXVECTOR3(-1, -2, -3), 0);
  object.SetVertexPosition(D3DXVECTOR3(1, 2, 3), 1);
  D3DXMATRIX move;
  D3DXMatrixTranslation(&move, 10, 0, 0);
  BoundingBox box = object.GetObjectTransformedMinMaxBox(move);
  EXPECT_FLOAT_EQ(box.min.x, 9.0f);
  EXPECT_FLOAT_EQ(box.max.z, 3.0f);
  // A changed mesh with the same matrix is not answered from the cache.
  object.SetVertexPosition(D3DXVECTOR3(5, 2, 3), 1);
  object.CalculateBoundingBox();
  box = object.GetObjectTransformedMinMaxBox(move);
  EXPECT_FLOAT_EQ(box.max.x, 15.0f);
}

TEST_F(ObjectDataMeshTest, SetVertexCountDiscardsEvenTheSameCount) {
  Hux_DX8_ObjectDataChannel& object = Make();
  object.SetVertexCount(4);
  object.SetVertexPosition(D3DXVECTOR3(1, 2, 3), 0);
  object.SetVertexNormal(D3DXVECTOR3(0, 1, 0), 0);
  object.SetVertexTUCoord(1, D3DXVECTOR2(0.5f, 0.5f), 0);
  object.SetVertexColor(0xFF00FF00, 0);
  ASSERT_TRUE(object.GetVertexPositionUse());
  object.SetVertexCount(4);
  EXPECT_EQ(object.GetVertexCount(), 4);
  EXPECT_FALSE(object.GetVertexPositionUse());
  EXPECT_FALSE(object.GetVertexNormalUse());
  EXPECT_FALSE(object.GetVertexTUUse(1));
  EXPECT_FALSE(object.GetVertexColorUse());
  EXPECT_EQ(object.GetVertexPosition(0).x, 0.0f);
  EXPECT_EQ(object.GetVertexColor(0), 0u);
}

TEST_F(ObjectDataMeshTest, IndexAccessOutOfRange) {
  Hux_DX8_ObjectDataChannel& object = Make();
  EXPECT_TRUE(object.SetIndex(7, 0));  // no indices: nothing stored
  object.SetIndexCount(3);
  EXPECT_EQ(object.GetIndexes(1), 0);  // count set, nothing stored
  EXPECT_FALSE(object.SetIndex(7, 3));
  EXPECT_TRUE(Reported("SetIndex index our of range!! : "));
  EXPECT_TRUE(object.SetIndex(7, 2));
  EXPECT_EQ(object.GetIndexes(2), 7);
  EXPECT_EQ(object.GetIndexes(3), 0);
  EXPECT_FALSE(object.SetVertexTUCoord(3, D3DXVECTOR2(0, 0), 0));
  EXPECT_EQ(object.GetVertexTUV(-1, 0).x, 0.0f);
}

TEST_F(ObjectDataMeshTest, MissingLowerTextureSetsAreZeroFilled) {
  Hux_DX8_ObjectDataChannel& object = Make();
  Triangle(object, {0, 1, 2}, D3DPT_TRIANGLELIST);
  for (int i = 0; i < 3; ++i) object.SetVertexTUCoord(2, D3DXVECTOR2(0.25f, 0.75f), i);
  ASSERT_TRUE(object.CreateVertexBuffer());
  EXPECT_EQ(object.GetFVFlags(), D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX3);
  EXPECT_EQ(object.GetVertexSize(), 12u + 4u + 3u * 8u);
  EXPECT_TRUE(object.GetVertexTUUse(0));
  EXPECT_TRUE(object.GetVertexTUUse(1));
  EXPECT_EQ(object.GetVertexTUV(1, 2).y, 0.0f);
  EXPECT_EQ(object.GetVertexTUV(2, 2).y, 0.75f);
}

TEST_F(ObjectDataMeshTest, DeviceResetReleasesBuffersAndTheNextDrawRebuildsThem) {
  Hux_DX8_ObjectDataChannel& object = Make();
  Triangle(object, {0, 1, 2}, D3DPT_TRIANGLELIST);
  ASSERT_TRUE(object.CreateVertexBuffer());
  ASSERT_TRUE(device->ResetDevice());
  EXPECT_TRUE(Draw(object).Lit(insideX, insideY));
}

}  // namespace

namespace {

DWORD StageFlags(IDirect3DDevice8* d, DWORD stage) {
  DWORD value = 0;
  d->GetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, &value);
  return value;
}

D3DXMATRIX TextureTransform(IDirect3DDevice8* d, int set) {
  D3DXMATRIX m;
  d->GetTransform(static_cast<D3DTRANSFORMSTATETYPE>(D3DTS_TEXTURE0 + set), &m);
  return m;
}

TEST_F(ObjectDataMeshTest, TextureMatricesByTransformModeAndResetAfterDrawing) {
  IDirect3DDevice8* d = device->GetDirect3dDevice();
  Hux_DX8_ObjectDataChannel& object = Make();
  Triangle(object, {0, 1, 2}, D3DPT_TRIANGLELIST);
  auto* matrix = dynamic_cast<Hux_MatrixChannel*>(
      engine->InitChannelFromType(matrixValueGuid, group, true));
  ASSERT_NE(matrix, nullptr);
  D3DXMATRIX scroll;
  D3DXMatrixTranslation(&scroll, 0.25f, 0.5f, 0.0f);
  matrix->SetMatrix(scroll);
  ASSERT_GE(object.SetChild(matrix, 0, 0), 0);
  object.SetTextureTransform(0, Hux_DX8_ObjectDataChannel::transformCameraSpace);
  object.SetTextureTransform(2, Hux_DX8_ObjectDataChannel::transformProjected);
  IdentityView();

  ASSERT_TRUE(object.SetDataToStream(0));
  EXPECT_EQ(TextureTransform(d, 0), scroll);
  EXPECT_EQ(StageFlags(d, 0), DWORD{D3DTTFF_COUNT3});
  // Set 2 projects: the projection (identity here) times the screen bias.
  D3DXMATRIX projected = TextureTransform(d, 2);
  EXPECT_EQ(projected._11, 0.5f);
  EXPECT_EQ(projected._22, -0.5f);
  EXPECT_EQ(projected._42, 0.5f);
  EXPECT_EQ(projected._43, 1.0f);
  EXPECT_EQ(StageFlags(d, 2), DWORD{D3DTTFF_COUNT3 | D3DTTFF_PROJECTED});

  // Drawing resets every texture transform and the stage flags after the draw.
  Draw(object);
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  for (int s = 0; s < 3; ++s) {
    EXPECT_EQ(TextureTransform(d, s), identity);
    EXPECT_EQ(StageFlags(d, static_cast<DWORD>(s)), DWORD{D3DTTFF_COUNT2});
  }
}

}  // namespace
