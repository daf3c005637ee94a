// The optimised rasteriser against the reference one, and against itself on different
// thread counts: the pixels must be identical, not merely close.
#include <gtest/gtest.h>

#include <cstdint>

#include "peer_scene.h"
#include "scene_helpers.h"

namespace kelvane::test {

namespace {

// Overlapping blended triangles, some crossing the screen edges and the near plane,
// so that drawing order, clipping and coverage rules all show in the pixels.
void drawTriangleSoup(IDirect3DDevice8* d) {
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<float>(seed >> 8) / static_cast<float>(1 << 24);
  };
  struct Vertex {
    float x, y, z;
    D3DCOLOR color;
  };
  std::vector<Vertex> vertices;
  for (int i = 0; i < 600 * 3; ++i) {
    const auto a = static_cast<DWORD>(next() * 255), r = static_cast<DWORD>(next() * 255);
    vertices.push_back({next() * 8 - 4, next() * 6 - 3, next() * 6 - 0.5f, D3DCOLOR_ARGB(a, r, 255 - r, 128)});
  }
  const D3DMATRIX id = identity();
  const D3DMATRIX projection = perspectiveFovLH(1.2f, 160.0f / 120.0f, 0.25f, 20.0f);
  d->SetTransform(D3DTS_WORLD, &id);
  d->SetTransform(D3DTS_VIEW, &id);
  d->SetTransform(D3DTS_PROJECTION, &projection);
  d->SetRenderState(D3DRS_LIGHTING, FALSE);
  d->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  d->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
  d->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  d->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  d->SetRenderState(D3DRS_FOGENABLE, TRUE);
  d->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_EXP);
  d->SetRenderState(D3DRS_FOGDENSITY, floatBits(0.2f));
  d->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  d->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 600, vertices.data(), sizeof(Vertex));
}

PeerScene litScene() {
  PeerScene s;
  s.width = 160;
  s.height = 120;
  s.view = lookAtLH({0.5f, 1.2f, -3.5f}, {0.0f, 0.3f, 0.0f}, {0.0f, 1.0f, 0.0f});
  s.projection = perspectiveFovLH(0.9f, 160.0f / 120.0f, 0.5f, 50.0f);
  s.ambient = 0xFF303030;
  s.lights.push_back(directionalLight({-0.5f, -1.0f, 0.6f}, {0.8f, 0.75f, 0.7f, 1.0f}));
  s.lights.push_back(pointLight({1.5f, 1.0f, -1.5f}, {0.2f, 0.5f, 0.9f, 1.0f}, 100.0f, 0.5f, 0.2f, 0.05f));
  s.specular = true;
  s.fog = true;
  s.fogStart = 2.0f;
  s.fogEnd = 10.0f;
  s.fogColor = 0xFF8090A0;
  s.textureSize = 64;
  s.mipmaps = true;
  PeerMesh sphere = sphereMesh(20, 28);
  sphere.world = translation(0.0f, 0.8f, 0.0f);
  sphere.material.Specular = D3DCOLORVALUE{0.8f, 0.8f, 0.8f, 1.0f};
  sphere.material.Power = 16.0f;
  sphere.textured = true;
  PeerMesh floor = floorMesh(12.0f, 10, 8.0f);
  floor.world = translation(0.0f, -0.2f, 3.0f);
  floor.textured = true;
  s.meshes = {sphere, floor};
  return s;
}

enum class SceneKind { TriangleSoup, LitTexturedFogged };

Image render(SceneKind kind, const d3d8sw::RasterOptions& options) {
  TestDevice device(160, 120);
  if (!device.ok() || !d3d8sw::SetRasterOptions(device.get(), options)) return {};
  if (kind == SceneKind::LitTexturedFogged) {
    if (!drawOnDevice(device.get(), litScene())) return {};
  } else {
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF102030, 1.0f, 0);
    device->BeginScene();
    drawTriangleSoup(device.get());
    device->EndScene();
  }
  return device.capture();
}

int differingPixels(const Image& a, const Image& b) {
  int n = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) n += (a.pixels[i] & 0xFFFFFF) != (b.pixels[i] & 0xFFFFFF);
  return n;
}

class RasterPaths : public ::testing::TestWithParam<SceneKind> {};

}  // namespace

TEST_P(RasterPaths, OptimisedEqualsReferenceOnAnyThreadCount) {
  const Image reference = render(GetParam(), {d3d8sw::RasterPath::Reference, 1});
  ASSERT_EQ(reference.pixels.size(), 160u * 120u);
  int drawn = 0;
  for (uint32_t p : reference.pixels) drawn += (p & 0xFFFFFF) != 0x102030 && (p & 0xFFFFFF) != 0x203040;
  EXPECT_GT(drawn, 160 * 120 / 4) << "the scene should cover a good part of the frame";
  for (int threads : {1, 2, 3}) {
    const Image optimised = render(GetParam(), {d3d8sw::RasterPath::Optimised, threads});
    ASSERT_EQ(optimised.pixels.size(), reference.pixels.size());
    EXPECT_EQ(differingPixels(reference, optimised), 0) << "threads: " << threads;
  }
}

INSTANTIATE_TEST_SUITE_P(Scenes, RasterPaths,
                         ::testing::Values(SceneKind::TriangleSoup, SceneKind::LitTexturedFogged));

}  // namespace kelvane::test
