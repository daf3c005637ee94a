// The surface: which pass draws it, its material from value children or its saved values,
// its saved record, and a plane mesh drawn through it.
#include <gtest/gtest.h>
#include <png.h>

#include "hux_dx8_primitive.h"
#include "hux_dx8_surface_channel.h"
#include "hux_dx8_texture_channel.h"
#include "hux_float_channel.h"
#include "hux_vector_channel.h"
#include "staged_engine_fixture.h"

namespace {

using kelvane::test::Image;

D3DMATERIAL8 Material(float alpha) {
  D3DMATERIAL8 m{};
  m.Diffuse = {0.1f, 0.2f, 0.3f, alpha};
  m.Ambient = {0.4f, 0.5f, 0.6f, 1.0f};
  m.Specular = {0.7f, 0.8f, 0.9f, 1.0f};
  m.Emissive = {1.0f, 0.0f, 0.0f, 1.0f};
  m.Power = 12.0f;
  return m;
}

class SurfaceChannelTest : public StagedEngineFixture {
 protected:
  Hux_DX8_SurfaceChannel* MakeSurface() { return Make<Hux_DX8_SurfaceChannel>(surfaceChannelGuid); }

  Hux_VectorChannel* Vector(float x, float y, float z) {
    auto* v = Make<Hux_VectorChannel>(vectorValueGuid);
    if (v != nullptr) v->SetVector(D3DXVECTOR3(x, y, z));
    return v;
  }
  Hux_FloatChannel* Float(float value) {
    auto* f = Make<Hux_FloatChannel>(floatValueGuid);
    if (f != nullptr) f->SetFloat(value);
    return f;
  }
};

TEST_F(SurfaceChannelTest, TheModeOrTheMaterialAlphaChoosesThePass) {
  struct Case {
    int mode;
    float savedAlpha;
    float childAlpha;  // negative: no alpha child
    bool transparent;
  };
  const Case cases[] = {
      {surfaceByMaterialAlpha, 1.0f, -1.0f, false}, {surfaceByMaterialAlpha, 0.5f, -1.0f, true},
      {surfaceByMaterialAlpha, 1.0f, 0.25f, true},  {surfaceByMaterialAlpha, 0.5f, 1.0f, false},
      {surfaceAlwaysOpaque, 0.5f, -1.0f, false},    {surfaceAlwaysTransparent, 1.0f, -1.0f, true},
      {9, 0.5f, -1.0f, true},  // an unknown mode goes by the alpha
  };
  for (const Case& c : cases) {
    Hux_DX8_SurfaceChannel* surface = MakeSurface();
    ASSERT_NE(surface, nullptr);
    surface->SetSavedMaterial(Material(c.savedAlpha));
    surface->SetTransparencyMode(c.mode);
    if (c.childAlpha >= 0.0f) surface->SetChild(Float(c.childAlpha), 0, surfaceLinkAlpha);
    EXPECT_EQ(surface->GetIfTransparent(), c.transparent)
        << "mode " << c.mode << " alpha " << c.savedAlpha << " child " << c.childAlpha;
  }
}

TEST_F(SurfaceChannelTest, ValueChildrenReplaceTheSavedMaterial) {
  Hux_DX8_SurfaceChannel* surface = MakeSurface();
  ASSERT_NE(surface, nullptr);
  surface->SetSavedMaterial(Material(0.75f));
  D3DMATERIAL8 m = surface->GetMaterial();
  EXPECT_EQ(m.Diffuse.g, 0.2f);
  EXPECT_EQ(m.Diffuse.a, 0.75f);
  EXPECT_EQ(m.Emissive.r, 1.0f);
  EXPECT_EQ(m.Power, 12.0f);

  surface->SetChild(Vector(0.9f, 0.8f, 0.7f), 0, surfaceLinkDiffuse);
  surface->SetChild(Vector(0.01f, 0.02f, 0.03f), 0, surfaceLinkAmbient);
  surface->SetChild(Vector(0.2f, 0.3f, 0.4f), 0, surfaceLinkSpecular);
  surface->SetChild(Vector(0.0f, 1.0f, 0.5f), 0, surfaceLinkEmissive);
  surface->SetChild(Float(0.5f), 0, surfaceLinkAlpha);
  surface->SetChild(Float(30.0f), 0, surfaceLinkPower);
  m = surface->GetMaterial();
  EXPECT_EQ(m.Diffuse.r, 0.9f);
  EXPECT_EQ(m.Diffuse.b, 0.7f);
  EXPECT_EQ(m.Diffuse.a, 0.5f);
  EXPECT_EQ(m.Ambient.g, 0.02f);
  EXPECT_EQ(m.Specular.b, 0.4f);
  EXPECT_EQ(m.Emissive.g, 1.0f);
  EXPECT_EQ(m.Emissive.a, 1.0f);  // colour children leave the alphas alone
  EXPECT_EQ(m.Power, 30.0f);
  // The saved values are untouched by the children.
  EXPECT_EQ(surface->GetSavedMaterial().Diffuse.r, 0.1f);
}

TEST_F(SurfaceChannelTest, SavedValuesComeBackFromTheGroupFile) {
  Hux_DX8_SurfaceChannel* surface = MakeSurface();
  ASSERT_NE(surface, nullptr);
  EXPECT_TRUE(surface->GetIncludeInCollision());
  surface->SetSavedMaterial(Material(0.5f));
  surface->SetTransparencyMode(surfaceAlwaysOpaque);
  surface->SetIncludeInCollision(false);
  const std::string file = folder.engine("surface.cgr");
  ASSERT_TRUE(group->SaveChannelGroup(file.c_str()));

  Zyl_ChannelGroup* loaded = engine->LoadChannelGroup(file.c_str(), "Loaded");
  ASSERT_NE(loaded, nullptr);
  auto* copy = FindIn<Hux_DX8_SurfaceChannel>(loaded);
  ASSERT_NE(copy, nullptr);
  const D3DMATERIAL8 m = copy->GetSavedMaterial();
  EXPECT_EQ(m.Diffuse.a, 0.5f);
  EXPECT_EQ(m.Specular.g, 0.8f);
  EXPECT_EQ(m.Power, 12.0f);
  EXPECT_EQ(copy->GetTransparencyMode(), surfaceAlwaysOpaque);
  EXPECT_FALSE(copy->GetIncludeInCollision());
  EXPECT_FALSE(copy->GetIfTransparent());
}

TEST_F(SurfaceChannelTest, ABlockOfTheWrongSizeFailsTheLoad) {
  struct Case {
    const char* tag;
    unsigned long size;
  };
  const Case cases[] = {{"SUMA", 64}, {"SUMA", 72}, {"SUTR", 1}, {"SUCO", 4}};
  for (const Case& c : cases) {
    Hux_DX8_SurfaceChannel* surface = MakeSurface();
    ASSERT_NE(surface, nullptr);
    EXPECT_FALSE(LoadWithBlock(*surface, c.tag, c.size)) << c.tag << " " << c.size;
    EXPECT_EQ(surface->GetSavedMaterial().Diffuse.r, 1.0f) << c.tag;
  }
}

TEST_F(SurfaceChannelTest, OnlyItsOwnPassDrawsTheMesh) {
  Hux_DX8_SurfaceChannel* surface = MakeSurface();
  auto* plane = Make<Hux_DX8_Primitive>(primitiveGuid);
  ASSERT_TRUE(surface && plane);
  EXPECT_EQ(surface->GetObjectData(), nullptr);
  plane->SetPrimitiveType(primitivePlane);
  surface->SetChild(plane, 0, surfaceLinkObjectData);
  ASSERT_EQ(surface->GetObjectData(), plane);
  surface->SetSavedMaterial(Material(1.0f));  // emissive red, opaque

  // 4 x 4 units on 96 x 64 pixels; the unit plane at the origin covers the middle.
  UseOrthoView(4.0f, 4.0f);
  D3DXMATRIX at;
  D3DXMatrixTranslation(&at, 0.0f, 0.0f, 5.0f);
  surface->SetSurfaceMatrix(at);
  const D3DCOLOR background = 0xFF0000FF;
  const Image transparentOnly = DrawFrame([&] { surface->DrawTransparentSurface(); }, background);
  const Image opaqueOnly = DrawFrame([&] { surface->DrawSurface(); }, background);
  ASSERT_EQ(opaqueOnly.width, 96);
  EXPECT_EQ(transparentOnly.at(48, 32) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(opaqueOnly.at(48, 32) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(opaqueOnly.at(5, 5) & 0xFFFFFF, 0x0000FFu);

  // Half transparent: only the second pass draws, blending red over blue.
  surface->SetChild(Float(0.5f), 0, surfaceLinkAlpha);
  const Image blendedFirst = DrawFrame([&] { surface->DrawSurface(); }, background);
  EXPECT_EQ(blendedFirst.at(48, 32) & 0xFFFFFF, 0x0000FFu);
  const Image blended = DrawFrame([&] { surface->DrawTransparentSurface(); }, background);
  const uint32_t pixel = blended.at(48, 32);
  EXPECT_NEAR(static_cast<int>((pixel >> 16) & 0xFF), 128, 2);
  EXPECT_EQ(static_cast<int>((pixel >> 8) & 0xFF), 0);
  EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 128, 2);
}

TEST_F(SurfaceChannelTest, ALinkedTextureModulatesTheMaterial) {
  // 2 x 1 texels, red then green; the plane's texture set 0 runs 0..1 left to right.
  const uint32_t texels[2] = {0xFFFF0000, 0xFF00FF00};
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = 2;
  png.height = 1;
  png.format = PNG_FORMAT_BGRA;
  ASSERT_TRUE(png_image_write_to_file(&png, (folder.path() / "two.png").c_str(), 0, texels, 0, nullptr));
  auto* texture = Make<Hux_DX8_TextureChannel>(textureChannelGuid);
  Hux_DX8_SurfaceChannel* surface = MakeSurface();
  auto* plane = Make<Hux_DX8_Primitive>(primitiveGuid);
  ASSERT_TRUE(texture && surface && plane);
  ASSERT_TRUE(texture->SetTextureFile(folder.engine("two.png").c_str()));
  plane->SetPrimitiveType(primitivePlane);
  surface->SetChild(plane, 0, surfaceLinkObjectData);
  surface->SetChild(texture, 0, surfaceLinkTexture);
  D3DMATERIAL8 material = Material(1.0f);
  material.Emissive = {1.0f, 1.0f, 1.0f, 1.0f};
  surface->SetSavedMaterial(material);
  device->GetDirect3dDevice()->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);

  UseOrthoView(4.0f, 4.0f);  // the plane covers pixels 36..59 across, 24..39 down
  D3DXMATRIX at;
  D3DXMatrixTranslation(&at, 0.0f, 0.0f, 5.0f);
  surface->SetSurfaceMatrix(at);
  const Image frame = DrawFrame([&] { surface->DrawSurface(); }, 0xFF0000FF);
  EXPECT_EQ(frame.at(40, 32) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(frame.at(55, 32) & 0xFFFFFF, 0x00FF00u);

  // Without the texture the material alone.
  surface->RemoveChild(1);
  ASSERT_EQ(surface->GetChildFromLinkPosition(surfaceLinkTexture, 0), nullptr);
  const Image plain = DrawFrame([&] { surface->DrawSurface(); }, 0xFF0000FF);
  EXPECT_EQ(plain.at(40, 32) & 0xFFFFFF, 0xFFFFFFu);
}

}  // namespace
