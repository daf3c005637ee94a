// Vector functions: normalisation, products and transforms by matrices.
#include "math_expect.h"

namespace {

TEST(Vec3Normalize, GivesUnitLengthAndKeepsZero) {
  struct Case {
    D3DXVECTOR3 in;
    D3DXVECTOR3 expected;
  };
  const Case cases[] = {
      {{3, 0, 4}, {0.6f, 0, 0.8f}},
      {{0, -2, 0}, {0, -1, 0}},
      {{1e-20f, 0, 0}, {1, 0, 0}},
      {{0, 0, 0}, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    D3DXVECTOR3 out;
    EXPECT_EQ(D3DXVec3Normalize(&out, &c.in), &out);
    EXPECT_TRUE(vectorsNear(out, c.expected)) << describe(c.in);
  }
}

TEST(Vec3Cross, IsLeftHandedBasisOrderAndAllowsAliasing) {
  D3DXVECTOR3 x(1, 0, 0);
  const D3DXVECTOR3 y(0, 1, 0);
  D3DXVECTOR3 out;
  EXPECT_TRUE(vectorsNear(*D3DXVec3Cross(&out, &x, &y), {0, 0, 1}));
  D3DXVec3Cross(&x, &x, &y);  // out aliases the first operand
  EXPECT_TRUE(vectorsNear(x, {0, 0, 1}));
}

TEST(Vec3TransformCoord, DividesByW) {
  D3DXMATRIX perspective = identityMatrix();
  perspective._34 = 1;  // w := z
  perspective._44 = 0;
  D3DXMATRIX scaledW = identityMatrix();
  scaledW._44 = 4;
  D3DXMATRIX translated;
  D3DXMatrixTranslation(&translated, 1, 2, 3);
  struct Case {
    D3DXMATRIX m;
    D3DXVECTOR3 in;
    D3DXVECTOR3 expected;
  };
  const Case cases[] = {
      {perspective, {2, 4, 2}, {1, 2, 1}},
      {perspective, {-3, 6, -3}, {1, -2, 1}},
      {scaledW, {4, 8, -12}, {1, 2, -3}},
      {translated, {1, 1, 1}, {2, 3, 4}},
  };
  for (const Case& c : cases) EXPECT_TRUE(vectorsNear(transformCoord(c.in, c.m), c.expected));

  D3DXVECTOR4 homogeneous;
  D3DXVec3Transform(&homogeneous, &cases[0].in, &perspective);
  EXPECT_FLOAT_EQ(homogeneous.w, 2);
  EXPECT_FLOAT_EQ(homogeneous.x, 2);
}

TEST(Vec3TransformNormal, IgnoresTranslation) {
  D3DXMATRIX m;
  D3DXMatrixRotationZ(&m, D3DX_PI / 2);
  m._41 = 5;
  m._42 = 6;
  m._43 = 7;
  const D3DXVECTOR3 n(1, 0, 0);
  D3DXVECTOR3 out;
  EXPECT_TRUE(vectorsNear(*D3DXVec3TransformNormal(&out, &n, &m), {0, 1, 0}));
}

TEST(Vec3Interpolation, HitsEndPoints) {
  const D3DXVECTOR3 p0(-1, 0, 0), p1(0, 0, 0), p2(1, 1, 0), p3(2, 1, 0);
  D3DXVECTOR3 out;
  EXPECT_TRUE(vectorsNear(*D3DXVec3Lerp(&out, &p1, &p2, 0.25f), {0.25f, 0.25f, 0}));
  EXPECT_TRUE(vectorsNear(*D3DXVec3CatmullRom(&out, &p0, &p1, &p2, &p3, 0), p1));
  EXPECT_TRUE(vectorsNear(*D3DXVec3CatmullRom(&out, &p0, &p1, &p2, &p3, 1), p2));
  EXPECT_TRUE(vectorsNear(*D3DXVec3BaryCentric(&out, &p1, &p2, &p3, 0.5f, 0.5f), {1.5f, 1, 0}));
}

TEST(VectorOperators, ArithmeticAndComparison) {
  const D3DXVECTOR3 a(1, 2, 3);
  const D3DXVECTOR3 b(4, 5, 6);
  EXPECT_EQ(a + b, D3DXVECTOR3(5, 7, 9));
  EXPECT_EQ(b - a, D3DXVECTOR3(3, 3, 3));
  EXPECT_EQ(2.0f * a, D3DXVECTOR3(2, 4, 6));
  EXPECT_EQ(-a / 2.0f, D3DXVECTOR3(-0.5f, -1, -1.5f));
  EXPECT_NE(a, b);
  const float* f = a;
  EXPECT_EQ(f[2], 3);
  const D3DVECTOR base = a;
  EXPECT_EQ(D3DXVECTOR3(base), a);
  EXPECT_FLOAT_EQ(D3DXVec3Dot(&a, &b), 32);
  EXPECT_FLOAT_EQ(D3DXVec3LengthSq(&a), 14);
}

}  // namespace
