// One scene description, two renderers: the software device and Mesa's fixed-function
// OpenGL with the same matrices, lights, material, fog and texture.
#include "peer_scene.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

namespace kelvane::test {

namespace {

// Makes every triangle front-facing from outside: clockwise seen from the side its
// vertex normals point to, which is what culling of counter-clockwise faces keeps.
void orientOutwards(PeerMesh& mesh) {
  for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
    const PeerVertex& a = mesh.vertices[mesh.indices[i]];
    const PeerVertex& b = mesh.vertices[mesh.indices[i + 1]];
    const PeerVertex& c = mesh.vertices[mesh.indices[i + 2]];
    const float e1[3] = {b.x - a.x, b.y - a.y, b.z - a.z}, e2[3] = {c.x - a.x, c.y - a.y, c.z - a.z};
    const float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
    const float facing = n[0] * (a.nx + b.nx + c.nx) + n[1] * (a.ny + b.ny + c.ny) + n[2] * (a.nz + b.nz + c.nz);
    if (facing < 0.0f) std::swap(mesh.indices[i + 1], mesh.indices[i + 2]);
  }
}

D3DMATERIAL8 whiteMaterial() {
  D3DMATERIAL8 m{};
  m.Diffuse = D3DCOLORVALUE{1, 1, 1, 1};
  m.Ambient = D3DCOLORVALUE{1, 1, 1, 1};
  return m;
}

std::vector<std::vector<uint32_t>> mipChain(int size) {
  std::vector<std::vector<uint32_t>> levels{checkerTexture(size)};
  for (int s = size / 2; s >= 1; s /= 2) {
    const auto& up = levels.back();
    const int upSize = s * 2;
    std::vector<uint32_t> level(static_cast<size_t>(s) * s);
    for (int y = 0; y < s; ++y)
      for (int x = 0; x < s; ++x) {
        uint32_t sum[4] = {0, 0, 0, 0};
        for (int k = 0; k < 4; ++k) {
          const uint32_t c = up[static_cast<size_t>(2 * y + k / 2) * upSize + 2 * x + k % 2];
          for (int ch = 0; ch < 4; ++ch) sum[ch] += (c >> (8 * ch)) & 0xFF;
        }
        uint32_t out = 0;
        for (int ch = 0; ch < 4; ++ch) out |= ((sum[ch] + 2) / 4) << (8 * ch);
        level[static_cast<size_t>(y) * s + x] = out;
      }
    levels.push_back(std::move(level));
  }
  return levels;
}

void glColor4(GLenum light, GLenum name, const D3DCOLORVALUE& c) {
  const float v[4] = {c.r, c.g, c.b, c.a};
  glLightfv(light, name, v);
}

void glMaterial4(GLenum name, const D3DCOLORVALUE& c) {
  const float v[4] = {c.r, c.g, c.b, c.a};
  glMaterialfv(GL_FRONT_AND_BACK, name, v);
}

void colorFloats(D3DCOLOR c, float* out) {
  out[0] = ((c >> 16) & 0xFF) / 255.0f;
  out[1] = ((c >> 8) & 0xFF) / 255.0f;
  out[2] = (c & 0xFF) / 255.0f;
  out[3] = (c >> 24) / 255.0f;
}

}  // namespace

PeerMesh sphereMesh(int rings, int segments) {
  PeerMesh mesh;
  mesh.world = identity();
  mesh.material = whiteMaterial();
  const float pi = 3.14159265358979f;
  for (int r = 0; r <= rings; ++r) {
    const float theta = pi * static_cast<float>(r) / static_cast<float>(rings);
    for (int s = 0; s <= segments; ++s) {
      const float phi = 2.0f * pi * static_cast<float>(s) / static_cast<float>(segments);
      const float x = std::sin(theta) * std::cos(phi), y = std::cos(theta), z = std::sin(theta) * std::sin(phi);
      mesh.vertices.push_back(PeerVertex{x, y, z, x, y, z, 4.0f * s / segments, 2.0f * r / rings});
    }
  }
  for (int r = 0; r < rings; ++r)
    for (int s = 0; s < segments; ++s) {
      const auto i0 = static_cast<uint16_t>(r * (segments + 1) + s), i1 = static_cast<uint16_t>(i0 + 1),
                 i2 = static_cast<uint16_t>(i0 + segments + 1), i3 = static_cast<uint16_t>(i2 + 1);
      mesh.indices.insert(mesh.indices.end(), {i0, i2, i1, i1, i2, i3});
    }
  orientOutwards(mesh);
  return mesh;
}

PeerMesh floorMesh(float size, int n, float repeat) {
  PeerMesh mesh;
  mesh.world = identity();
  mesh.material = whiteMaterial();
  for (int j = 0; j <= n; ++j)
    for (int i = 0; i <= n; ++i) {
      const float fx = static_cast<float>(i) / n, fz = static_cast<float>(j) / n;
      mesh.vertices.push_back(
          PeerVertex{(fx - 0.5f) * size, 0.0f, (fz - 0.5f) * size, 0, 1, 0, fx * repeat, fz * repeat});
    }
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      const auto i0 = static_cast<uint16_t>(j * (n + 1) + i), i1 = static_cast<uint16_t>(i0 + 1),
                 i2 = static_cast<uint16_t>(i0 + n + 1), i3 = static_cast<uint16_t>(i2 + 1);
      mesh.indices.insert(mesh.indices.end(), {i0, i2, i1, i1, i2, i3});
    }
  orientOutwards(mesh);
  return mesh;
}

std::vector<uint32_t> checkerTexture(int size) {
  std::vector<uint32_t> texels(static_cast<size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const bool light = ((x * 8 / size) + (y * 8 / size)) % 2 == 0;
      texels[static_cast<size_t>(y) * size + x] = light ? 0xFFF0E0C0u : 0xFF4060A0u;
    }
  return texels;
}

bool drawOnDevice(IDirect3DDevice8* d, const PeerScene& scene) {
  bool ok = true;
  auto check = [&ok](HRESULT hr) { ok = ok && SUCCEEDED(hr); };
  IDirect3DTexture8* texture = nullptr;
  if (scene.textureSize > 0) {
    const auto levels = scene.mipmaps ? mipChain(scene.textureSize)
                                      : std::vector<std::vector<uint32_t>>{checkerTexture(scene.textureSize)};
    check(d->CreateTexture(scene.textureSize, scene.textureSize, static_cast<UINT>(levels.size()), 0,
                           D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture));
    if (!ok) return false;
    for (UINT l = 0; l < levels.size(); ++l) {
      D3DLOCKED_RECT locked;
      check(texture->LockRect(l, &locked, nullptr, 0));
      if (!ok) break;
      const int size = scene.textureSize >> l;
      for (int y = 0; y < size; ++y)
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch,
                    &levels[l][static_cast<size_t>(y) * size], static_cast<size_t>(size) * 4);
      texture->UnlockRect(l);
    }
  }
  check(d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, scene.clear, 1.0f, 0));
  check(d->BeginScene());
  check(d->SetTransform(D3DTS_VIEW, &scene.view));
  check(d->SetTransform(D3DTS_PROJECTION, &scene.projection));
  for (size_t i = 0; i < scene.lights.size(); ++i) {
    check(d->SetLight(static_cast<DWORD>(i), &scene.lights[i]));
    check(d->LightEnable(static_cast<DWORD>(i), TRUE));
  }
  const std::pair<D3DRENDERSTATETYPE, DWORD> states[] = {
      {D3DRS_LIGHTING, TRUE},         {D3DRS_AMBIENT, scene.ambient},
      {D3DRS_SPECULARENABLE, scene.specular}, {D3DRS_LOCALVIEWER, TRUE},
      {D3DRS_NORMALIZENORMALS, TRUE}, {D3DRS_COLORVERTEX, FALSE},
      {D3DRS_ZENABLE, D3DZB_TRUE},    {D3DRS_CULLMODE, D3DCULL_CCW},
      {D3DRS_FOGENABLE, scene.fog},   {D3DRS_FOGTABLEMODE, scene.fog ? static_cast<DWORD>(scene.fogMode) : 0},
      {D3DRS_FOGSTART, floatBits(scene.fogStart)}, {D3DRS_FOGEND, floatBits(scene.fogEnd)},
      {D3DRS_FOGDENSITY, floatBits(scene.fogDensity)}, {D3DRS_FOGCOLOR, scene.fogColor},
  };
  for (const auto& [state, value] : states) check(d->SetRenderState(state, value));
  const std::pair<D3DTEXTURESTAGESTATETYPE, DWORD> stage[] = {
      {D3DTSS_COLOROP, D3DTOP_MODULATE}, {D3DTSS_COLORARG1, D3DTA_TEXTURE}, {D3DTSS_COLORARG2, D3DTA_DIFFUSE},
      {D3DTSS_ALPHAOP, D3DTOP_MODULATE}, {D3DTSS_ALPHAARG1, D3DTA_TEXTURE}, {D3DTSS_ALPHAARG2, D3DTA_DIFFUSE},
      {D3DTSS_MINFILTER, D3DTEXF_LINEAR}, {D3DTSS_MAGFILTER, D3DTEXF_LINEAR},
      {D3DTSS_MIPFILTER, scene.mipmaps ? D3DTEXF_LINEAR : D3DTEXF_NONE},
  };
  for (const auto& [type, value] : stage) check(d->SetTextureStageState(0, type, value));
  check(d->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE));
  check(d->SetVertexShader(kPeerVertexFvf));
  for (const PeerMesh& mesh : scene.meshes) {
    check(d->SetTransform(D3DTS_WORLD, &mesh.world));
    check(d->SetMaterial(&mesh.material));
    check(d->SetTexture(0, mesh.textured ? texture : nullptr));
    check(d->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, static_cast<UINT>(mesh.vertices.size()),
                                    static_cast<UINT>(mesh.indices.size() / 3), mesh.indices.data(),
                                    D3DFMT_INDEX16, mesh.vertices.data(), sizeof(PeerVertex)));
  }
  check(d->SetTexture(0, nullptr));
  check(d->EndScene());
  for (size_t i = 0; i < scene.lights.size(); ++i) d->LightEnable(static_cast<DWORD>(i), FALSE);
  if (texture) texture->Release();
  return ok;
}

void drawOnMesa(const PeerScene& scene) {
  glViewport(0, 0, scene.width, scene.height);
  float clear[4];
  colorFloats(scene.clear, clear);
  glClearColor(clear[0], clear[1], clear[2], 1.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDepthRange(0.0, 1.0);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glFrontFace(GL_CW);  // both show NDC +y at the top: clockwise faces are the front ones
  glDisable(GL_DITHER);
  glShadeModel(GL_SMOOTH);

  // The device's pixel centres sit on integer coordinates, OpenGL's half a pixel
  // further: shift the projection by half a pixel right and down.
  D3DMATRIX shift = identity();
  shift._41 = 1.0f / static_cast<float>(scene.width);
  shift._42 = -1.0f / static_cast<float>(scene.height);
  const D3DMATRIX projection = multiplyMatrices(scene.projection, shift);
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(&projection.m[0][0]);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(&scene.view.m[0][0]);

  float ambient[4];
  colorFloats(scene.ambient, ambient);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
  glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
  for (size_t i = 0; i < scene.lights.size(); ++i) {
    const D3DLIGHT8& l = scene.lights[i];
    const GLenum light = GL_LIGHT0 + static_cast<GLenum>(i);
    glEnable(light);
    const float position[4] = {l.Type == D3DLIGHT_DIRECTIONAL ? -l.Direction.x : l.Position.x,
                               l.Type == D3DLIGHT_DIRECTIONAL ? -l.Direction.y : l.Position.y,
                               l.Type == D3DLIGHT_DIRECTIONAL ? -l.Direction.z : l.Position.z,
                               l.Type == D3DLIGHT_DIRECTIONAL ? 0.0f : 1.0f};
    glLightfv(light, GL_POSITION, position);
    glColor4(light, GL_DIFFUSE, l.Diffuse);
    glColor4(light, GL_SPECULAR, scene.specular ? l.Specular : D3DCOLORVALUE{0, 0, 0, 0});
    glColor4(light, GL_AMBIENT, l.Ambient);
    const bool directional = l.Type == D3DLIGHT_DIRECTIONAL;
    glLightf(light, GL_CONSTANT_ATTENUATION, directional ? 1.0f : l.Attenuation0);
    glLightf(light, GL_LINEAR_ATTENUATION, directional ? 0.0f : l.Attenuation1);
    glLightf(light, GL_QUADRATIC_ATTENUATION, directional ? 0.0f : l.Attenuation2);
  }
  glEnable(GL_LIGHTING);
  glEnable(GL_NORMALIZE);

  if (scene.fog) {
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, scene.fogMode == D3DFOG_EXP ? GL_EXP : scene.fogMode == D3DFOG_EXP2 ? GL_EXP2 : GL_LINEAR);
    glFogf(GL_FOG_START, scene.fogStart);
    glFogf(GL_FOG_END, scene.fogEnd);
    glFogf(GL_FOG_DENSITY, scene.fogDensity);
    float fogColor[4];
    colorFloats(scene.fogColor, fogColor);
    glFogfv(GL_FOG_COLOR, fogColor);
    glHint(GL_FOG_HINT, GL_NICEST);
  } else {
    glDisable(GL_FOG);
  }

  GLuint texture = 0;
  if (scene.textureSize > 0) {
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const auto levels = scene.mipmaps ? mipChain(scene.textureSize)
                                      : std::vector<std::vector<uint32_t>>{checkerTexture(scene.textureSize)};
    for (size_t l = 0; l < levels.size(); ++l) {
      const int size = scene.textureSize >> l;
      glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(l), GL_RGBA8, size, size, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                   levels[l].data());
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels.size() - 1));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, scene.mipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  }

  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  for (const PeerMesh& mesh : scene.meshes) {
    const D3DMATRIX modelView = multiplyMatrices(mesh.world, scene.view);
    glLoadMatrixf(&modelView.m[0][0]);
    glMaterial4(GL_DIFFUSE, mesh.material.Diffuse);
    glMaterial4(GL_AMBIENT, mesh.material.Ambient);
    glMaterial4(GL_SPECULAR, mesh.material.Specular);
    glMaterial4(GL_EMISSION, mesh.material.Emissive);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::min(128.0f, mesh.material.Power));
    if (mesh.textured && texture)
      glEnable(GL_TEXTURE_2D);
    else
      glDisable(GL_TEXTURE_2D);
    glVertexPointer(3, GL_FLOAT, sizeof(PeerVertex), &mesh.vertices[0].x);
    glNormalPointer(GL_FLOAT, sizeof(PeerVertex), &mesh.vertices[0].nx);
    glTexCoordPointer(2, GL_FLOAT, sizeof(PeerVertex), &mesh.vertices[0].u);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indices.size()), GL_UNSIGNED_SHORT, mesh.indices.data());
  }
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glFinish();
  if (texture) glDeleteTextures(1, &texture);
  for (size_t i = 0; i < scene.lights.size(); ++i) glDisable(GL_LIGHT0 + static_cast<GLenum>(i));
}

}  // namespace kelvane::test
