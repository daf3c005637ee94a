// The reference rasteriser: every pixel of the bounding box is tested against the three
// edge equations and interpolated on its own. Slow and plain; the optimised rasteriser
// must give exactly its pixels.
#include "pipeline.h"

namespace d3d8sw {

void referenceRasterTriangle(const DrawState& state, const RenderTarget& target, const Triangle& t) {
  float varyings[kMaxVaryings];
  for (int y = t.minY; y <= t.maxY; ++y) {
    for (int x = t.minX; x <= t.maxX; ++x) {
      int64_t e[3];
      bool covered = true;
      for (int i = 0; i < 3; ++i) {
        e[i] = t.edgeA[i] * x + t.edgeB[i] * y + t.edgeC[i];
        covered = covered && e[i] + t.bias[i] >= 0;
      }
      if (!covered) continue;
      const float b0 = static_cast<float>(e[0]) * t.invArea;
      const float b1 = static_cast<float>(e[1]) * t.invArea;
      const float b2 = static_cast<float>(e[2]) * t.invArea;
      const float z = b0 * t.z[0] + b1 * t.z[1] + b2 * t.z[2];
      const float invW = b0 * t.invW[0] + b1 * t.invW[1] + b2 * t.invW[2];
      const float w = 1.0f / invW;
      for (int k = 0; k < state.varyingCount; ++k)
        varyings[k] = (b0 * t.varyings[0][k] + b1 * t.varyings[1][k] + b2 * t.varyings[2][k]) * w;
      shadeFragment(state, target, Fragment{x, y, z, invW, varyings, &t});
    }
  }
}

}  // namespace d3d8sw
