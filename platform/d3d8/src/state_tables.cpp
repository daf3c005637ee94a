// The tables of defined states and their defaults.
#include "state_tables.h"

#include <algorithm>

namespace d3d8sw {

namespace {
constexpr DWORD kOne = floatBits(1.0f);
constexpr DWORD kZero = floatBits(0.0f);
}  // namespace

namespace {
constexpr std::array<StateDefault, kDefinedRenderStateCount> kDefaults = {{
    {D3DRS_ZENABLE, D3DZB_FALSE},
    {D3DRS_FILLMODE, D3DFILL_SOLID},
    {D3DRS_SHADEMODE, D3DSHADE_GOURAUD},
    {D3DRS_LINEPATTERN, 0},
    {D3DRS_ZWRITEENABLE, TRUE},
    {D3DRS_ALPHATESTENABLE, FALSE},
    {D3DRS_LASTPIXEL, TRUE},
    {D3DRS_SRCBLEND, D3DBLEND_ONE},
    {D3DRS_DESTBLEND, D3DBLEND_ZERO},
    {D3DRS_CULLMODE, D3DCULL_CCW},
    {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
    {D3DRS_ALPHAREF, 0},
    {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},
    {D3DRS_DITHERENABLE, FALSE},
    {D3DRS_ALPHABLENDENABLE, FALSE},
    {D3DRS_FOGENABLE, FALSE},
    {D3DRS_SPECULARENABLE, FALSE},
    {D3DRS_ZVISIBLE, 0},
    {D3DRS_FOGCOLOR, 0},
    {D3DRS_FOGTABLEMODE, D3DFOG_NONE},
    {D3DRS_FOGSTART, kZero},
    {D3DRS_FOGEND, kOne},
    {D3DRS_FOGDENSITY, kOne},
    {D3DRS_EDGEANTIALIAS, FALSE},
    {D3DRS_ZBIAS, 0},
    {D3DRS_RANGEFOGENABLE, FALSE},
    {D3DRS_STENCILENABLE, FALSE},
    {D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILPASS, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILFUNC, D3DCMP_ALWAYS},
    {D3DRS_STENCILREF, 0},
    {D3DRS_STENCILMASK, 0xFFFFFFFF},
    {D3DRS_STENCILWRITEMASK, 0xFFFFFFFF},
    {D3DRS_TEXTUREFACTOR, 0xFFFFFFFF},
    {D3DRS_WRAP0, 0},
    {D3DRS_WRAP1, 0},
    {D3DRS_WRAP2, 0},
    {D3DRS_WRAP3, 0},
    {D3DRS_WRAP4, 0},
    {D3DRS_WRAP5, 0},
    {D3DRS_WRAP6, 0},
    {D3DRS_WRAP7, 0},
    {D3DRS_CLIPPING, TRUE},
    {D3DRS_LIGHTING, TRUE},
    {D3DRS_AMBIENT, 0},
    {D3DRS_FOGVERTEXMODE, D3DFOG_NONE},
    {D3DRS_COLORVERTEX, TRUE},
    {D3DRS_LOCALVIEWER, TRUE},
    {D3DRS_NORMALIZENORMALS, FALSE},
    {D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1},
    {D3DRS_SPECULARMATERIALSOURCE, D3DMCS_COLOR2},
    {D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_MATERIAL},
    {D3DRS_EMISSIVEMATERIALSOURCE, D3DMCS_MATERIAL},
    {D3DRS_VERTEXBLEND, D3DVBF_DISABLE},
    {D3DRS_CLIPPLANEENABLE, 0},
    {D3DRS_SOFTWAREVERTEXPROCESSING, FALSE},
    {D3DRS_POINTSIZE, kOne},
    {D3DRS_POINTSIZE_MIN, kZero},
    {D3DRS_POINTSPRITEENABLE, FALSE},
    {D3DRS_POINTSCALEENABLE, FALSE},
    {D3DRS_POINTSCALE_A, kOne},
    {D3DRS_POINTSCALE_B, kZero},
    {D3DRS_POINTSCALE_C, kZero},
    {D3DRS_MULTISAMPLEANTIALIAS, TRUE},
    {D3DRS_MULTISAMPLEMASK, 0xFFFFFFFF},
    {D3DRS_PATCHEDGESTYLE, 0},
    {D3DRS_PATCHSEGMENTS, kOne},
    {D3DRS_DEBUGMONITORTOKEN, 0},
    {D3DRS_POINTSIZE_MAX, floatBits(64.0f)},
    {D3DRS_INDEXEDVERTEXBLENDENABLE, FALSE},
    {D3DRS_COLORWRITEENABLE, 0xF},
    {D3DRS_TWEENFACTOR, kZero},
    {D3DRS_BLENDOP, D3DBLENDOP_ADD},
    {D3DRS_POSITIONORDER, 3},  // cubic
    {D3DRS_NORMALORDER, 1},    // linear
}};
}  // namespace

const std::array<StateDefault, kDefinedRenderStateCount> kRenderStateDefaults = kDefaults;

namespace {

constexpr bool sortedAndInRange() {
  for (size_t i = 0; i < kDefaults.size(); ++i) {
    if (kDefaults[i].state >= static_cast<DWORD>(kRenderStateCount)) return false;
    if (i > 0 && kDefaults[i - 1].state >= kDefaults[i].state) return false;
  }
  return true;
}

// Render states read by the pixel pipeline; the rest of the defined ones act on vertices.
constexpr DWORD kPixelStates[] = {
    D3DRS_ZENABLE,          D3DRS_FILLMODE,       D3DRS_SHADEMODE,     D3DRS_LINEPATTERN,
    D3DRS_ZWRITEENABLE,     D3DRS_ALPHATESTENABLE, D3DRS_LASTPIXEL,    D3DRS_SRCBLEND,
    D3DRS_DESTBLEND,        D3DRS_ZFUNC,          D3DRS_ALPHAREF,      D3DRS_ALPHAFUNC,
    D3DRS_DITHERENABLE,     D3DRS_ALPHABLENDENABLE, D3DRS_FOGSTART,    D3DRS_FOGEND,
    D3DRS_FOGDENSITY,       D3DRS_FOGTABLEMODE,   D3DRS_FOGCOLOR,      D3DRS_SPECULARENABLE,
    D3DRS_EDGEANTIALIAS,    D3DRS_ZBIAS,          D3DRS_STENCILENABLE, D3DRS_STENCILFAIL,
    D3DRS_STENCILZFAIL,     D3DRS_STENCILPASS,    D3DRS_STENCILFUNC,   D3DRS_STENCILREF,
    D3DRS_STENCILMASK,      D3DRS_STENCILWRITEMASK, D3DRS_TEXTUREFACTOR, D3DRS_WRAP0,
    D3DRS_WRAP1,            D3DRS_WRAP2,          D3DRS_WRAP3,         D3DRS_WRAP4,
    D3DRS_WRAP5,            D3DRS_WRAP6,          D3DRS_WRAP7,         D3DRS_COLORWRITEENABLE,
    D3DRS_BLENDOP,
};
constexpr DWORD kSharedStates[] = {D3DRS_FOGENABLE, D3DRS_FOGCOLOR, D3DRS_FOGTABLEMODE,
                                   D3DRS_FOGSTART,  D3DRS_FOGEND,   D3DRS_FOGDENSITY};

}  // namespace

static_assert(sortedAndInRange(), "render state defaults must be sorted and below the count");
static_assert(kDefaults.back().state == D3DRS_NORMALORDER);
static_assert(kDefaults.size() == kDefinedRenderStateCount);

bool isDefinedRenderState(DWORD state) {
  return std::binary_search(kRenderStateDefaults.begin(), kRenderStateDefaults.end(),
                            StateDefault{state, 0},
                            [](const StateDefault& a, const StateDefault& b) { return a.state < b.state; });
}

bool isDefinedTextureStageState(DWORD type) {
  return type >= D3DTSS_COLOROP && type <= D3DTSS_RESULTARG && type != 12;
}

DWORD textureStageStateDefault(int stage, DWORD type) {
  switch (type) {
    case D3DTSS_COLOROP: return stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
    case D3DTSS_ALPHAOP: return stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
    case D3DTSS_COLORARG1:
    case D3DTSS_ALPHAARG1: return D3DTA_TEXTURE;
    case D3DTSS_COLORARG2:
    case D3DTSS_ALPHAARG2:
    case D3DTSS_COLORARG0:
    case D3DTSS_ALPHAARG0:
    case D3DTSS_RESULTARG: return D3DTA_CURRENT;
    case D3DTSS_TEXCOORDINDEX: return static_cast<DWORD>(stage);
    case D3DTSS_ADDRESSU:
    case D3DTSS_ADDRESSV:
    case D3DTSS_ADDRESSW: return D3DTADDRESS_WRAP;
    case D3DTSS_MAGFILTER:
    case D3DTSS_MINFILTER: return D3DTEXF_POINT;
    case D3DTSS_MAXANISOTROPY: return 1;
    default: return 0;  // zero bit patterns: filters none, matrices 0.0, transforms disabled
  }
}

bool isPixelRenderState(DWORD state) {
  return std::find(std::begin(kPixelStates), std::end(kPixelStates), state) != std::end(kPixelStates);
}

bool isVertexRenderState(DWORD state) {
  if (!isDefinedRenderState(state)) return false;
  if (std::find(std::begin(kSharedStates), std::end(kSharedStates), state) != std::end(kSharedStates))
    return true;
  return !isPixelRenderState(state);
}

bool isVertexTextureStageState(DWORD type) {
  return type == D3DTSS_TEXCOORDINDEX || type == D3DTSS_TEXTURETRANSFORMFLAGS;
}

}  // namespace d3d8sw
