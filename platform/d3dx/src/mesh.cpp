// The in-memory mesh and data buffer behind the builders, and face adjacency.
#include <atomic>
#include <cstring>
#include <map>
#include <tuple>
#include <unordered_map>

#include "shape_builder.h"

namespace d3dx_detail {
namespace {

constexpr DWORD kVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL;
constexpr DWORD kNoNeighbour = 0xFFFFFFFF;

class RefCounted {
 protected:
  ULONG addRef() { return ++references_; }
  ULONG release() { return --references_; }

 private:
  std::atomic<ULONG> references_{1};
};

class DataBuffer final : public ID3DXBuffer, RefCounted {
 public:
  explicit DataBuffer(std::vector<BYTE> bytes) : bytes_(std::move(bytes)) {}

  ULONG AddRef() override { return addRef(); }
  ULONG Release() override {
    const ULONG remaining = release();
    if (remaining == 0) delete this;
    return remaining;
  }
  void* GetBufferPointer() override { return bytes_.data(); }
  DWORD GetBufferSize() override { return static_cast<DWORD>(bytes_.size()); }

 private:
  ~DataBuffer() = default;
  std::vector<BYTE> bytes_;
};

class Mesh final : public ID3DXMesh, RefCounted {
 public:
  explicit Mesh(MeshArrays arrays) : arrays_(std::move(arrays)) {}

  ULONG AddRef() override { return addRef(); }
  ULONG Release() override {
    const ULONG remaining = release();
    if (remaining == 0) delete this;
    return remaining;
  }
  DWORD GetNumFaces() override { return static_cast<DWORD>(arrays_.indices.size() / 3); }
  DWORD GetNumVertices() override { return static_cast<DWORD>(arrays_.vertices.size() / 6); }
  DWORD GetFVF() override { return kVertexFormat; }
  DWORD GetOptions() override { return D3DXMESH_MANAGED; }
  HRESULT LockVertexBuffer(DWORD, BYTE** data) override {
    return lock(vertexLocks_, reinterpret_cast<BYTE*>(arrays_.vertices.data()), data);
  }
  HRESULT UnlockVertexBuffer() override { return unlock(vertexLocks_); }
  HRESULT LockIndexBuffer(DWORD, BYTE** data) override {
    return lock(indexLocks_, reinterpret_cast<BYTE*>(arrays_.indices.data()), data);
  }
  HRESULT UnlockIndexBuffer() override { return unlock(indexLocks_); }

 private:
  ~Mesh() = default;

  static HRESULT lock(ULONG& locks, BYTE* storage, BYTE** data) {
    if (!data) return D3DERR_INVALIDCALL;
    ++locks;
    *data = storage;
    return D3D_OK;
  }
  static HRESULT unlock(ULONG& locks) {
    if (locks == 0) return D3DERR_INVALIDCALL;
    --locks;
    return D3D_OK;
  }

  MeshArrays arrays_;
  ULONG vertexLocks_ = 0;
  ULONG indexLocks_ = 0;
};

// Three neighbours a face, one per edge (edge k runs from corner k to corner k + 1).
// Faces meet across an edge that they run in opposite directions; vertices at the same
// position count as one, so that the sides of a box or the caps of a cylinder connect.
std::vector<DWORD> faceAdjacency(const MeshArrays& arrays) {
  const size_t vertexCount = arrays.vertices.size() / 6;
  std::vector<uint32_t> pointOf(vertexCount);
  std::map<std::tuple<float, float, float>, uint32_t> firstAt;
  for (size_t v = 0; v < vertexCount; ++v) {
    const float* p = &arrays.vertices[v * 6];
    pointOf[v] = firstAt.try_emplace({p[0], p[1], p[2]}, static_cast<uint32_t>(v)).first->second;
  }
  const auto key = [](uint32_t from, uint32_t to) { return (uint64_t{from} << 32) | to; };
  const size_t cornerCount = arrays.indices.size();
  std::unordered_multimap<uint64_t, uint32_t> edges;  // directed edge -> face corner
  for (size_t c = 0; c < cornerCount; ++c) {
    const size_t next = c - c % 3 + (c + 1) % 3;
    edges.emplace(key(pointOf[arrays.indices[c]], pointOf[arrays.indices[next]]),
                  static_cast<uint32_t>(c));
  }
  std::vector<DWORD> neighbours(cornerCount, kNoNeighbour);
  for (size_t c = 0; c < cornerCount; ++c) {
    if (neighbours[c] != kNoNeighbour) continue;
    const size_t next = c - c % 3 + (c + 1) % 3;
    const uint32_t from = pointOf[arrays.indices[c]];
    const uint32_t to = pointOf[arrays.indices[next]];
    if (from == to) continue;  // a collapsed edge joins nothing
    const auto [first, last] = edges.equal_range(key(to, from));
    for (auto it = first; it != last; ++it) {
      const uint32_t other = it->second;
      if (other / 3 != c / 3 && neighbours[other] == kNoNeighbour) {
        neighbours[c] = other / 3;
        neighbours[other] = static_cast<DWORD>(c / 3);
        break;
      }
    }
  }
  return neighbours;
}

}  // namespace

HRESULT publishMesh(MeshArrays&& arrays, ID3DXMesh** mesh, ID3DXBuffer** adjacency) {
  std::vector<BYTE> bytes;
  if (adjacency) {
    const std::vector<DWORD> neighbours = faceAdjacency(arrays);
    bytes.resize(neighbours.size() * sizeof(DWORD));
    if (!bytes.empty()) std::memcpy(bytes.data(), neighbours.data(), bytes.size());
  }
  Mesh* created = new Mesh(std::move(arrays));
  if (adjacency) {
    try {
      *adjacency = new DataBuffer(std::move(bytes));
    } catch (...) {
      created->Release();
      throw;
    }
  }
  *mesh = created;
  return D3D_OK;
}

}  // namespace d3dx_detail
