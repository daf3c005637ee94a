// Matrix algebra and the scaling, translation and rotation matrices.
#include "math_expect.h"

namespace {

TEST(MatrixInverse, KnownInversesAndDeterminants) {
  struct Case {
    const char* name;
    D3DXMATRIX m;
    D3DXMATRIX inverse;
    float determinant;
  };
  const Case cases[] = {
      {"identity", identityMatrix(), identityMatrix(), 1},
      {"scaling", D3DXMATRIX(2, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 1),
       D3DXMATRIX(0.5f, 0, 0, 0, 0, 0.25f, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1), 4},
      {"translation", D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1),
       D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1, -2, -3, 1), 1},
      {"scale then move", D3DXMATRIX(2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 3, 0, 0, 1),
       D3DXMATRIX(0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1.5f, 0, 0, 1), 2},
      {"shear block", D3DXMATRIX(1, 2, 0, 0, 3, 4, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1),
       D3DXMATRIX(-2, 1, 0, 0, 1.5f, -0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1), -2},
      {"row swap", D3DXMATRIX(0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1),
       D3DXMATRIX(0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1), -1},
      {"projective", D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, -1, 0),
       D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 1), 1},
  };
  for (const Case& c : cases) {
    D3DXMATRIX out;
    float determinant = 0;
    EXPECT_EQ(D3DXMatrixInverse(&out, &determinant, &c.m), &out) << c.name;
    EXPECT_TRUE(matricesNear(out, c.inverse)) << c.name;
    EXPECT_FLOAT_EQ(determinant, c.determinant) << c.name;
    EXPECT_FLOAT_EQ(D3DXMatrixDeterminant(&c.m), c.determinant) << c.name;
    EXPECT_TRUE(matricesNear(c.m * out, identityMatrix())) << c.name;
  }
}

TEST(MatrixInverse, SingularGivesNullAndLeavesOutput) {
  D3DXMATRIX zero = identityMatrix() * 0.0f;
  const D3DXMATRIX cases[] = {
      zero,
      D3DXMATRIX(1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1),
      D3DXMATRIX(1, 2, 3, 4, 2, 4, 6, 8, 0, 1, 0, 0, 0, 0, 1, 0),
      D3DXMATRIX(1, 2, 3, 0, 4, 5, 6, 0, 5, 7, 9, 0, 1, 1, 1, 1),
  };
  for (const D3DXMATRIX& m : cases) {
    D3DXMATRIX out = D3DXMATRIX(7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7);
    const D3DXMATRIX before = out;
    float determinant = 99;
    EXPECT_EQ(D3DXMatrixInverse(&out, &determinant, &m), nullptr) << describe(m);
    EXPECT_EQ(out, before);
    EXPECT_FLOAT_EQ(determinant, 0);
    EXPECT_EQ(D3DXMatrixInverse(&out, nullptr, &m), nullptr);
  }
}

TEST(MatrixInverse, DenseMatrixRoundTripsAndMayAlias) {
  D3DXMATRIX rotation, scaling, translation;
  D3DXMatrixRotationYawPitchRoll(&rotation, 0.3f, -1.1f, 2.0f);
  D3DXMatrixScaling(&scaling, 2, 0.5f, 3);
  D3DXMatrixTranslation(&translation, -4, 5, 6);
  const D3DXMATRIX m = scaling * rotation * translation;
  D3DXMATRIX inverse = m;
  ASSERT_NE(D3DXMatrixInverse(&inverse, nullptr, &inverse), nullptr);
  EXPECT_TRUE(matricesNear(m * inverse, identityMatrix()));
  EXPECT_TRUE(matricesNear(inverse * m, identityMatrix()));
  EXPECT_NEAR(D3DXMatrixDeterminant(&m), 3.0f, 1e-5f);
}

TEST(MatrixMultiply, FirstOperandAppliesFirst) {
  D3DXMATRIX scaling, translation, product;
  D3DXMatrixScaling(&scaling, 2, 2, 2);
  D3DXMatrixTranslation(&translation, 1, 0, 0);
  D3DXMatrixMultiply(&product, &scaling, &translation);
  EXPECT_TRUE(vectorsNear(transformCoord({1, 1, 1}, product), {3, 2, 2}));
  D3DXMatrixMultiply(&product, &translation, &scaling);
  EXPECT_TRUE(vectorsNear(transformCoord({1, 1, 1}, product), {4, 2, 2}));
  // Aliased output gives the same product.
  D3DXMATRIX aliased = translation;
  D3DXMatrixMultiply(&aliased, &aliased, &scaling);
  EXPECT_EQ(aliased, product);
}

TEST(MatrixTranspose, SwapsRowsAndColumns) {
  const D3DXMATRIX m = D3DXMATRIX(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
  D3DXMATRIX t;
  D3DXMatrixTranspose(&t, &m);
  EXPECT_EQ(t, D3DXMATRIX(1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16));
  EXPECT_EQ(t(0, 3), 13);
  const D3DXMATRIX identity = identityMatrix();
  EXPECT_TRUE(D3DXMatrixIsIdentity(&identity));
  EXPECT_FALSE(D3DXMatrixIsIdentity(&m));
}

TEST(MatrixRotation, AxisRotationsTurnClockwiseLookingTowardOrigin) {
  struct Case {
    const char* name;
    D3DXMATRIX* (*rotation)(D3DXMATRIX*, float);
    D3DXVECTOR3 in;
    D3DXVECTOR3 expected;
  };
  const Case cases[] = {
      {"x", D3DXMatrixRotationX, {0, 1, 0}, {0, 0, 1}},
      {"y", D3DXMatrixRotationY, {0, 0, 1}, {1, 0, 0}},
      {"z", D3DXMatrixRotationZ, {1, 0, 0}, {0, 1, 0}},
  };
  for (const Case& c : cases) {
    D3DXMATRIX m;
    c.rotation(&m, D3DX_PI / 2);
    EXPECT_TRUE(vectorsNear(transformCoord(c.in, m), c.expected)) << c.name;
  }
}

TEST(MatrixRotationYawPitchRoll, RollThenPitchThenYaw) {
  struct Case {
    float yaw, pitch, roll;
    D3DXVECTOR3 in;
    D3DXVECTOR3 expected;
  };
  const float q = D3DX_PI / 2;
  const Case cases[] = {
      {q, 0, 0, {0, 0, 1}, {1, 0, 0}}, {0, q, 0, {0, 0, 1}, {0, -1, 0}},
      {0, 0, q, {1, 0, 0}, {0, 1, 0}}, {q, q, 0, {0, 0, 1}, {0, -1, 0}},  // pitch before yaw
      {0, q, q, {1, 0, 0}, {0, 0, 1}},                                    // roll before pitch
      {q, 0, q, {1, 0, 0}, {0, 1, 0}},                                    // roll before yaw
  };
  for (const Case& c : cases) {
    D3DXMATRIX m;
    D3DXMatrixRotationYawPitchRoll(&m, c.yaw, c.pitch, c.roll);
    EXPECT_TRUE(vectorsNear(transformCoord(c.in, m), c.expected))
        << c.yaw << " " << c.pitch << " " << c.roll;
  }
}

TEST(MatrixRotationAxis, MatchesPrincipalAxesAndNormalisesTheAxis) {
  const float angle = 0.7f;
  D3DXMATRIX expected, actual;
  struct Case {
    D3DXVECTOR3 axis;
    D3DXMATRIX* (*principal)(D3DXMATRIX*, float);
  };
  const Case cases[] = {{{1, 0, 0}, D3DXMatrixRotationX},
                        {{0, 3, 0}, D3DXMatrixRotationY},
                        {{0, 0, 0.5f}, D3DXMatrixRotationZ}};
  for (const Case& c : cases) {
    D3DXMatrixRotationAxis(&actual, &c.axis, angle);
    c.principal(&expected, angle);
    EXPECT_TRUE(matricesNear(actual, expected)) << describe(c.axis);
  }
  // A third of a turn about the diagonal cycles the axes x -> y -> z.
  const D3DXVECTOR3 diagonal(1, 1, 1);
  D3DXMatrixRotationAxis(&actual, &diagonal, 2 * D3DX_PI / 3);
  EXPECT_TRUE(vectorsNear(transformCoord({1, 0, 0}, actual), {0, 1, 0}));
  EXPECT_TRUE(vectorsNear(transformCoord({0, 1, 0}, actual), {0, 0, 1}));
  // No axis, no rotation.
  const D3DXVECTOR3 none(0, 0, 0);
  EXPECT_EQ(*D3DXMatrixRotationAxis(&actual, &none, 1.0f), identityMatrix());
}

TEST(MatrixTransformation, ScalesRotatesAboutCentreThenMoves) {
  D3DXQUATERNION quarterZ;
  const D3DXVECTOR3 z(0, 0, 1);
  D3DXQuaternionRotationAxis(&quarterZ, &z, D3DX_PI / 2);
  const D3DXVECTOR3 centre(1, 0, 0);
  const D3DXVECTOR3 move(0, 0, 5);
  const D3DXVECTOR3 scale(2, 2, 2);
  D3DXMATRIX m;
  D3DXMatrixAffineTransformation(&m, 2, &centre, &quarterZ, &move);
  // (1, 0, 0) scales to (2, 0, 0), turns a quarter about (1, 0, 0) to (1, 1, 0), moves up.
  EXPECT_TRUE(vectorsNear(transformCoord({1, 0, 0}, m), {1, 1, 5}));
  D3DXMatrixTransformation(&m, nullptr, nullptr, &scale, &centre, &quarterZ, &move);
  EXPECT_TRUE(vectorsNear(transformCoord({1, 0, 0}, m), {1, 1, 5}));
  D3DXMatrixTransformation(&m, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(matricesNear(m, identityMatrix()));
}

}  // namespace
