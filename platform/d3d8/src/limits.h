// Every fixed limit of the software device in one place.
#pragma once

#include <cstddef>

namespace d3d8sw {

inline constexpr int kMaxLights = 8;              // lights in effect at once
inline constexpr int kMaxLightIndex = 4096;       // highest light slot + 1 that SetLight accepts
inline constexpr int kMaxTextureStages = 8;
inline constexpr int kMaxTextureCoordSets = 8;
inline constexpr int kRenderStateCount = 174;     // D3DRS_ values 0 .. D3DRS_NORMALORDER
inline constexpr int kDefinedRenderStateCount = 76;
inline constexpr int kTextureStageStateCount = 29;  // D3DTSS_ values 0 .. D3DTSS_RESULTARG
inline constexpr int kMaxTextureSize = 4096;
inline constexpr int kMaxBackBufferSize = 8192;
inline constexpr unsigned kMaxBufferBytes = 256u << 20;
inline constexpr int kSubPixelBits = 8;           // fixed-point fraction of screen positions
inline constexpr float kGuardBand = 16.0f;        // clip-space x and y limit, times w
inline constexpr float kMaxScreenCoordinate = 1 << 20;  // pre-transformed vertices beyond are dropped
inline constexpr int kBandRows = 16;              // rows per band handed to one thread
inline constexpr long kParallelPixelThreshold = 2048;  // bounding-box pixels of a batch before threads pay

// Interpolated values per vertex: diffuse rgba, specular rgba, fog factor, then four
// texture coordinates per stage.
inline constexpr int kVaryingDiffuse = 0;
inline constexpr int kVaryingSpecular = 4;
inline constexpr int kVaryingFog = 8;
inline constexpr int kVaryingTexture = 9;
inline constexpr int kMaxVaryings = kVaryingTexture + 4 * kMaxTextureStages;

}  // namespace d3d8sw
