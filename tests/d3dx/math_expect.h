// Comparisons of math values within a tolerance, with readable failure messages.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "d3dx/d3dx.h"

inline std::string describe(const D3DXVECTOR3& v) {
  return "(" + std::to_string(v.x) + ", " + std::to_string(v.y) + ", " + std::to_string(v.z) + ")";
}

inline std::string describe(const D3DXMATRIX& m) {
  std::string s;
  for (int r = 0; r < 4; ++r) {
    s += "\n  ";
    for (int c = 0; c < 4; ++c) s += std::to_string(m.m[r][c]) + " ";
  }
  return s;
}

inline ::testing::AssertionResult vectorsNear(const D3DXVECTOR3& actual,
                                              const D3DXVECTOR3& expected,
                                              float tolerance = 1e-5f) {
  if (std::fabs(actual.x - expected.x) <= tolerance &&
      std::fabs(actual.y - expected.y) <= tolerance &&
      std::fabs(actual.z - expected.z) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << describe(actual) << " differs from " << describe(expected);
}

inline ::testing::AssertionResult matricesNear(const D3DXMATRIX& actual, const D3DXMATRIX& expected,
                                               float tolerance = 1e-5f) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (!(std::fabs(actual.m[r][c] - expected.m[r][c]) <= tolerance))
        return ::testing::AssertionFailure()
               << "element (" << r + 1 << ", " << c + 1 << ") differs:" << describe(actual)
               << "\nexpected:" << describe(expected);
  return ::testing::AssertionSuccess();
}

inline D3DXMATRIX identityMatrix() {
  D3DXMATRIX m;
  return *D3DXMatrixIdentity(&m);
}

inline D3DXVECTOR3 transformCoord(const D3DXVECTOR3& v, const D3DXMATRIX& m) {
  D3DXVECTOR3 out;
  return *D3DXVec3TransformCoord(&out, &v, &m);
}
