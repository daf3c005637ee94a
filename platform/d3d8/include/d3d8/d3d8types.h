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

// Flexible vertex format bits.
inline constexpr DWORD D3DFVF_XYZ = 0x002;
inline constexpr DWORD D3DFVF_XYZRHW = 0x004;
inline constexpr DWORD D3DFVF_NORMAL = 0x010;
inline constexpr DWORD D3DFVF_PSIZE = 0x020;
inline constexpr DWORD D3DFVF_DIFFUSE = 0x040;
inline constexpr DWORD D3DFVF_SPECULAR = 0x080;
inline constexpr DWORD D3DFVF_TEXCOUNT_MASK = 0xF00;
inline constexpr DWORD D3DFVF_TEXCOUNT_SHIFT = 8;
inline constexpr DWORD D3DFVF_TEX0 = 0x000;
inline constexpr DWORD D3DFVF_TEX1 = 0x100;
inline constexpr DWORD D3DFVF_TEX2 = 0x200;
inline constexpr DWORD D3DFVF_TEX3 = 0x300;

// Lock flags.
inline constexpr DWORD D3DLOCK_READONLY = 0x00000010;
inline constexpr DWORD D3DLOCK_NOSYSLOCK = 0x00000800;
inline constexpr DWORD D3DLOCK_NOOVERWRITE = 0x00001000;
inline constexpr DWORD D3DLOCK_DISCARD = 0x00002000;
