// A scene described once and drawn through the software device or through Mesa's
// fixed-function OpenGL, for the peer comparison test and the benchmark.
#pragma once

#include <cstdint>
#include <vector>

#include "d3d8/d3d8.h"
#include "device_fixture.h"
#include "mesa_context.h"

namespace kelvane::test {

struct PeerVertex {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
};
static_assert(sizeof(PeerVertex) == 32);
inline constexpr DWORD kPeerVertexFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

struct PeerMesh {
  D3DMATRIX world;
  std::vector<PeerVertex> vertices;
  std::vector<uint16_t> indices;  // triangle list
  D3DMATERIAL8 material;
  bool textured = false;
};

struct PeerScene {
  int width = 128, height = 96;
  D3DCOLOR clear = 0xFF203040;
  D3DMATRIX view, projection;
  std::vector<D3DLIGHT8> lights;  // directional and point lights only (spot cones differ)
  D3DCOLOR ambient = 0;
  bool specular = false;
  bool fog = false;
  D3DFOGMODE fogMode = D3DFOG_LINEAR;
  float fogStart = 0, fogEnd = 1, fogDensity = 1;
  D3DCOLOR fogColor = 0;
  int textureSize = 0;  // square checker texture when > 0
  bool mipmaps = false;
  std::vector<PeerMesh> meshes;
};

// A latitude-longitude sphere of radius 1 (rings x segments quads).
PeerMesh sphereMesh(int rings, int segments);
// A square in the xz plane, facing +y, of side `size` split into n x n quads.
PeerMesh floorMesh(float size, int n, float repeat);
// The checker texture of the scene, 0xAARRGGBB.
std::vector<uint32_t> checkerTexture(int size);

// Draws on the device, in a scene; false when a device call failed.
bool drawOnDevice(IDirect3DDevice8* device, const PeerScene& scene);
// Draws with OpenGL on the current context, shifted by half a pixel so that pixel
// centres line up with the device's.
void drawOnMesa(const PeerScene& scene);

}  // namespace kelvane::test
