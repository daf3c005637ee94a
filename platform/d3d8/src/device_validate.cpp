// Derives the DrawState from the device state. Runs once per draw and recomputes only
// the parts whose dirty bits were raised since the last draw.
#include <cmath>

#include "device.h"
#include "matrix.h"
#include "state_tables.h"

namespace d3d8sw {

namespace {

Color unpackColor(DWORD c) {
  constexpr float k = 1.0f / 255.0f;
  return Color{((c >> 16) & 0xFF) * k, ((c >> 8) & 0xFF) * k, (c & 0xFF) * k, (c >> 24) * k};
}

Color toColor(const D3DCOLORVALUE& c) { return Color{c.r, c.g, c.b, c.a}; }

bool readsTexture(DWORD arg) { return (arg & D3DTA_SELECTMASK) == D3DTA_TEXTURE; }

// The arguments an operation reads, as bits 0 (arg0) to 2 (arg2).
unsigned argumentsRead(DWORD op) {
  switch (op) {
    case D3DTOP_SELECTARG1: return 2;
    case D3DTOP_SELECTARG2: return 4;
    case D3DTOP_MULTIPLYADD:
    case D3DTOP_LERP: return 7;
    default: return 6;
  }
}

}  // namespace

void Device::validate() {
  DrawState& d = drawState_;
  const auto& rs = state_.renderStates;
  if (dirty_ & kDirtyTransforms) {
    d.worldView = multiply(state_.world, state_.view);
    d.worldViewProjection = multiply(d.worldView, state_.projection);
    d.normalMatrix = normalMatrix(d.worldView);
    d.viewport = state_.viewport;
  }
  if (dirty_ & kDirtyLights) {
    d.lighting = rs[D3DRS_LIGHTING] != FALSE;
    d.specularEnable = rs[D3DRS_SPECULARENABLE] != FALSE;
    d.normalizeNormals = rs[D3DRS_NORMALIZENORMALS] != FALSE;
    d.localViewer = rs[D3DRS_LOCALVIEWER] != FALSE;
    d.colorVertex = rs[D3DRS_COLORVERTEX] != FALSE;
    d.diffuseSource = rs[D3DRS_DIFFUSEMATERIALSOURCE];
    d.specularSource = rs[D3DRS_SPECULARMATERIALSOURCE];
    d.ambientSource = rs[D3DRS_AMBIENTMATERIALSOURCE];
    d.emissiveSource = rs[D3DRS_EMISSIVEMATERIALSOURCE];
    d.globalAmbient = unpackColor(rs[D3DRS_AMBIENT]);
    d.material = state_.material;
    d.lightCount = 0;
    for (const LightSlot& slot : state_.lights) {
      if (!slot.enabled || d.lightCount == kMaxLights) continue;
      const D3DLIGHT8& l = slot.light;
      CameraLight& c = d.lights[d.lightCount++];
      c.type = l.Type;
      c.diffuse = toColor(l.Diffuse);
      c.specular = toColor(l.Specular);
      c.ambient = toColor(l.Ambient);
      const float position[3] = {l.Position.x, l.Position.y, l.Position.z};
      float p4[4];
      transformPoint(state_.view, position, p4);
      c.position[0] = p4[0];
      c.position[1] = p4[1];
      c.position[2] = p4[2];
      const float direction[3] = {l.Direction.x, l.Direction.y, l.Direction.z};
      transformDirection(state_.view, direction, c.direction);
      normalize3(c.direction);
      for (int k = 0; k < 3; ++k) c.toLight[k] = -c.direction[k];
      c.range = l.Range;
      c.falloff = l.Falloff;
      c.attenuation[0] = l.Attenuation0;
      c.attenuation[1] = l.Attenuation1;
      c.attenuation[2] = l.Attenuation2;
      c.cosHalfTheta = std::cos(0.5f * l.Theta);
      c.cosHalfPhi = std::cos(0.5f * l.Phi);
    }
  }
  if (dirty_ & kDirtyRender) {
    d.fog = rs[D3DRS_FOGENABLE] != FALSE;
    d.fogTableMode = rs[D3DRS_FOGTABLEMODE];
    d.fogVertexMode = rs[D3DRS_FOGVERTEXMODE];
    d.rangeFog = rs[D3DRS_RANGEFOGENABLE] != FALSE;
    d.fogStart = bitsFloat(rs[D3DRS_FOGSTART]);
    d.fogEnd = bitsFloat(rs[D3DRS_FOGEND]);
    d.fogDensity = bitsFloat(rs[D3DRS_FOGDENSITY]);
    d.fogColor = unpackColor(rs[D3DRS_FOGCOLOR]);
    d.textureFactor = unpackColor(rs[D3DRS_TEXTUREFACTOR]);
    d.cullMode = rs[D3DRS_CULLMODE];
    d.fillMode = rs[D3DRS_FILLMODE];
    d.shadeMode = rs[D3DRS_SHADEMODE];
    d.lastPixel = rs[D3DRS_LASTPIXEL] != FALSE;
    d.pointSize = bitsFloat(rs[D3DRS_POINTSIZE]);
    if (!std::isfinite(d.pointSize) || d.pointSize > 64.0f) d.pointSize = 64.0f;
    d.zTest = rs[D3DRS_ZENABLE] != D3DZB_FALSE;
    d.zWrite = rs[D3DRS_ZWRITEENABLE] != FALSE;
    d.zFunc = rs[D3DRS_ZFUNC];
    d.alphaTest = rs[D3DRS_ALPHATESTENABLE] != FALSE;
    d.alphaFunc = rs[D3DRS_ALPHAFUNC];
    d.alphaRef = rs[D3DRS_ALPHAREF] & 0xFF;
    d.blend = rs[D3DRS_ALPHABLENDENABLE] != FALSE;
    d.srcBlend = rs[D3DRS_SRCBLEND];
    d.destBlend = rs[D3DRS_DESTBLEND];
    d.blendOp = rs[D3DRS_BLENDOP];
    d.colorWriteMask = rs[D3DRS_COLORWRITEENABLE];
    d.stencil = rs[D3DRS_STENCILENABLE] != FALSE;
    d.stencilFunc = rs[D3DRS_STENCILFUNC];
    d.stencilFail = rs[D3DRS_STENCILFAIL];
    d.stencilZFail = rs[D3DRS_STENCILZFAIL];
    d.stencilPass = rs[D3DRS_STENCILPASS];
    d.stencilRef = rs[D3DRS_STENCILREF];
    d.stencilMask = rs[D3DRS_STENCILMASK];
    d.stencilWriteMask = rs[D3DRS_STENCILWRITEMASK];
  }
  if (dirty_ & (kDirtyStages | kDirtyTransforms)) {
    // W-based table fog when the projection is perspective.
    d.wFog = state_.projection._34 != 0.0f || state_.projection._44 != 1.0f;
    d.stageCount = 0;
    for (int s = 0; s < kMaxTextureStages; ++s) {
      const auto& ts = state_.stageStates[s];
      if (ts[D3DTSS_COLOROP] == D3DTOP_DISABLE) break;
      StageSetup& st = d.stages[s];
      st.colorOp = ts[D3DTSS_COLOROP];
      st.alphaOp = ts[D3DTSS_ALPHAOP];
      st.colorArg[0] = ts[D3DTSS_COLORARG0];
      st.colorArg[1] = ts[D3DTSS_COLORARG1];
      st.colorArg[2] = ts[D3DTSS_COLORARG2];
      st.alphaArg[0] = ts[D3DTSS_ALPHAARG0];
      st.alphaArg[1] = ts[D3DTSS_ALPHAARG1];
      st.alphaArg[2] = ts[D3DTSS_ALPHAARG2];
      st.resultArg = ts[D3DTSS_RESULTARG];
      st.colorArgsUsed = argumentsRead(st.colorOp);
      st.alphaArgsUsed = st.alphaOp == D3DTOP_DISABLE ? 0 : argumentsRead(st.alphaOp);
      bool usesTexture = st.colorOp == D3DTOP_BLENDTEXTUREALPHA || st.colorOp == D3DTOP_BLENDTEXTUREALPHAPM ||
                         st.alphaOp == D3DTOP_BLENDTEXTUREALPHA || st.alphaOp == D3DTOP_BLENDTEXTUREALPHAPM;
      for (int a = 0; a < 3; ++a)
        usesTexture = usesTexture || ((st.colorArgsUsed >> a & 1) && readsTexture(st.colorArg[a])) ||
                      ((st.alphaArgsUsed >> a & 1) && readsTexture(st.alphaArg[a]));
      st.texture = usesTexture ? state_.textures[s] : nullptr;
      st.coordIndex = ts[D3DTSS_TEXCOORDINDEX] & 0xFFFF;
      st.texGen = ts[D3DTSS_TEXCOORDINDEX] & 0xFFFF0000u;
      st.transformFlags = ts[D3DTSS_TEXTURETRANSFORMFLAGS];
      if ((st.transformFlags & 0xFF) > D3DTTFF_COUNT4) st.transformFlags = D3DTTFF_DISABLE;
      st.matrix = state_.textureMatrices[s];
      st.magFilter = ts[D3DTSS_MAGFILTER];
      st.minFilter = ts[D3DTSS_MINFILTER];
      st.mipFilter = ts[D3DTSS_MIPFILTER];
      st.addressU = ts[D3DTSS_ADDRESSU];
      st.addressV = ts[D3DTSS_ADDRESSV];
      st.border = ts[D3DTSS_BORDERCOLOR];
      st.lodBias = bitsFloat(ts[D3DTSS_MIPMAPLODBIAS]);
      if (!std::isfinite(st.lodBias)) st.lodBias = 0.0f;
      st.maxMipLevel = static_cast<int>(std::min<DWORD>(ts[D3DTSS_MAXMIPLEVEL], 64));
      st.needsLod = st.texture && ((st.texture->levelCount() > 1 && st.mipFilter != D3DTEXF_NONE) ||
                                   st.minFilter != st.magFilter);
      ++d.stageCount;
    }
    d.varyingCount = kVaryingTexture + 4 * d.stageCount;
  }
  dirty_ = 0;
}

}  // namespace d3d8sw
