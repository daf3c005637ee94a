// Projection matrix, frustum planes, the box test and the screen conversions.
#include <cmath>

#include "device_channel_fixture.h"

namespace {

// Half extents of the view window at distance 1 for zoom 1.
constexpr float halfWidth = 0.2154333f;
constexpr float halfHeight = 0.1611f;

class ProjectionTest : public DeviceChannelTest {
 protected:
  void SetUp() override { ASSERT_NE(Create().GetDirect3dDevice(), nullptr); }
  static float Dot(const D3DXPLANE& p, float x, float y, float z) {
    return p.a * x + p.b * y + p.c * z + p.d;
  }
};

struct ZoomCase {
  float zoom;
};

class ProjectionZoomTest : public ProjectionTest, public testing::WithParamInterface<ZoomCase> {};

TEST_P(ProjectionZoomTest, ElementsFollowNearFarScaleAndZoom) {
  const float n = 0.5f, f = 1000.0f, s = 2.0f, d = GetParam().zoom;
  channel->SetProjectionMatrix(n, f, s, d);
  const float w = halfWidth / d, h = halfHeight / d;
  D3DXMATRIX expected(n * s / (2 * w), 0, 0, 0,  //
                      0, n * s / (2 * h), 0, 0,  //
                      0, 0, f / (f - n), 1,      //
                      0, 0, -n * f / (f - n), 0);
  D3DXMATRIX actual = channel->GetProjectionMatrix();
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(actual.m[r][c], expected.m[r][c]) << r << c;
  }
  EXPECT_FLOAT_EQ(channel->GetCurrentZoomFactor(), 1.0f / d);
  ProjectionInfo info = channel->GetProjectionInformation();
  EXPECT_EQ(info.nearPlane, n);
  EXPECT_EQ(info.farPlane, f);
  EXPECT_EQ(info.projectionScale, s);
  EXPECT_EQ(info.zoom, d);
}

INSTANTIATE_TEST_SUITE_P(Zooms, ProjectionZoomTest,
                         testing::Values(ZoomCase{1.0f}, ZoomCase{2.5f}));

TEST_F(ProjectionTest, DefaultProjectionOfTheDeviceStates) {
  ProjectionInfo info = channel->GetProjectionInformation();
  EXPECT_EQ(info.nearPlane, 0.4f);
  EXPECT_EQ(info.farPlane, 4000.0f);
  EXPECT_EQ(info.projectionScale, 2.0f);
  EXPECT_EQ(info.zoom, 1.0f);
  EXPECT_FLOAT_EQ(channel->GetProjectionMatrix()._11, 0.4f * 2.0f / (2 * halfWidth));
}

TEST_F(ProjectionTest, ZoomZeroKeepsTheLastFiniteProjection) {
  const D3DXMATRIX before = channel->GetProjectionMatrix();
  channel->SetProjectionMatrix(0.4f, 4000.0f, 2.0f, 0.0f);
  EXPECT_EQ(channel->GetCurrentZoomFactor(), 0.0f);
  EXPECT_EQ(channel->GetProjectionInformation().zoom, 0.0f);
  D3DXMATRIX after = channel->GetProjectionMatrix();
  EXPECT_EQ(after, before);
  for (int i = 0; i < 16; ++i) EXPECT_TRUE(std::isfinite((&after._11)[i]));
}

TEST_F(ProjectionTest, MatrixFormSetsOnlyTheDeviceTransform) {
  D3DXMATRIX m;
  D3DXMatrixScaling(&m, 2, 3, 4);
  const D3DXPLANE plane0 = channel->GetViewFrustumPlane(0);
  channel->SetProjectionMatrix(m);
  EXPECT_EQ(channel->GetProjectionMatrix(), m);
  EXPECT_EQ(channel->GetProjectionInformation().zoom, 1.0f);
  EXPECT_EQ(channel->GetViewFrustumPlane(0), plane0);
}

TEST_F(ProjectionTest, PlanesAreColumnCombinationsOfViewTimesProjection) {
  D3DXMATRIX view;
  D3DXMatrixTranslation(&view, 1.0f, -2.0f, 3.0f);
  ASSERT_TRUE(SUCCEEDED(channel->GetDirect3dDevice()->SetTransform(D3DTS_VIEW, &view)));
  channel->CalcFrustumPlanes();
  D3DXMATRIX projection = channel->GetProjectionMatrix();
  D3DXMATRIX m;
  D3DXMatrixMultiply(&m, &view, &projection);
  auto column = [&](int c) { return D3DXPLANE(m.m[0][c], m.m[1][c], m.m[2][c], m.m[3][c]); };
  const D3DXPLANE c0 = column(0), c1 = column(1), c2 = column(2), c3 = column(3);
  const D3DXPLANE planes[6] = {
      {c0.a - c3.a, c0.b - c3.b, c0.c - c3.c, c0.d - c3.d},
      {-(c3.a + c0.a), -(c3.b + c0.b), -(c3.c + c0.c), -(c3.d + c0.d)},
      {c1.a - c3.a, c1.b - c3.b, c1.c - c3.c, c1.d - c3.d},
      {-(c3.a + c1.a), -(c3.b + c1.b), -(c3.c + c1.c), -(c3.d + c1.d)},
      {c2.a - c3.a, c2.b - c3.b, c2.c - c3.c, c2.d - c3.d},
      {-(c3.a + c2.a), -(c3.b + c2.b), -(c3.c + c2.c), -(c3.d + c2.d)},
  };
  for (int k = 0; k < 6; ++k) EXPECT_EQ(channel->GetViewFrustumPlane(k), planes[k]) << k;
}

TEST_F(ProjectionTest, PlaneIndicesOutsideTheSixGivePlaneZero) {
  const D3DXPLANE plane0 = channel->GetViewFrustumPlane(0);
  EXPECT_EQ(channel->GetViewFrustumPlane(-1), plane0);
  EXPECT_EQ(channel->GetViewFrustumPlane(6), plane0);
  EXPECT_NE(channel->GetViewFrustumPlane(5), plane0);
}

struct BoxCase {
  const char* what;
  D3DXVECTOR3 min, max;
  bool visible;
};

// With the identity view, plane 0 is a x - z = 0 (a = projection _11): a box whose nearest
// corner has x = 4 and z = 4 a lies on it.
TEST_F(ProjectionTest, BoxesInsideStraddlingTouchingAndOutside) {
  const float a = channel->GetProjectionMatrix()._11;
  ASSERT_EQ(Dot(channel->GetViewFrustumPlane(0), 4.0f, 0.0f, 4.0f * a), 0.0f);
  const BoxCase cases[] = {
      {"inside", {-1, -1, 10}, {1, 1, 20}, true},
      {"straddling the right plane", {0, -1, 10}, {100, 1, 20}, true},
      {"straddling the far plane", {-1, -1, 3000}, {1, 1, 5000}, true},
      {"touching the right plane from outside", {4, -1, 1}, {5, 1, 4.0f * a}, true},
      {"just beyond the right plane", {4.01f, -1, 1}, {5, 1, 4.0f * a}, false},
      {"behind the camera", {-1, -1, -20}, {1, 1, -10}, false},
      {"beyond the far plane", {-1, -1, 4100}, {1, 1, 4200}, false},
      {"above", {-1, 100, 10}, {1, 200, 20}, false},
  };
  for (const BoxCase& c : cases) {
    D3DXVECTOR3 min = c.min, max = c.max;
    EXPECT_EQ(channel->CheckAABBVisible(min, max), c.visible) << c.what;
  }
}

TEST_F(ProjectionTest, ViewportRectAndScalingMatrix) {
  D3DVIEWPORT8 viewport{10, 20, 100, 60, 0.25f, 0.75f};
  channel->SetViewPort(viewport);
  RECT rect = channel->GetViewPortRect();
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 20);
  EXPECT_EQ(rect.right, 110);
  EXPECT_EQ(rect.bottom, 80);
  D3DXMATRIX scaling;
  channel->GetViewPortScalingMatrix(scaling);
  const D3DXMATRIX expected(50, 0, 0, 0, 0, -30, 0, 0, 0, 0, 0.5f, 0, 60, 50, 0.25f, 1);
  EXPECT_EQ(scaling, expected);
}

TEST_F(ProjectionTest, ScreenPositionsAndBack) {
  D3DVIEWPORT8 viewport = channel->GetViewPort();
  ASSERT_EQ(viewport.Width, UINT(windowWidth));
  ASSERT_EQ(viewport.Height, UINT(windowHeight));
  D3DXVECTOR3 center = channel->GetScreenCoordsFromVector(D3DXVECTOR3(0, 0, 10));
  EXPECT_FLOAT_EQ(center.x, windowWidth / 2.0f);
  EXPECT_FLOAT_EQ(center.y, windowHeight / 2.0f);

  D3DXMATRIX world;
  D3DXMatrixTranslation(&world, 0.5f, 0.25f, 2.0f);
  channel->GetDirect3dDevice()->SetTransform(D3DTS_WORLD, &world);
  channel->SetDestinationCoords(7, -3);
  POINT offset = channel->GetDestinationCoords();
  EXPECT_EQ(offset.x, 7);
  EXPECT_EQ(offset.y, -3);
  const D3DXVECTOR3 point(1.0f, 0.5f, 12.0f);
  D3DXVECTOR3 screen = channel->GetScreenCoordsFromVector(point);
  D3DXVECTOR3 presented = channel->GetScreenPresentCoordsFromVector(point);
  EXPECT_FLOAT_EQ(presented.x, screen.x + 7);
  EXPECT_FLOAT_EQ(presented.y, screen.y - 3);
  EXPECT_FLOAT_EQ(presented.z, screen.z);
  // Above the centre for a point above the axis: y grows downwards on the screen.
  EXPECT_LT(screen.y, windowHeight / 2.0f);
  D3DXVECTOR3 back = channel->TransformPositionTo3DSpace(presented);
  EXPECT_NEAR(back.x, point.x, 1e-3f);
  EXPECT_NEAR(back.y, point.y, 1e-3f);
  EXPECT_NEAR(back.z, point.z, 1e-2f);
}

}  // namespace
