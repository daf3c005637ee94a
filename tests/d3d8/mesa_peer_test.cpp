// The software device against Mesa's software OpenGL fixed-function pipeline: the same
// scenes must agree within a tolerance (edges and filtering differ slightly).
#include <gtest/gtest.h>

#include "peer_scene.h"
#include "scene_helpers.h"

// llvmpipe's JIT-compiled code keeps allocations that LeakSanitizer cannot attribute to
// any module (nor suppress by name); leaks of the device are covered by the other tests.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

namespace kelvane::test {

namespace {

struct PeerCase {
  const char* name;
  bool specular;
  bool point;
  bool fog;
  D3DFOGMODE fogMode;
  bool mipmaps;
};

PeerScene buildScene(const PeerCase& c) {
  PeerScene s;
  s.width = 128;
  s.height = 96;
  s.view = lookAtLH({0.0f, 1.5f, -4.0f}, {0.0f, 0.3f, 0.0f}, {0.0f, 1.0f, 0.0f});
  s.projection = perspectiveFovLH(0.9f, 128.0f / 96.0f, 0.5f, 50.0f);
  s.ambient = 0xFF202020;
  s.lights.push_back(directionalLight({-0.5f, -1.0f, 0.6f}, {0.8f, 0.75f, 0.7f, 1.0f}));
  s.lights.back().Specular = D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 1.0f};
  if (c.point) {
    s.lights.push_back(pointLight({1.5f, 1.0f, -1.5f}, {0.2f, 0.5f, 0.9f, 1.0f}, 100.0f, 0.5f, 0.2f, 0.05f));
    s.lights.back().Specular = D3DCOLORVALUE{0.5f, 0.5f, 0.5f, 1.0f};
  }
  s.specular = c.specular;
  s.fog = c.fog;
  s.fogMode = c.fogMode;
  s.fogStart = 3.0f;
  s.fogEnd = 9.0f;
  s.fogDensity = 0.15f;
  s.fogColor = 0xFF8090A0;
  s.textureSize = 64;
  s.mipmaps = c.mipmaps;
  PeerMesh sphere = sphereMesh(24, 32);
  sphere.world = translation(0.0f, 0.8f, 0.0f);
  sphere.material.Specular = D3DCOLORVALUE{0.8f, 0.8f, 0.8f, 1.0f};
  sphere.material.Power = 20.0f;
  sphere.material.Ambient = D3DCOLORVALUE{0.6f, 0.6f, 0.6f, 1.0f};
  sphere.textured = true;
  PeerMesh floor = floorMesh(12.0f, 12, 6.0f);
  floor.world = translation(0.0f, -0.2f, 3.0f);
  floor.material.Diffuse = D3DCOLORVALUE{0.9f, 0.9f, 0.8f, 1.0f};
  floor.textured = true;
  s.meshes = {sphere, floor};
  return s;
}

const PeerCase kCases[] = {
    {"peer_directional", false, false, false, D3DFOG_NONE, false},
    {"peer_specular_point", true, true, false, D3DFOG_NONE, false},
    {"peer_fog_linear", false, true, true, D3DFOG_LINEAR, false},
    {"peer_fog_exp", false, false, true, D3DFOG_EXP, false},
    {"peer_fog_exp2", true, false, true, D3DFOG_EXP2, false},
    {"peer_mipmaps", false, false, false, D3DFOG_NONE, true},
};

class MesaPeer : public ::testing::TestWithParam<PeerCase> {};

}  // namespace

TEST_P(MesaPeer, AgreesWithSoftwareOpenGl) {
  const PeerCase& c = GetParam();
  const PeerScene scene = buildScene(c);
  MesaContext mesa(scene.width, scene.height);
  if (!mesa.ok()) GTEST_SKIP() << "EGL could not create a Mesa context: " << mesa.failure();
  drawOnMesa(scene);
  const Image expected = mesa.read();

  TestDevice device(scene.width, scene.height);
  ASSERT_TRUE(device.ok());
  ASSERT_TRUE(drawOnDevice(device.get(), scene));
  const Image actual = device.capture();

  // Edges (rasterisation rules), texture filtering precision, the level of detail of mip
  // mapping and far exp2 fog differ slightly between the two; shading must agree.
  Tolerance tolerance;
  tolerance.level = 8;
  tolerance.maxPixelsOver = scene.width * scene.height / 50;
  tolerance.maxMeanSquaredError = 4.0;
  EXPECT_TRUE(imagesAgree(c.name, expected, actual, tolerance)) << "renderer: " << mesa.renderer();
}

INSTANTIATE_TEST_SUITE_P(Scenes, MesaPeer, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace kelvane::test
