// Planes and colours.
#include "math_expect.h"

namespace {

TEST(Plane, FromPointsFollowsWindingAndNormalises) {
  const D3DXVECTOR3 a(0, 2, 0), b(1, 2, 0), c(0, 2, 1);
  D3DXPLANE p;
  D3DXPlaneFromPoints(&p, &a, &b, &c);
  // (b - a) x (c - a) = (1, 0, 0) x (0, 0, 1) = (0, -1, 0).
  EXPECT_TRUE(vectorsNear({p.a, p.b, p.c}, {0, -1, 0}));
  EXPECT_FLOAT_EQ(p.d, 2);
  const D3DXVECTOR3 above(5, 3, 5);
  EXPECT_FLOAT_EQ(D3DXPlaneDotCoord(&p, &above), -1);
}

TEST(Plane, NormalizeScalesAllFourAndKeepsZero) {
  const D3DXPLANE p(0, 3, 4, 10);
  D3DXPLANE n;
  D3DXPlaneNormalize(&n, &p);
  EXPECT_EQ(n, D3DXPLANE(0, 0.6f, 0.8f, 2));
  const D3DXPLANE zero(0, 0, 0, 5);
  D3DXPlaneNormalize(&n, &zero);
  EXPECT_EQ(n, D3DXPLANE(0, 0, 0, 0));
}

TEST(Plane, IntersectLine) {
  const D3DXPLANE p(0, 1, 0, -1);  // y = 1
  const D3DXVECTOR3 a(0, 0, 0), b(2, 4, 0), c(1, 0, 0);
  D3DXVECTOR3 out;
  ASSERT_NE(D3DXPlaneIntersectLine(&out, &p, &a, &b), nullptr);
  EXPECT_TRUE(vectorsNear(out, {0.5f, 1, 0}));
  EXPECT_EQ(D3DXPlaneIntersectLine(&out, &p, &a, &c), nullptr);
}

TEST(Plane, TransformByInverseTranspose) {
  const D3DXPLANE ground(0, 1, 0, 0);
  D3DXMATRIX move, inverse, inverseTranspose;
  D3DXMatrixTranslation(&move, 0, 3, 0);
  D3DXMatrixInverse(&inverse, nullptr, &move);
  D3DXMatrixTranspose(&inverseTranspose, &inverse);
  D3DXPLANE moved;
  D3DXPlaneTransform(&moved, &ground, &inverseTranspose);
  EXPECT_EQ(moved, D3DXPLANE(0, 1, 0, -3));
}

TEST(Color, ConvertsToAndFromArgb) {
  const D3DXCOLOR c(0x80FF4000u);
  EXPECT_FLOAT_EQ(c.a, 128.0f / 255.0f);
  EXPECT_FLOAT_EQ(c.r, 1.0f);
  EXPECT_FLOAT_EQ(c.g, 64.0f / 255.0f);
  EXPECT_FLOAT_EQ(c.b, 0.0f);
  EXPECT_EQ(static_cast<DWORD>(c), 0x80FF4000u);
  // Out-of-range components clamp; NaN becomes 0.
  EXPECT_EQ(static_cast<DWORD>(D3DXCOLOR(2.0f, -1.0f, 0.5f, std::nanf(""))), 0x00FF0080u);
  D3DXCOLOR negative;
  D3DXColorNegative(&negative, &c);
  EXPECT_FLOAT_EQ(negative.r, 0.0f);
  EXPECT_FLOAT_EQ(negative.a, c.a);
  const D3DCOLORVALUE& value = c;
  EXPECT_FLOAT_EQ(value.g, c.g);
}

}  // namespace
