// The draw calls: argument and bounds checks, vertex processing of the used range,
// primitive assembly with clipping and culling, and hand-over to the rasterisers.
#include <algorithm>
#include <cstring>

#include "device.h"

namespace d3d8sw {

namespace {

// Vertices a primitive count needs; 0 for an unknown type.
uint64_t verticesFor(D3DPRIMITIVETYPE type, uint64_t primitives) {
  switch (type) {
    case D3DPT_POINTLIST: return primitives;
    case D3DPT_LINELIST: return 2 * primitives;
    case D3DPT_LINESTRIP: return primitives + 1;
    case D3DPT_TRIANGLELIST: return 3 * primitives;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return primitives + 2;
    default: return 0;
  }
}

constexpr size_t kTriangleBatch = 4096;  // triangles collected before rasterising

}  // namespace

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) {
  VertexBuffer* vb = state_.stream;
  if (!vb) return D3DERR_INVALIDCALL;
  return draw(type, primitiveCount, vb->data(), vb->length(), state_.streamStride, nullptr, 0, D3DFMT_UNKNOWN,
              startVertex);
}

HRESULT Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT, UINT, UINT startIndex, UINT primitiveCount) {
  VertexBuffer* vb = state_.stream;
  IndexBuffer* ib = state_.indices;
  if (!vb || !ib) return D3DERR_INVALIDCALL;
  const UINT indexBytes = ib->format() == D3DFMT_INDEX32 ? 4 : 2;
  const uint64_t offset = static_cast<uint64_t>(startIndex) * indexBytes;
  if (offset > ib->length()) return D3DERR_INVALIDCALL;
  return draw(type, primitiveCount, vb->data(), vb->length(), state_.streamStride, ib->data() + offset,
              ib->length() - static_cast<UINT>(offset), ib->format(), state_.baseVertexIndex);
}

HRESULT Device::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride) {
  if (!vertices) return D3DERR_INVALIDCALL;
  const uint64_t bytes = verticesFor(type, primitiveCount) * stride;
  if (bytes > kMaxBufferBytes) return D3DERR_INVALIDCALL;
  // As in Direct3D, stream 0 is unset afterwards (whatever a state block is recording).
  unbindStream(false);
  return draw(type, primitiveCount, static_cast<const uint8_t*>(vertices), static_cast<UINT>(bytes), stride,
              nullptr, 0, D3DFMT_UNKNOWN, 0);
}

HRESULT Device::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount,
                                       UINT primitiveCount, const void* indices, D3DFORMAT indexFormat,
                                       const void* vertices, UINT stride) {
  if (!vertices || !indices || (indexFormat != D3DFMT_INDEX16 && indexFormat != D3DFMT_INDEX32))
    return D3DERR_INVALIDCALL;
  const uint64_t vertexBytes = (static_cast<uint64_t>(minIndex) + vertexCount) * stride;
  const uint64_t indexBytes = verticesFor(type, primitiveCount) * (indexFormat == D3DFMT_INDEX32 ? 4 : 2);
  if (vertexBytes > kMaxBufferBytes || indexBytes > kMaxBufferBytes) return D3DERR_INVALIDCALL;
  unbindStream(true);
  return draw(type, primitiveCount, static_cast<const uint8_t*>(vertices), static_cast<UINT>(vertexBytes), stride,
              static_cast<const uint8_t*>(indices), static_cast<UINT>(indexBytes), indexFormat, 0);
}

void Device::unbindStream(bool indicesToo) {
  if (state_.stream) state_.stream->Release();
  state_.stream = nullptr;
  state_.streamStride = 0;
  if (indicesToo && state_.indices) {
    state_.indices->Release();
    state_.indices = nullptr;
    state_.baseVertexIndex = 0;
  }
}

HRESULT Device::draw(D3DPRIMITIVETYPE type, UINT primitiveCount, const uint8_t* vertices, UINT vertexBytes,
                     UINT stride, const uint8_t* indices, UINT indexBytes, D3DFORMAT indexFormat, UINT base) {
  if (!inScene_) return D3DERR_INVALIDCALL;
  const uint64_t count = verticesFor(type, primitiveCount);
  if (count == 0 && type >= D3DPT_POINTLIST && type <= D3DPT_TRIANGLEFAN) return D3D_OK;
  if (count == 0 || count > 0x7FFFFFFF) return D3DERR_INVALIDCALL;
  const VertexLayout layout = decodeVertexLayout(state_.vertexShader);
  if (!layout.valid || stride < static_cast<UINT>(layout.size)) return D3DERR_INVALIDCALL;
  const uint64_t available =
      vertexBytes >= static_cast<UINT>(layout.size) ? (vertexBytes - layout.size) / stride + 1 : 0;

  // The vertex numbers the draw reads, checked against the vertices that exist.
  const UINT indexSize = indexFormat == D3DFMT_INDEX32 ? 4 : 2;
  auto vertexNumber = [&](uint64_t i) -> uint64_t {
    if (!indices) return base + i;
    uint32_t value = 0;
    std::memcpy(&value, indices + i * indexSize, indexSize);
    return static_cast<uint64_t>(value) + base;
  };
  uint64_t lo, hi;
  if (indices) {
    if (count * indexSize > indexBytes) return D3DERR_INVALIDCALL;
    lo = UINT64_MAX;
    hi = 0;
    for (uint64_t i = 0; i < count; ++i) {
      const uint64_t n = vertexNumber(i);
      lo = std::min(lo, n);
      hi = std::max(hi, n);
    }
  } else {
    lo = base;
    hi = base + count - 1;
  }
  if (hi >= available) return D3DERR_INVALIDCALL;
  if (options_.path == RasterPath::None) return D3D_OK;

  validate();
  const DrawState& ds = drawState_;
  const UINT used = static_cast<UINT>(hi - lo + 1);
  if (screenVertices_.size() < used) screenVertices_.resize(used);
  if (layout.pretransformed) {
    pretransformedVertices(ds, layout, vertices, stride, static_cast<UINT>(lo), used, screenVertices_.data());
  } else {
    if (clipVertices_.size() < used) clipVertices_.resize(used);
    if (vertexDone_.size() < used) vertexDone_.resize(used);
    transformVertices(ds, layout, vertices, stride, static_cast<UINT>(lo), used, clipVertices_.data());
    for (UINT i = 0; i < used; ++i) {
      vertexDone_[i] = insideViewVolume(clipVertices_[i]);
      if (vertexDone_[i]) projectVertex(ds, clipVertices_[i], &screenVertices_[i]);
    }
  }

  RenderTarget target = renderTarget();
  auto local = [&](uint64_t i) { return static_cast<UINT>(vertexNumber(i) - lo); };
  const bool pretransformed = layout.pretransformed;

  // Points and lines: rasterised in order as they come.
  auto emitPoint = [&](UINT a) {
    if (pretransformed || vertexDone_[a]) rasterPoint(ds, target, screenVertices_[a]);
  };
  auto emitLine = [&](const ScreenVertex& a, const ScreenVertex& b) { rasterLine(ds, target, a, b, ds.lastPixel); };
  auto emitClipLine = [&](UINT a, UINT b) {
    if (pretransformed || (vertexDone_[a] && vertexDone_[b])) {
      emitLine(screenVertices_[a], screenVertices_[b]);
      return;
    }
    ClipVertex ca = clipVertices_[a], cb = clipVertices_[b];
    if (!clipSegment(ds, ca, cb)) return;
    ScreenVertex sa, sb;
    projectVertex(ds, ca, &sa);
    projectVertex(ds, cb, &sb);
    emitLine(sa, sb);
  };

  // Triangles: set up, then filled in batches, or drawn as edges or corner points.
  triangles_.clear();
  collectedPixels_ = 0;
  auto emitScreenTriangle = [&](const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c) {
    if (triangles_.size() == kTriangleBatch) rasterCollected();
    triangles_.emplace_back();
    Triangle& t = triangles_.back();
    if (!setupTriangle(ds, target, a, b, c, &t)) {
      triangles_.pop_back();
      return;
    }
    if (ds.fillMode == D3DFILL_WIREFRAME || ds.fillMode == D3DFILL_POINT) {
      triangles_.pop_back();
      if (ds.fillMode == D3DFILL_POINT) {
        rasterPoint(ds, target, a);
        rasterPoint(ds, target, b);
        rasterPoint(ds, target, c);
      } else {
        emitLine(a, b);
        emitLine(b, c);
        emitLine(c, a);
      }
      return;
    }
    collectedPixels_ += static_cast<long>(t.maxX - t.minX + 1) * (t.maxY - t.minY + 1);
  };
  auto emitTriangle = [&](UINT a, UINT b, UINT c) {
    if (pretransformed || (vertexDone_[a] && vertexDone_[b] && vertexDone_[c])) {
      emitScreenTriangle(screenVertices_[a], screenVertices_[b], screenVertices_[c]);
      return;
    }
    ClipVertex polygon[12] = {clipVertices_[a], clipVertices_[b], clipVertices_[c]};
    ClipVertex scratch[12];
    const int n = clipPolygon(ds, polygon, 3, scratch);
    ScreenVertex projected[12];
    for (int i = 0; i < n; ++i) projectVertex(ds, polygon[i], &projected[i]);
    for (int i = 1; i + 1 < n; ++i) emitScreenTriangle(projected[0], projected[i], projected[i + 1]);
  };

  switch (type) {
    case D3DPT_POINTLIST:
      for (uint64_t i = 0; i < count; ++i) emitPoint(local(i));
      break;
    case D3DPT_LINELIST:
      for (uint64_t i = 0; i + 1 < count; i += 2) emitClipLine(local(i), local(i + 1));
      break;
    case D3DPT_LINESTRIP:
      for (uint64_t i = 0; i + 1 < count; ++i) emitClipLine(local(i), local(i + 1));
      break;
    case D3DPT_TRIANGLELIST:
      for (uint64_t i = 0; i + 2 < count; i += 3) emitTriangle(local(i), local(i + 1), local(i + 2));
      break;
    case D3DPT_TRIANGLESTRIP:
      for (uint64_t i = 0; i + 2 < count; ++i) {
        // Every second triangle of a strip is reversed so that all keep one winding.
        if (i % 2 == 0)
          emitTriangle(local(i), local(i + 1), local(i + 2));
        else
          emitTriangle(local(i + 1), local(i), local(i + 2));
      }
      break;
    case D3DPT_TRIANGLEFAN:
      for (uint64_t i = 1; i + 1 < count; ++i) emitTriangle(local(0), local(i), local(i + 1));
      break;
    default: return D3DERR_INVALIDCALL;
  }
  rasterCollected();
  return D3D_OK;
}

void Device::rasterCollected() {
  if (triangles_.empty()) return;
  const DrawState& ds = drawState_;
  const RenderTarget target = renderTarget();
  if (options_.path == RasterPath::Reference) {
    for (const Triangle& t : triangles_) referenceRasterTriangle(ds, target, t);
  } else {
    const int threads = collectedPixels_ >= kParallelPixelThreshold ? pool_->size() : 1;
    for (auto& s : scratch_)
      if (s.size() < scratchFloatsPerPixel * static_cast<size_t>(width_)) s.assign(scratchFloatsPerPixel * width_, 0.0f);
    if (threads == 1) {
      rasterTriangles(ds, target, triangles_.data(), triangles_.size(), 0, 1, scratch_[0].data());
    } else {
      pool_->run([&](int band) {
        rasterTriangles(ds, target, triangles_.data(), triangles_.size(), band, threads, scratch_[band].data());
      });
    }
  }
  triangles_.clear();
  collectedPixels_ = 0;
}

}  // namespace d3d8sw
