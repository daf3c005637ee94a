// Quaternions: agreement with the rotation matrices, round trips and interpolation.
#include "math_expect.h"

namespace {

D3DXMATRIX matrixOf(const D3DXQUATERNION& q) {
  D3DXMATRIX m;
  return *D3DXMatrixRotationQuaternion(&m, &q);
}

bool sameRotation(const D3DXQUATERNION& a, const D3DXQUATERNION& b, float tolerance = 1e-5f) {
  return std::fabs(std::fabs(D3DXQuaternionDot(&a, &b)) - 1.0f) <= tolerance;
}

TEST(Quaternion, AxisAngleAgreesWithMatrix) {
  const D3DXVECTOR3 axes[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 2, -3}};
  for (const D3DXVECTOR3& axis : axes) {
    for (float angle : {0.5f, -2.0f, D3DX_PI}) {
      D3DXQUATERNION q;
      D3DXQuaternionRotationAxis(&q, &axis, angle);
      D3DXMATRIX expected;
      D3DXMatrixRotationAxis(&expected, &axis, angle);
      EXPECT_TRUE(matricesNear(matrixOf(q), expected)) << describe(axis) << " " << angle;
      EXPECT_NEAR(D3DXQuaternionLength(&q), 1.0f, 1e-6f);
    }
  }
}

TEST(Quaternion, YawPitchRollAgreesWithMatrix) {
  D3DXQUATERNION q;
  D3DXMATRIX expected;
  D3DXQuaternionRotationYawPitchRoll(&q, 0.4f, -0.9f, 2.5f);
  D3DXMatrixRotationYawPitchRoll(&expected, 0.4f, -0.9f, 2.5f);
  EXPECT_TRUE(matricesNear(matrixOf(q), expected));
}

TEST(Quaternion, MatrixRoundTripsThroughEveryBranch) {
  // Small rotations take the trace branch; half turns about each axis the others.
  struct Case {
    D3DXVECTOR3 axis;
    float angle;
  };
  const Case cases[] = {
      {{0, 1, 0}, 0.0f},       {{1, 1, 0}, 0.3f},       {{1, 0, 0}, D3DX_PI},
      {{0, 1, 0}, D3DX_PI},    {{0, 0, 1}, D3DX_PI},    {{1, 0.2f, 0.1f}, 3.0f},
      {{0.1f, 1, 0.2f}, 3.0f}, {{0.2f, 0.1f, 1}, 3.0f}, {{-1, 2, 0.5f}, -2.2f},
  };
  for (const Case& c : cases) {
    D3DXMATRIX m;
    D3DXMatrixRotationAxis(&m, &c.axis, c.angle);
    D3DXQUATERNION q;
    D3DXQuaternionRotationMatrix(&q, &m);
    EXPECT_NEAR(D3DXQuaternionLength(&q), 1.0f, 1e-5f) << describe(c.axis) << " " << c.angle;
    EXPECT_TRUE(matricesNear(matrixOf(q), m)) << describe(c.axis) << " " << c.angle;
    D3DXQUATERNION expected;
    D3DXQuaternionRotationAxis(&expected, &c.axis, c.angle);
    EXPECT_TRUE(sameRotation(q, expected)) << describe(c.axis) << " " << c.angle;
  }
}

TEST(Quaternion, MultiplyAppliesFirstOperandFirst) {
  D3DXQUATERNION a, b, product;
  D3DXQuaternionRotationYawPitchRoll(&a, 0.3f, 0.0f, 1.0f);
  D3DXQuaternionRotationYawPitchRoll(&b, -1.2f, 0.8f, 0.0f);
  D3DXQuaternionMultiply(&product, &a, &b);
  EXPECT_TRUE(matricesNear(matrixOf(product), matrixOf(a) * matrixOf(b)));
  EXPECT_TRUE(matricesNear(matrixOf(a * b), matrixOf(a) * matrixOf(b)));
  D3DXQUATERNION inverse, identity;
  D3DXQuaternionInverse(&inverse, &a);
  D3DXQuaternionMultiply(&identity, &a, &inverse);
  EXPECT_TRUE(sameRotation(identity, {0, 0, 0, 1}));
}

TEST(QuaternionSlerp, EndPointsAndMidpoint) {
  const D3DXVECTOR3 z(0, 0, 1);
  D3DXQUATERNION identity, quarter, eighth, out;
  D3DXQuaternionIdentity(&identity);
  D3DXQuaternionRotationAxis(&quarter, &z, D3DX_PI / 2);
  D3DXQuaternionRotationAxis(&eighth, &z, D3DX_PI / 4);
  const D3DXQUATERNION negatedQuarter = -quarter;
  struct Case {
    const char* name;
    const D3DXQUATERNION* a;
    const D3DXQUATERNION* b;
    float t;
    const D3DXQUATERNION* expected;
  };
  const Case cases[] = {
      {"start", &identity, &quarter, 0.0f, &identity},
      {"end", &identity, &quarter, 1.0f, &quarter},
      {"middle", &identity, &quarter, 0.5f, &eighth},
      {"shorter arc", &identity, &negatedQuarter, 0.5f, &eighth},
      {"same", &quarter, &quarter, 0.3f, &quarter},
  };
  for (const Case& c : cases) {
    D3DXQuaternionSlerp(&out, c.a, c.b, c.t);
    EXPECT_TRUE(sameRotation(out, *c.expected)) << c.name;
    EXPECT_NEAR(D3DXQuaternionLength(&out), 1.0f, 1e-5f) << c.name;
  }
  D3DXQuaternionSlerp(&out, &identity, &quarter, 0.0f);
  EXPECT_FLOAT_EQ(out.w, 1.0f);  // exactly a, not -a
}

TEST(QuaternionSquadAndBaryCentric, HitTheirCorners) {
  D3DXQUATERNION q1, q2, q3, out;
  D3DXQuaternionRotationYawPitchRoll(&q1, 0.2f, 0.0f, 0.0f);
  D3DXQuaternionRotationYawPitchRoll(&q2, 0.0f, 1.0f, 0.0f);
  D3DXQuaternionRotationYawPitchRoll(&q3, 0.0f, 0.0f, -1.5f);
  EXPECT_TRUE(sameRotation(*D3DXQuaternionSquad(&out, &q1, &q2, &q3, &q2, 0.0f), q1));
  EXPECT_TRUE(sameRotation(*D3DXQuaternionSquad(&out, &q1, &q2, &q3, &q2, 1.0f), q2));
  EXPECT_TRUE(sameRotation(*D3DXQuaternionBaryCentric(&out, &q1, &q2, &q3, 0, 0), q1));
  EXPECT_TRUE(sameRotation(*D3DXQuaternionBaryCentric(&out, &q1, &q2, &q3, 1, 0), q2));
  EXPECT_TRUE(sameRotation(*D3DXQuaternionBaryCentric(&out, &q1, &q2, &q3, 0, 1), q3));
}

TEST(Quaternion, ToAxisAngleAndLogarithm) {
  const D3DXVECTOR3 axis(0, 1, 0);
  D3DXQUATERNION q, ln, back;
  D3DXQuaternionRotationAxis(&q, &axis, 1.2f);
  D3DXVECTOR3 outAxis;
  float angle = 0;
  D3DXQuaternionToAxisAngle(&q, &outAxis, &angle);
  EXPECT_NEAR(angle, 1.2f, 1e-5f);
  D3DXVec3Normalize(&outAxis, &outAxis);
  EXPECT_TRUE(vectorsNear(outAxis, axis));
  D3DXQuaternionLn(&ln, &q);
  EXPECT_NEAR(ln.y, 0.6f, 1e-5f);
  D3DXQuaternionExp(&back, &ln);
  EXPECT_TRUE(sameRotation(back, q));
}

}  // namespace
