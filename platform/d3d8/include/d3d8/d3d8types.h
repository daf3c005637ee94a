// The value types of the graphics interface shared by the device, the math library and
// the plug-ins.
#pragma once

#include "platform/wintypes.h"

using D3DCOLOR = DWORD;  // 0xAARRGGBB

struct D3DVECTOR {
  float x;
  float y;
  float z;
};

struct D3DCOLORVALUE {
  float r;
  float g;
  float b;
  float a;
};

struct D3DMATRIX {
  union {
    struct {
      float _11, _12, _13, _14;
      float _21, _22, _23, _24;
      float _31, _32, _33, _34;
      float _41, _42, _43, _44;
    };
    float m[4][4];
  };
};
static_assert(sizeof(D3DMATRIX) == 64);

inline constexpr HRESULT D3D_OK = S_OK;
