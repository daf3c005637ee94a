// Default values of the render and texture stage states, and which states exist.
#pragma once

#include <array>
#include <bit>

#include "d3d8/d3d8types.h"
#include "limits.h"

namespace d3d8sw {

struct StateDefault {
  DWORD state;
  DWORD value;
};

// Every render state the device defines with its initial value (D3DRS_ZENABLE is
// fixed up from the presentation parameters).
extern const std::array<StateDefault, kDefinedRenderStateCount> kRenderStateDefaults;

bool isDefinedRenderState(DWORD state);
bool isDefinedTextureStageState(DWORD type);
DWORD textureStageStateDefault(int stage, DWORD type);

// States that belong to the pixel or to the vertex part of the pipeline (state blocks
// of type D3DSBT_PIXELSTATE and D3DSBT_VERTEXSTATE).
bool isPixelRenderState(DWORD state);
bool isVertexRenderState(DWORD state);
bool isVertexTextureStageState(DWORD type);

constexpr DWORD floatBits(float f) { return std::bit_cast<DWORD>(f); }
constexpr float bitsFloat(DWORD d) { return std::bit_cast<float>(d); }

}  // namespace d3d8sw
