// The state a draw runs with and the records passed between the pipeline stages:
// vertex_transform -> lighting -> clip -> setup -> raster -> texture_sample -> combine
// -> fog -> output_merge.
#pragma once

#include <array>
#include <cstdint>

#include "d3d8/d3d8.h"
#include "limits.h"

namespace d3d8sw {

class Texture;

struct Color {
  float r, g, b, a;
};

// Byte offsets of the parts of one vertex, decoded from an FVF code.
struct VertexLayout {
  bool valid = false;
  bool pretransformed = false;
  int size = 0;
  int normal = -1;
  int pointSize = -1;
  int diffuse = -1;
  int specular = -1;
  int texCount = 0;
  std::array<int, kMaxTextureCoordSets> texOffset{};
  std::array<int, kMaxTextureCoordSets> texDimension{};
};
VertexLayout decodeVertexLayout(DWORD fvf);

// A light moved into camera space for one draw.
struct CameraLight {
  DWORD type;
  Color diffuse, specular, ambient;
  float position[3];
  float toLight[3];  // directional lights: unit vector from the surface towards the light
  float direction[3];  // spot lights: unit direction the light points in
  float range;
  float falloff;
  float attenuation[3];
  float cosHalfTheta, cosHalfPhi;
};

struct StageSetup {
  DWORD colorOp, alphaOp;
  DWORD colorArg[3];  // arg0, arg1, arg2
  DWORD alphaArg[3];
  DWORD resultArg;
  unsigned colorArgsUsed, alphaArgsUsed;  // bit i: argument i is read
  const Texture* texture;  // null: a texture argument reads opaque white
  DWORD coordIndex;
  DWORD texGen;
  DWORD transformFlags;
  D3DMATRIX matrix;
  DWORD magFilter, minFilter, mipFilter;
  DWORD addressU, addressV;
  uint32_t border;  // 0xAARRGGBB
  float lodBias;
  int maxMipLevel;
  bool needsLod;  // the texture has mip levels or differing min and mag filters
};

// Everything a draw reads, derived from the device state once per draw.
struct DrawState {
  // Vertex part.
  D3DMATRIX worldView, worldViewProjection, normalMatrix;
  D3DVIEWPORT8 viewport;
  bool lighting, specularEnable, normalizeNormals, localViewer, colorVertex;
  DWORD diffuseSource, specularSource, ambientSource, emissiveSource;
  Color globalAmbient;
  D3DMATERIAL8 material;
  std::array<CameraLight, kMaxLights> lights;
  int lightCount;
  // Fog.
  bool fog;
  DWORD fogTableMode, fogVertexMode;
  bool rangeFog, wFog;
  float fogStart, fogEnd, fogDensity;
  Color fogColor;
  // Texture stages.
  std::array<StageSetup, kMaxTextureStages> stages;
  int stageCount;  // stages before the first disabled colour operation
  Color textureFactor;
  int varyingCount;
  // Rasterisation and output.
  DWORD cullMode, fillMode, shadeMode;
  bool lastPixel;
  float pointSize;
  bool zTest, zWrite;
  DWORD zFunc;
  bool alphaTest;
  DWORD alphaFunc;
  uint32_t alphaRef;
  bool blend;
  DWORD srcBlend, destBlend, blendOp;
  DWORD colorWriteMask;
  bool stencil;
  DWORD stencilFunc, stencilFail, stencilZFail, stencilPass;
  uint32_t stencilRef, stencilMask, stencilWriteMask;
};

// The pixels a draw writes.
struct RenderTarget {
  uint32_t* color = nullptr;  // X8R8G8B8 or A8R8G8B8, rows of `width`
  int width = 0;
  int height = 0;
  bool hasAlpha = false;
  uint32_t* depth = nullptr;  // quantised depth, rows of `width`; null without depth buffer
  int depthBits = 0;          // 16 or 24
  uint8_t* stencil = nullptr;
  int clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;  // viewport, exclusive right/bottom
};

// A vertex after transform and lighting, in clip space.
struct ClipVertex {
  float position[4];
  float varyings[kMaxVaryings];
};

// A vertex in screen space: pixel x and y, depth 0..1 and 1/w.
struct ScreenVertex {
  float x, y, z, invW;
  float varyings[kMaxVaryings];
};

// A triangle ready for rasterisation. Edge i (opposite vertex i) is
// E_i(px, py) = a * px + b * py + c on integer pixel centres; a pixel is covered when
// E_i + bias_i >= 0 for all three (the bias of -1 keeps pixels on non top-left edges out).
struct Triangle {
  int64_t edgeA[3], edgeB[3], edgeC[3];
  int64_t bias[3];
  int minX, maxX, minY, maxY;  // inclusive pixel bounds, inside the clip rectangle
  float invArea;
  float dbdx[3], dbdy[3];  // barycentric change per pixel
  float z[3], invW[3];
  float varyings[3][kMaxVaryings];  // premultiplied by 1/w
  // Screen derivatives of 1/w and, per stage needing a level of detail, of u/w and v/w
  // (d/dx, d/dy each).
  float invWGradient[2];
  float textureGradients[kMaxTextureStages][4];
};

// One covered pixel with its interpolated values.
struct Fragment {
  int x, y;
  float z;
  float invW;
  const float* varyings;     // kMaxVaryings values, perspective corrected
  const Triangle* triangle;  // for texture level of detail; null for points and lines
};

// Stage entry points.
void transformVertices(const DrawState& state, const VertexLayout& layout, const uint8_t* data,
                       UINT stride, UINT first, UINT count, ClipVertex* out);
void pretransformedVertices(const DrawState& state, const VertexLayout& layout, const uint8_t* data,
                            UINT stride, UINT first, UINT count, ScreenVertex* out);
void lightVertex(const DrawState& state, const float* cameraPosition, const float* cameraNormal,
                 const Color* vertexDiffuse, const Color* vertexSpecular, Color* diffuse,
                 Color* specular);
float vertexFogFactor(const DrawState& state, float distance);
float tableFogFactor(const DrawState& state, float depth);

// Clips a convex polygon against the view volume; returns the new vertex count.
int clipPolygon(const DrawState& state, ClipVertex* polygon, int count, ClipVertex* scratch);
// Clips a segment; false when nothing is left.
bool clipSegment(const DrawState& state, ClipVertex& a, ClipVertex& b);
bool insideViewVolume(const ClipVertex& v);
void projectVertex(const DrawState& state, const ClipVertex& in, ScreenVertex* out);

// False when the triangle is culled, degenerate or covers no pixel of the target.
bool setupTriangle(const DrawState& state, const RenderTarget& target, const ScreenVertex& v0,
                   const ScreenVertex& v1, const ScreenVertex& v2, Triangle* out);

Color sampleTexture(const StageSetup& stage, float u, float v, float lod);
Color combineStages(const DrawState& state, const Fragment& fragment, const Color* texels);
void shadeFragment(const DrawState& state, const RenderTarget& target, const Fragment& fragment);

// Rasterisers: the optimised one covers the rows given by `band` of `bandCount`; the
// reference one covers everything, one pixel at a time.
void rasterTriangles(const DrawState& state, const RenderTarget& target, const Triangle* triangles,
                     size_t count, int band, int bandCount, float* scratch);
void referenceRasterTriangle(const DrawState& state, const RenderTarget& target,
                             const Triangle& triangle);
void rasterLine(const DrawState& state, const RenderTarget& target, const ScreenVertex& a,
                const ScreenVertex& b, bool lastPixel);
void rasterPoint(const DrawState& state, const RenderTarget& target, const ScreenVertex& v);

inline constexpr size_t scratchFloatsPerPixel = 5 + kMaxVaryings;

// Depth 0..1 as stored in a 16- or 24-bit depth buffer.
inline uint32_t quantizeDepth(float z, int bits) {
  z = z > 0.0f ? (z < 1.0f ? z : 1.0f) : 0.0f;  // NaN becomes 0
  const float scale = bits == 16 ? 65535.0f : 16777215.0f;
  return static_cast<uint32_t>(z * scale + 0.5f);
}

}  // namespace d3d8sw
