// Fog factors: 1 keeps the colour, 0 gives the fog colour.
#include <algorithm>
#include <cmath>

#include "pipeline.h"

namespace d3d8sw {

namespace {

float fogFormula(DWORD mode, const DrawState& s, float d) {
  float f = 1.0f;
  switch (mode) {
    case D3DFOG_LINEAR:
      f = s.fogEnd != s.fogStart ? (s.fogEnd - d) / (s.fogEnd - s.fogStart) : (d < s.fogEnd ? 1.0f : 0.0f);
      break;
    case D3DFOG_EXP: f = std::exp(-s.fogDensity * d); break;
    case D3DFOG_EXP2: {
      const float x = s.fogDensity * d;
      f = std::exp(-x * x);
      break;
    }
    default: break;
  }
  return std::min(1.0f, std::max(0.0f, f));
}

}  // namespace

float vertexFogFactor(const DrawState& s, float distance) { return fogFormula(s.fogVertexMode, s, distance); }

float tableFogFactor(const DrawState& s, float depth) { return fogFormula(s.fogTableMode, s, depth); }

}  // namespace d3d8sw
