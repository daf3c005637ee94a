// The texture stage cascade: arguments, their modifiers and the colour and alpha
// operations, stage by stage into the current (or temporary) register.
#include <algorithm>

#include "pipeline.h"

namespace d3d8sw {

namespace {

float sat(float v) { return std::min(1.0f, std::max(0.0f, v)); }

struct Registers {
  Color diffuse, specular, current, temp, factor, texture;
};

Color argument(DWORD arg, const Registers& r) {
  Color c;
  switch (arg & D3DTA_SELECTMASK) {
    case D3DTA_DIFFUSE: c = r.diffuse; break;
    case D3DTA_CURRENT: c = r.current; break;
    case D3DTA_TEXTURE: c = r.texture; break;
    case D3DTA_TFACTOR: c = r.factor; break;
    case D3DTA_SPECULAR: c = r.specular; break;
    case D3DTA_TEMP: c = r.temp; break;
    default: c = r.current; break;
  }
  if (arg & D3DTA_COMPLEMENT) c = Color{1.0f - c.r, 1.0f - c.g, 1.0f - c.b, 1.0f - c.a};
  if (arg & D3DTA_ALPHAREPLICATE) c = Color{c.a, c.a, c.a, c.a};
  return c;
}

// One channel of an operation. `a0..a2` are the channel of the arguments, `alpha1` the
// alpha of argument 1, `blend` the alpha the BLEND* operations use.
float operate(DWORD op, float a0, float a1, float a2, float alpha1, float blend) {
  switch (op) {
    case D3DTOP_SELECTARG1: return a1;
    case D3DTOP_SELECTARG2: return a2;
    case D3DTOP_MODULATE: return a1 * a2;
    case D3DTOP_MODULATE2X: return sat(2.0f * a1 * a2);
    case D3DTOP_MODULATE4X: return sat(4.0f * a1 * a2);
    case D3DTOP_ADD: return sat(a1 + a2);
    case D3DTOP_ADDSIGNED: return sat(a1 + a2 - 0.5f);
    case D3DTOP_ADDSIGNED2X: return sat(2.0f * (a1 + a2 - 0.5f));
    case D3DTOP_SUBTRACT: return sat(a1 - a2);
    case D3DTOP_ADDSMOOTH: return sat(a1 + a2 - a1 * a2);
    case D3DTOP_BLENDDIFFUSEALPHA:
    case D3DTOP_BLENDTEXTUREALPHA:
    case D3DTOP_BLENDFACTORALPHA:
    case D3DTOP_BLENDCURRENTALPHA: return a1 * blend + a2 * (1.0f - blend);
    case D3DTOP_BLENDTEXTUREALPHAPM: return sat(a1 + a2 * (1.0f - blend));
    case D3DTOP_MODULATEALPHA_ADDCOLOR: return sat(a1 + alpha1 * a2);
    case D3DTOP_MODULATECOLOR_ADDALPHA: return sat(a1 * a2 + alpha1);
    case D3DTOP_MODULATEINVALPHA_ADDCOLOR: return sat((1.0f - alpha1) * a2 + a1);
    case D3DTOP_MODULATEINVCOLOR_ADDALPHA: return sat((1.0f - a1) * a2 + alpha1);
    case D3DTOP_MULTIPLYADD: return sat(a0 + a1 * a2);
    case D3DTOP_LERP: return a0 * a1 + (1.0f - a0) * a2;
    default: return a1;  // premodulate and bump mapping: pass argument 1 on
  }
}

float blendAlpha(DWORD op, const Registers& r) {
  switch (op) {
    case D3DTOP_BLENDDIFFUSEALPHA: return r.diffuse.a;
    case D3DTOP_BLENDTEXTUREALPHA:
    case D3DTOP_BLENDTEXTUREALPHAPM: return r.texture.a;
    case D3DTOP_BLENDFACTORALPHA: return r.factor.a;
    case D3DTOP_BLENDCURRENTALPHA: return r.current.a;
    default: return 0.0f;
  }
}

float dot3Signed(const Color& a, const Color& b) {
  return sat(4.0f * ((a.r - 0.5f) * (b.r - 0.5f) + (a.g - 0.5f) * (b.g - 0.5f) + (a.b - 0.5f) * (b.b - 0.5f)));
}

}  // namespace

Color combineStages(const DrawState& state, const Fragment& f, const Color* texels) {
  const float* v = f.varyings;
  Registers r;
  r.diffuse = Color{v[kVaryingDiffuse], v[kVaryingDiffuse + 1], v[kVaryingDiffuse + 2], v[kVaryingDiffuse + 3]};
  r.specular = Color{v[kVaryingSpecular], v[kVaryingSpecular + 1], v[kVaryingSpecular + 2], v[kVaryingSpecular + 3]};
  r.current = r.diffuse;
  r.temp = Color{0, 0, 0, 0};
  r.factor = state.textureFactor;
  for (int s = 0; s < state.stageCount; ++s) {
    const StageSetup& st = state.stages[s];
    r.texture = texels[s];
    const Color none{0, 0, 0, 0};
    const unsigned used = st.colorArgsUsed;
    const Color c0 = used & 1 ? argument(st.colorArg[0], r) : none;
    const Color c1 = used & 2 ? argument(st.colorArg[1], r) : none;
    const Color c2 = used & 4 ? argument(st.colorArg[2], r) : none;
    Color out;
    if (st.colorOp == D3DTOP_DOTPRODUCT3) {
      const float d = dot3Signed(c1, c2);
      out = Color{d, d, d, d};
    } else {
      const float blend = blendAlpha(st.colorOp, r);
      out.r = operate(st.colorOp, c0.r, c1.r, c2.r, c1.a, blend);
      out.g = operate(st.colorOp, c0.g, c1.g, c2.g, c1.a, blend);
      out.b = operate(st.colorOp, c0.b, c1.b, c2.b, c1.a, blend);
    }
    if (st.colorOp != D3DTOP_DOTPRODUCT3) {
      if (st.alphaOp == D3DTOP_DISABLE) {
        out.a = r.current.a;
      } else {
        const unsigned usedAlpha = st.alphaArgsUsed;
        const float a0 = usedAlpha & 1 ? argument(st.alphaArg[0], r).a : 0.0f;
        const float a1 = usedAlpha & 2 ? argument(st.alphaArg[1], r).a : 0.0f;
        const float a2 = usedAlpha & 4 ? argument(st.alphaArg[2], r).a : 0.0f;
        out.a = operate(st.alphaOp, a0, a1, a2, a1, blendAlpha(st.alphaOp, r));
      }
    }
    if ((st.resultArg & D3DTA_SELECTMASK) == D3DTA_TEMP)
      r.temp = out;
    else
      r.current = out;
  }
  return r.current;
}

}  // namespace d3d8sw
