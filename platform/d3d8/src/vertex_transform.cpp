// Vertex fetch, world-view-projection transform, texture coordinate generation and
// texture transforms.
#include <cmath>
#include <cstring>

#include "matrix.h"
#include "pipeline.h"

namespace d3d8sw {

VertexLayout decodeVertexLayout(DWORD fvf) {
  VertexLayout l;
  const DWORD position = fvf & D3DFVF_POSITION_MASK;
  int offset = 0;
  if (position == D3DFVF_XYZ) {
    offset = 12;
  } else if (position == D3DFVF_XYZRHW) {
    offset = 16;
    l.pretransformed = true;
  } else if (position >= D3DFVF_XYZB1 && position <= D3DFVF_XYZB5) {
    offset = 12 + 4 * static_cast<int>((position - D3DFVF_XYZ) / 2);  // blend weights, unused
  } else {
    return l;  // no position
  }
  if (fvf & D3DFVF_NORMAL) {
    if (l.pretransformed) return l;
    l.normal = offset;
    offset += 12;
  }
  if (fvf & D3DFVF_PSIZE) {
    l.pointSize = offset;
    offset += 4;
  }
  if (fvf & D3DFVF_DIFFUSE) {
    l.diffuse = offset;
    offset += 4;
  }
  if (fvf & D3DFVF_SPECULAR) {
    l.specular = offset;
    offset += 4;
  }
  l.texCount = static_cast<int>((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT);
  if (l.texCount > kMaxTextureCoordSets) return l;
  for (int i = 0; i < l.texCount; ++i) {
    static constexpr int kDimension[4] = {2, 3, 4, 1};  // D3DFVF_TEXTUREFORMAT2, 3, 4, 1
    l.texDimension[i] = kDimension[(fvf >> (16 + 2 * i)) & 3];
    l.texOffset[i] = offset;
    offset += 4 * l.texDimension[i];
  }
  l.size = offset;
  l.valid = true;
  return l;
}

namespace {

Color unpackColor(const uint8_t* p) {
  uint32_t c;
  std::memcpy(&c, p, 4);
  constexpr float k = 1.0f / 255.0f;
  return Color{((c >> 16) & 0xFF) * k, ((c >> 8) & 0xFF) * k, (c & 0xFF) * k, (c >> 24) * k};
}

void storeColor(float* out, const Color& c) {
  out[0] = c.r;
  out[1] = c.g;
  out[2] = c.b;
  out[3] = c.a;
}

// The coordinates of one stage: taken from the vertex or generated, then transformed.
// Stored as (u, v, w, q); the rasteriser divides u and v by q.
void stageCoordinates(const StageSetup& stage, const VertexLayout& layout, const uint8_t* vertex,
                      const float* cameraPosition, const float* cameraNormal, bool localViewer,
                      float* out) {
  float in[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  int dimension = 2;
  if (stage.texGen == D3DTSS_TCI_CAMERASPACENORMAL && cameraNormal) {
    std::memcpy(in, cameraNormal, 12);
    dimension = 3;
  } else if (stage.texGen == D3DTSS_TCI_CAMERASPACEPOSITION && cameraPosition) {
    std::memcpy(in, cameraPosition, 12);
    dimension = 3;
  } else if (stage.texGen == D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR && cameraNormal) {
    float eye[3] = {0.0f, 0.0f, 1.0f};  // direction from the eye to the vertex
    if (localViewer) {
      std::memcpy(eye, cameraPosition, 12);
      normalize3(eye);
    }
    const float d = 2.0f * dot3(eye, cameraNormal);
    for (int i = 0; i < 3; ++i) in[i] = eye[i] - d * cameraNormal[i];
    dimension = 3;
  } else if (stage.texGen == D3DTSS_TCI_PASSTHRU && static_cast<int>(stage.coordIndex) < layout.texCount) {
    dimension = layout.texDimension[stage.coordIndex];
    std::memcpy(in, vertex + layout.texOffset[stage.coordIndex], 4 * dimension);
  }
  const DWORD count = stage.transformFlags & 0xFF;
  if (count == D3DTTFF_DISABLE) {
    out[0] = in[0];
    out[1] = in[1];
    out[2] = in[2];
    out[3] = 1.0f;
    return;
  }
  // The component after the last one present is 1, so 2D coordinates take their
  // translation from the third matrix row.
  if (dimension < 4) in[dimension] = 1.0f;
  float t[4];
  transformVector4(stage.matrix, in, t);
  for (DWORD i = count; i < 4; ++i) t[i] = 0.0f;
  out[0] = t[0];
  out[1] = t[1];
  out[2] = t[2];
  out[3] = 1.0f;
  if ((stage.transformFlags & D3DTTFF_PROJECTED) && count >= 2) out[3] = t[count - 1];
}

}  // namespace

void transformVertices(const DrawState& state, const VertexLayout& layout, const uint8_t* data,
                       UINT stride, UINT first, UINT count, ClipVertex* out) {
  const bool needCamera = state.lighting || state.fog || state.stageCount > 0;
  for (UINT i = 0; i < count; ++i) {
    const uint8_t* v = data + static_cast<size_t>(first + i) * stride;
    ClipVertex& o = out[i];
    float p[3];
    std::memcpy(p, v, 12);
    transformPoint(state.worldViewProjection, p, o.position);

    float cameraPosition[4];
    float cameraNormal[3] = {0.0f, 0.0f, 0.0f};
    const bool hasNormal = layout.normal >= 0;
    if (needCamera) {
      transformPoint(state.worldView, p, cameraPosition);
      if (hasNormal) {
        float n[3];
        std::memcpy(n, v + layout.normal, 12);
        transformDirection(state.normalMatrix, n, cameraNormal);
        if (state.normalizeNormals) normalize3(cameraNormal);
      }
    }

    Color vertexDiffuse{}, vertexSpecular{};
    if (layout.diffuse >= 0) vertexDiffuse = unpackColor(v + layout.diffuse);
    if (layout.specular >= 0) vertexSpecular = unpackColor(v + layout.specular);
    Color diffuse, specular;
    if (state.lighting) {
      lightVertex(state, cameraPosition, hasNormal ? cameraNormal : nullptr,
                  layout.diffuse >= 0 ? &vertexDiffuse : nullptr,
                  layout.specular >= 0 ? &vertexSpecular : nullptr, &diffuse, &specular);
    } else {
      diffuse = layout.diffuse >= 0 ? vertexDiffuse : Color{1.0f, 1.0f, 1.0f, 1.0f};
      specular = layout.specular >= 0 ? vertexSpecular : Color{0.0f, 0.0f, 0.0f, 0.0f};
    }
    storeColor(o.varyings + kVaryingDiffuse, diffuse);
    storeColor(o.varyings + kVaryingSpecular, specular);

    float fog = layout.specular >= 0 ? vertexSpecular.a : 1.0f;
    if (state.fog && state.fogTableMode == D3DFOG_NONE && state.fogVertexMode != D3DFOG_NONE) {
      const float distance = state.rangeFog ? std::sqrt(dot3(cameraPosition, cameraPosition))
                                            : std::fabs(cameraPosition[2]);
      fog = vertexFogFactor(state, distance);
    }
    o.varyings[kVaryingFog] = fog;

    for (int s = 0; s < state.stageCount; ++s)
      stageCoordinates(state.stages[s], layout, v, cameraPosition, hasNormal ? cameraNormal : nullptr,
                       state.localViewer, o.varyings + kVaryingTexture + 4 * s);
  }
}

void pretransformedVertices(const DrawState& state, const VertexLayout& layout, const uint8_t* data,
                            UINT stride, UINT first, UINT count, ScreenVertex* out) {
  for (UINT i = 0; i < count; ++i) {
    const uint8_t* v = data + static_cast<size_t>(first + i) * stride;
    ScreenVertex& o = out[i];
    float p[4];
    std::memcpy(p, v, 16);
    o.x = p[0];
    o.y = p[1];
    o.z = p[2];
    o.invW = p[3];
    const Color diffuse = layout.diffuse >= 0 ? unpackColor(v + layout.diffuse) : Color{1, 1, 1, 1};
    const Color specular = layout.specular >= 0 ? unpackColor(v + layout.specular) : Color{0, 0, 0, 1};
    storeColor(o.varyings + kVaryingDiffuse, diffuse);
    storeColor(o.varyings + kVaryingSpecular, specular);
    o.varyings[kVaryingFog] = specular.a;
    for (int s = 0; s < state.stageCount; ++s)
      stageCoordinates(state.stages[s], layout, v, nullptr, nullptr, false,
                       o.varyings + kVaryingTexture + 4 * s);
  }
}

}  // namespace d3d8sw
