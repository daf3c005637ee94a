// What the shape builders share: argument checks, the vertex and face writer, and the step
// that turns the written arrays into a mesh (and adjacency) for the caller.
#pragma once

#include <cassert>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "d3dx/mesh.h"
#include "d3dx/vector.h"

namespace d3dx_detail {

// The angle of step i of a full turn divided into n steps, in radians.
inline float turnAngle(uint64_t i, uint64_t n) {
  return 2.0f * D3DX_PI * static_cast<float>(i) / static_cast<float>(n);
}

// A mesh's arrays: six floats a vertex (position, normal), three indices a face.
struct MeshArrays {
  std::vector<float> vertices;
  std::vector<WORD> indices;

  void addVertex(const D3DXVECTOR3& position, const D3DXVECTOR3& normal) {
    vertices.insert(vertices.end(),
                    {position.x, position.y, position.z, normal.x, normal.y, normal.z});
  }
  // Front face clockwise seen from outside: (b - a) x (c - a) points along the normal.
  void addFace(uint32_t a, uint32_t b, uint32_t c) {
    indices.insert(indices.end(),
                   {static_cast<WORD>(a), static_cast<WORD>(b), static_cast<WORD>(c)});
  }
};

inline constexpr uint64_t kMaxVertices = 0xFFFF;

// True for a size that is zero or positive (false for NaN).
inline bool validSize(float f) { return f >= 0.0f; }

// Hands the arrays to a new mesh; the adjacency is computed when asked for.
HRESULT publishMesh(MeshArrays&& arrays, ID3DXMesh** mesh, ID3DXBuffer** adjacency);

// Checks the common arguments and the vertex count, lets fill write the arrays, and
// publishes them. On any failure the outputs are null.
template <typename Fill>
HRESULT buildShape(IDirect3DDevice8* device, bool argumentsValid, uint64_t vertexCount,
                   uint64_t faceCount, ID3DXMesh** mesh, ID3DXBuffer** adjacency, Fill&& fill) {
  if (mesh) *mesh = nullptr;
  if (adjacency) *adjacency = nullptr;
  // Every index must fit in 16 bits and stay below 0xFFFF, the "no vertex" marker.
  if (!device || !mesh || !argumentsValid || vertexCount > kMaxVertices) return D3DERR_INVALIDCALL;
  try {
    MeshArrays arrays;
    arrays.vertices.reserve(vertexCount * 6);
    arrays.indices.reserve(faceCount * 3);
    fill(arrays);
    // A builder that wrote other counts than it announced is a programming error.
    assert(arrays.vertices.size() == vertexCount * 6 && arrays.indices.size() == faceCount * 3);
    if (arrays.vertices.size() != vertexCount * 6 || arrays.indices.size() != faceCount * 3)
      return E_FAIL;
    return publishMesh(std::move(arrays), mesh, adjacency);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace d3dx_detail
