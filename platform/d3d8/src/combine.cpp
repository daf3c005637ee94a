// The texture stage cascade: arguments, their modifiers and the colour and alpha
// operations, stage by stage into the current (or temporary) register.
#include <algorithm>

#include "pipeline.h"

namespace d3d8sw {

namespace {

float sat(float v) { return std::min(1.0f, std::max(0.0f, v)); }

// The registers an argument selects, indexed by its D3DTA_ selector.
struct Registers {
  Color reg[6];  // diffuse, current, texture, factor, specular, temp
  Color& current() { return reg[D3DTA_CURRENT]; }
  Color& temp() { return reg[D3DTA_TEMP]; }
  const Color& diffuse() const { return reg[D3DTA_DIFFUSE]; }
  const Color& texture() const { return reg[D3DTA_TEXTURE]; }
  const Color& factor() const { return reg[D3DTA_TFACTOR]; }
};
static_assert(D3DTA_DIFFUSE == 0 && D3DTA_CURRENT == 1 && D3DTA_TEXTURE == 2 && D3DTA_TFACTOR == 3 &&
              D3DTA_SPECULAR == 4 && D3DTA_TEMP == 5);

inline Color argument(DWORD arg, const Registers& r) {
  const DWORD select = arg & D3DTA_SELECTMASK;
  Color c = r.reg[select <= D3DTA_TEMP ? select : D3DTA_CURRENT];
  if (arg & (D3DTA_COMPLEMENT | D3DTA_ALPHAREPLICATE)) {
    if (arg & D3DTA_COMPLEMENT) c = Color{1.0f - c.r, 1.0f - c.g, 1.0f - c.b, 1.0f - c.a};
    if (arg & D3DTA_ALPHAREPLICATE) c = Color{c.a, c.a, c.a, c.a};
  }
  return c;
}

// One channel of an operation. `a0..a2` are the channel of the arguments, `alpha1` the
// alpha of argument 1, `blend` the alpha the BLEND* operations use.
template <DWORD Op>
inline float operate(float a0, float a1, float a2, float alpha1, float blend) {
  if constexpr (Op == D3DTOP_SELECTARG1) return a1;
  else if constexpr (Op == D3DTOP_SELECTARG2) return a2;
  else if constexpr (Op == D3DTOP_MODULATE) return a1 * a2;
  else if constexpr (Op == D3DTOP_MODULATE2X) return sat(2.0f * a1 * a2);
  else if constexpr (Op == D3DTOP_MODULATE4X) return sat(4.0f * a1 * a2);
  else if constexpr (Op == D3DTOP_ADD) return sat(a1 + a2);
  else if constexpr (Op == D3DTOP_ADDSIGNED) return sat(a1 + a2 - 0.5f);
  else if constexpr (Op == D3DTOP_ADDSIGNED2X) return sat(2.0f * (a1 + a2 - 0.5f));
  else if constexpr (Op == D3DTOP_SUBTRACT) return sat(a1 - a2);
  else if constexpr (Op == D3DTOP_ADDSMOOTH) return sat(a1 + a2 - a1 * a2);
  else if constexpr (Op == D3DTOP_BLENDDIFFUSEALPHA) return a1 * blend + a2 * (1.0f - blend);
  else if constexpr (Op == D3DTOP_BLENDTEXTUREALPHAPM) return sat(a1 + a2 * (1.0f - blend));
  else if constexpr (Op == D3DTOP_MODULATEALPHA_ADDCOLOR) return sat(a1 + alpha1 * a2);
  else if constexpr (Op == D3DTOP_MODULATECOLOR_ADDALPHA) return sat(a1 * a2 + alpha1);
  else if constexpr (Op == D3DTOP_MODULATEINVALPHA_ADDCOLOR) return sat((1.0f - alpha1) * a2 + a1);
  else if constexpr (Op == D3DTOP_MODULATEINVCOLOR_ADDALPHA) return sat((1.0f - a1) * a2 + alpha1);
  else if constexpr (Op == D3DTOP_MULTIPLYADD) return sat(a0 + a1 * a2);
  else if constexpr (Op == D3DTOP_LERP) return a0 * a1 + (1.0f - a0) * a2;
  else return a1;  // premodulate and bump mapping: pass argument 1 on
}

template <DWORD Op>
inline void operateColor(const Color& c0, const Color& c1, const Color& c2, float blend, Color* out) {
  out->r = operate<Op>(c0.r, c1.r, c2.r, c1.a, blend);
  out->g = operate<Op>(c0.g, c1.g, c2.g, c1.a, blend);
  out->b = operate<Op>(c0.b, c1.b, c2.b, c1.a, blend);
}

// The colour channels of an operation; the switch runs once per stage, not per channel.
void operateColor(DWORD op, const Color& c0, const Color& c1, const Color& c2, float blend, Color* out) {
  switch (op) {
    case D3DTOP_SELECTARG1: return operateColor<D3DTOP_SELECTARG1>(c0, c1, c2, blend, out);
    case D3DTOP_SELECTARG2: return operateColor<D3DTOP_SELECTARG2>(c0, c1, c2, blend, out);
    case D3DTOP_MODULATE: return operateColor<D3DTOP_MODULATE>(c0, c1, c2, blend, out);
    case D3DTOP_MODULATE2X: return operateColor<D3DTOP_MODULATE2X>(c0, c1, c2, blend, out);
    case D3DTOP_MODULATE4X: return operateColor<D3DTOP_MODULATE4X>(c0, c1, c2, blend, out);
    case D3DTOP_ADD: return operateColor<D3DTOP_ADD>(c0, c1, c2, blend, out);
    case D3DTOP_ADDSIGNED: return operateColor<D3DTOP_ADDSIGNED>(c0, c1, c2, blend, out);
    case D3DTOP_ADDSIGNED2X: return operateColor<D3DTOP_ADDSIGNED2X>(c0, c1, c2, blend, out);
    case D3DTOP_SUBTRACT: return operateColor<D3DTOP_SUBTRACT>(c0, c1, c2, blend, out);
    case D3DTOP_ADDSMOOTH: return operateColor<D3DTOP_ADDSMOOTH>(c0, c1, c2, blend, out);
    case D3DTOP_BLENDDIFFUSEALPHA:
    case D3DTOP_BLENDTEXTUREALPHA:
    case D3DTOP_BLENDFACTORALPHA:
    case D3DTOP_BLENDCURRENTALPHA: return operateColor<D3DTOP_BLENDDIFFUSEALPHA>(c0, c1, c2, blend, out);
    case D3DTOP_BLENDTEXTUREALPHAPM: return operateColor<D3DTOP_BLENDTEXTUREALPHAPM>(c0, c1, c2, blend, out);
    case D3DTOP_MODULATEALPHA_ADDCOLOR: return operateColor<D3DTOP_MODULATEALPHA_ADDCOLOR>(c0, c1, c2, blend, out);
    case D3DTOP_MODULATECOLOR_ADDALPHA: return operateColor<D3DTOP_MODULATECOLOR_ADDALPHA>(c0, c1, c2, blend, out);
    case D3DTOP_MODULATEINVALPHA_ADDCOLOR:
      return operateColor<D3DTOP_MODULATEINVALPHA_ADDCOLOR>(c0, c1, c2, blend, out);
    case D3DTOP_MODULATEINVCOLOR_ADDALPHA:
      return operateColor<D3DTOP_MODULATEINVCOLOR_ADDALPHA>(c0, c1, c2, blend, out);
    case D3DTOP_MULTIPLYADD: return operateColor<D3DTOP_MULTIPLYADD>(c0, c1, c2, blend, out);
    case D3DTOP_LERP: return operateColor<D3DTOP_LERP>(c0, c1, c2, blend, out);
    default: return operateColor<D3DTOP_SELECTARG1>(c0, c1, c2, blend, out);
  }
}

float operateAlpha(DWORD op, float a0, float a1, float a2, float blend) {
  switch (op) {
    case D3DTOP_SELECTARG1: return a1;
    case D3DTOP_SELECTARG2: return a2;
    case D3DTOP_MODULATE: return a1 * a2;
    case D3DTOP_MODULATE2X: return operate<D3DTOP_MODULATE2X>(a0, a1, a2, a1, blend);
    case D3DTOP_MODULATE4X: return operate<D3DTOP_MODULATE4X>(a0, a1, a2, a1, blend);
    case D3DTOP_ADD: return operate<D3DTOP_ADD>(a0, a1, a2, a1, blend);
    case D3DTOP_ADDSIGNED: return operate<D3DTOP_ADDSIGNED>(a0, a1, a2, a1, blend);
    case D3DTOP_ADDSIGNED2X: return operate<D3DTOP_ADDSIGNED2X>(a0, a1, a2, a1, blend);
    case D3DTOP_SUBTRACT: return operate<D3DTOP_SUBTRACT>(a0, a1, a2, a1, blend);
    case D3DTOP_ADDSMOOTH: return operate<D3DTOP_ADDSMOOTH>(a0, a1, a2, a1, blend);
    case D3DTOP_BLENDDIFFUSEALPHA:
    case D3DTOP_BLENDTEXTUREALPHA:
    case D3DTOP_BLENDFACTORALPHA:
    case D3DTOP_BLENDCURRENTALPHA: return operate<D3DTOP_BLENDDIFFUSEALPHA>(a0, a1, a2, a1, blend);
    case D3DTOP_BLENDTEXTUREALPHAPM: return operate<D3DTOP_BLENDTEXTUREALPHAPM>(a0, a1, a2, a1, blend);
    case D3DTOP_MULTIPLYADD: return operate<D3DTOP_MULTIPLYADD>(a0, a1, a2, a1, blend);
    case D3DTOP_LERP: return operate<D3DTOP_LERP>(a0, a1, a2, a1, blend);
    default: return a1;
  }
}

float blendAlpha(DWORD op, Registers& r) {
  switch (op) {
    case D3DTOP_BLENDDIFFUSEALPHA: return r.diffuse().a;
    case D3DTOP_BLENDTEXTUREALPHA:
    case D3DTOP_BLENDTEXTUREALPHAPM: return r.texture().a;
    case D3DTOP_BLENDFACTORALPHA: return r.factor().a;
    case D3DTOP_BLENDCURRENTALPHA: return r.current().a;
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
  r.reg[D3DTA_DIFFUSE] = Color{v[kVaryingDiffuse], v[kVaryingDiffuse + 1], v[kVaryingDiffuse + 2], v[kVaryingDiffuse + 3]};
  r.reg[D3DTA_SPECULAR] =
      Color{v[kVaryingSpecular], v[kVaryingSpecular + 1], v[kVaryingSpecular + 2], v[kVaryingSpecular + 3]};
  r.reg[D3DTA_CURRENT] = r.reg[D3DTA_DIFFUSE];
  r.reg[D3DTA_TEMP] = Color{0, 0, 0, 0};
  r.reg[D3DTA_TFACTOR] = state.textureFactor;
  for (int s = 0; s < state.stageCount; ++s) {
    const StageSetup& st = state.stages[s];
    r.reg[D3DTA_TEXTURE] = texels[s];
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
      operateColor(st.colorOp, c0, c1, c2, blendAlpha(st.colorOp, r), &out);
    }
    if (st.colorOp != D3DTOP_DOTPRODUCT3) {
      if (st.alphaOp == D3DTOP_DISABLE) {
        out.a = r.current().a;
      } else {
        const unsigned usedAlpha = st.alphaArgsUsed;
        const float a0 = usedAlpha & 1 ? argument(st.alphaArg[0], r).a : 0.0f;
        const float a1 = usedAlpha & 2 ? argument(st.alphaArg[1], r).a : 0.0f;
        const float a2 = usedAlpha & 4 ? argument(st.alphaArg[2], r).a : 0.0f;
        out.a = operateAlpha(st.alphaOp, a0, a1, a2, blendAlpha(st.alphaOp, r));
      }
    }
    if ((st.resultArg & D3DTA_SELECTMASK) == D3DTA_TEMP)
      r.temp() = out;
    else
      r.current() = out;
  }
  return r.current();
}

}  // namespace d3d8sw
