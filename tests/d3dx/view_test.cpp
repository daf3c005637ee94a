// View, projection, reflection and shadow matrices against hand-computed points.
#include "math_expect.h"

namespace {

TEST(MatrixLookAtLH, MapsWorldPointsIntoCameraSpace) {
  struct Case {
    D3DXVECTOR3 eye, at, up;
    D3DXVECTOR3 world;
    D3DXVECTOR3 view;
  };
  const Case cases[] = {
      {{0, 0, -5}, {0, 0, 0}, {0, 1, 0}, {0, 0, 0}, {0, 0, 5}},
      {{0, 0, -5}, {0, 0, 0}, {0, 1, 0}, {1, 2, 0}, {1, 2, 5}},
      // Looking along -x: the world's +z is the camera's right.
      {{5, 0, 0}, {0, 0, 0}, {0, 1, 0}, {0, 0, 0}, {0, 0, 5}},
      {{5, 0, 0}, {0, 0, 0}, {0, 1, 0}, {5, 0, 1}, {1, 0, 0}},
      {{5, 0, 0}, {0, 0, 0}, {0, 1, 0}, {5, 3, 0}, {0, 3, 0}},
      // Looking down from above with +z up on the screen.
      {{0, 10, 0}, {0, 0, 0}, {0, 0, 1}, {1, 0, 2}, {1, 2, 10}},
      // An up vector that is not perpendicular to the view direction.
      {{0, 0, -5}, {0, 0, 0}, {0, 1, 1}, {0, 1, 0}, {0, 1, 5}},
  };
  for (const Case& c : cases) {
    D3DXMATRIX view;
    D3DXMatrixLookAtLH(&view, &c.eye, &c.at, &c.up);
    EXPECT_TRUE(vectorsNear(transformCoord(c.world, view), c.view))
        << "eye " << describe(c.eye) << " world " << describe(c.world);
  }
}

TEST(MatrixLookAtLH, InverseIsTheCameraFrame) {
  const D3DXVECTOR3 eye(3, 4, -2), at(-1, 0, 6), up(0, 1, 0);
  D3DXMATRIX view, frame;
  D3DXMatrixLookAtLH(&view, &eye, &at, &up);
  ASSERT_NE(D3DXMatrixInverse(&frame, nullptr, &view), nullptr);
  EXPECT_TRUE(vectorsNear({frame._41, frame._42, frame._43}, eye));
  D3DXVECTOR3 forward(frame._31, frame._32, frame._33);
  D3DXVECTOR3 expected = at - eye;
  D3DXVec3Normalize(&expected, &expected);
  EXPECT_TRUE(vectorsNear(forward, expected));
}

TEST(MatrixProjection, MapsFrustumCornersToClipRange) {
  D3DXMATRIX fov, ortho, perspective, offCenter;
  D3DXMatrixPerspectiveFovLH(&fov, D3DX_PI / 2, 2.0f, 1.0f, 11.0f);
  D3DXMatrixOrthoLH(&ortho, 4, 2, 1, 3);
  D3DXMatrixPerspectiveLH(&perspective, 4, 2, 2, 10);
  D3DXMatrixOrthoOffCenterLH(&offCenter, 0, 8, 0, 4, 0, 2);
  struct Case {
    const char* name;
    const D3DXMATRIX* m;
    D3DXVECTOR3 in;
    D3DXVECTOR3 expected;
  };
  const Case cases[] = {
      {"fov near centre", &fov, {0, 0, 1}, {0, 0, 0}},
      {"fov far centre", &fov, {0, 0, 11}, {0, 0, 1}},
      {"fov near corner", &fov, {2, 1, 1}, {1, 1, 0}},
      {"fov far corner", &fov, {-22, 11, 11}, {-1, 1, 1}},
      {"ortho near corner", &ortho, {2, 1, 1}, {1, 1, 0}},
      {"ortho far corner", &ortho, {-2, -1, 3}, {-1, -1, 1}},
      {"perspective near corner", &perspective, {2, 1, 2}, {1, 1, 0}},
      {"perspective far corner", &perspective, {10, -5, 10}, {1, -1, 1}},
      {"off-centre low corner", &offCenter, {0, 0, 0}, {-1, -1, 0}},
      {"off-centre high corner", &offCenter, {8, 4, 2}, {1, 1, 1}},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(vectorsNear(transformCoord(c.in, *c.m), c.expected)) << c.name;
  // Perspective keeps the camera-space depth as w.
  EXPECT_FLOAT_EQ(fov._34, 1);
  EXPECT_FLOAT_EQ(fov._44, 0);
  EXPECT_FLOAT_EQ(ortho._44, 1);
}

TEST(MatrixProjection, RightHandedLooksDownNegativeZ) {
  D3DXMATRIX fov;
  D3DXMatrixPerspectiveFovRH(&fov, D3DX_PI / 2, 1.0f, 1.0f, 11.0f);
  EXPECT_TRUE(vectorsNear(transformCoord({1, 1, -1}, fov), {1, 1, 0}));
  EXPECT_TRUE(vectorsNear(transformCoord({0, 0, -11}, fov), {0, 0, 1}));
  D3DXMATRIX ortho;
  D3DXMatrixOrthoRH(&ortho, 2, 2, 0, 4);
  EXPECT_TRUE(vectorsNear(transformCoord({1, -1, -4}, ortho), {1, -1, 1}));
}

TEST(MatrixReflect, MirrorsInTheNormalisedPlane) {
  const float r = 1.0f / std::sqrt(2.0f);
  struct Case {
    D3DXPLANE plane;
    D3DXVECTOR3 in;
    D3DXVECTOR3 expected;
  };
  const Case cases[] = {
      {{0, 1, 0, 0}, {1, 2, 3}, {1, -2, 3}},
      {{0, 2, 0, -2}, {1, 3, 0}, {1, -1, 0}},  // y = 1, not normalised
      {{r, 0, -r, 0}, {1, 0, 0}, {0, 0, 1}},
      {{0, 0, -1, 4}, {0, 0, 0}, {0, 0, 8}},
  };
  for (const Case& c : cases) {
    D3DXMATRIX m;
    D3DXMatrixReflect(&m, &c.plane);
    EXPECT_TRUE(vectorsNear(transformCoord(c.in, m), c.expected)) << describe(c.in);
  }
}

TEST(MatrixShadow, ProjectsAlongLightRaysOntoThePlane) {
  struct Case {
    D3DXVECTOR4 light;
    D3DXPLANE plane;
    D3DXVECTOR3 in;
    D3DXVECTOR3 expected;
  };
  const Case cases[] = {
      {{0, 10, 0, 1}, {0, 1, 0, 0}, {1, 5, 0}, {2, 0, 0}},
      {{0, 10, 0, 1}, {0, 1, 0, 0}, {3, 0, 4}, {3, 0, 4}},  // already on the plane
      {{0, 1, 0, 0}, {0, 1, 0, 0}, {3, 4, 5}, {3, 0, 5}},   // light straight above
      {{1, 1, 0, 0}, {0, 1, 0, 0}, {0, 2, 0}, {-2, 0, 0}},  // slanted directional light
      {{0, 3, 0, 1}, {0, 2, 0, -2}, {1, 2, 0}, {2, 1, 0}},  // y = 1, not normalised
  };
  for (const Case& c : cases) {
    D3DXMATRIX m;
    D3DXMatrixShadow(&m, &c.light, &c.plane);
    EXPECT_TRUE(vectorsNear(transformCoord(c.in, m), c.expected)) << describe(c.in);
    // A light in front of the plane keeps w positive, so shadows are not clipped away.
    D3DXVECTOR4 h;
    D3DXVec3Transform(&h, &c.in, &m);
    EXPECT_GT(h.w, 0) << describe(c.in);
  }
}

}  // namespace
