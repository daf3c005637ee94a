// The texture channel: a PNG becomes a device texture with the file's pixels, made again
// after a device reset, kept by path in a group file; bad files fail with a message.
#include <gtest/gtest.h>

#include <png.h>

#include <string>

#include "golden.h"
#include "hux_dx8_texture_channel.h"
#include "runtime/messages.h"
#include "staged_engine_fixture.h"

namespace {

using kelvane::test::Image;

class TextureChannelTest : public StagedEngineFixture {
 protected:
  // A 3 x 2 image with distinct colours and alphas.
  std::string WriteImage() {
    Image image{3, 2, {0xFF102030, 0x80405060, 0x00708090, 0xFFA0B0C0, 0x40D0E0F0, 0xFF000000}};
    // Written with libpng directly: the golden-image writer keeps no alpha.
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = 3;
    png.height = 2;
    png.format = PNG_FORMAT_BGRA;
    EXPECT_TRUE(png_image_write_to_file(&png, (folder.path() / "image.png").c_str(), 0,
                                        image.pixels.data(), 0, nullptr))
        << png.message;
    expected = image;
    return folder.engine("image.png");
  }

  // The texels of level 0, top row first.
  static std::vector<uint32_t> Texels(IDirect3DTexture8* texture, int width, int height) {
    std::vector<uint32_t> texels;
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, nullptr, 0))) return texels;
    for (int y = 0; y < height; ++y) {
      auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(locked.pBits) +
                                                    y * locked.Pitch);
      texels.insert(texels.end(), row, row + width);
    }
    texture->UnlockRect(0);
    return texels;
  }

  Image expected;
};

TEST_F(TextureChannelTest, LoadsThePixelsAndMakesThemAgainAfterAReset) {
  auto* texture = Make<Hux_DX8_TextureChannel>(textureChannelGuid);
  ASSERT_NE(texture, nullptr);
  // Registered as a device user by its base, once.
  EXPECT_EQ(device->GetChildFromLinkPosition(0, 0), texture);
  EXPECT_EQ(device->GetChildFromLinkPosition(0, 1), nullptr);
  ASSERT_TRUE(texture->SetTextureFile(WriteImage().c_str()));
  EXPECT_EQ(texture->GetImageWidth(), 3u);
  EXPECT_EQ(texture->GetImageHeight(), 2u);
  IDirect3DTexture8* made = texture->GetTexture();
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(texture->GetTexture(), made);  // made once
  EXPECT_EQ(Texels(made, 3, 2), expected.pixels);

  // The default-pool texture must be released for the reset to succeed.
  ASSERT_TRUE(device->ResetDevice());
  IDirect3DTexture8* remade = texture->GetTexture();
  ASSERT_NE(remade, nullptr);
  EXPECT_EQ(Texels(remade, 3, 2), expected.pixels);
  EXPECT_TRUE(device->ResetDevice());
}

TEST_F(TextureChannelTest, BadFilesFailWithAMessage) {
  auto* texture = Make<Hux_DX8_TextureChannel>(textureChannelGuid);
  ASSERT_NE(texture, nullptr);
  ASSERT_TRUE(texture->SetTextureFile(WriteImage().c_str()));
  const std::string png = folder.read("image.png");
  struct Case {
    const char* name;
    std::string content;
  };
  const Case cases[] = {
      {"empty.png", ""},
      {"text.png", "not an image at all"},
      {"cut.png", png.substr(0, png.size() / 2)},
  };
  for (const Case& c : cases) {
    folder.write(c.name, c.content);
    MessageCapture messages;  // the engine's sink replaced the fixture's capture
    EXPECT_FALSE(texture->SetTextureFile(folder.engine(c.name).c_str())) << c.name;
    EXPECT_FALSE(texture->GetHasImage()) << c.name;
    EXPECT_EQ(texture->GetTexture(), nullptr) << c.name;
    EXPECT_FALSE(messages.messages.empty()) << c.name;
  }
  EXPECT_FALSE(texture->SetTextureFile(folder.engine("missing.png").c_str()));
  EXPECT_STREQ(texture->GetTextureFile(), folder.engine("missing.png").c_str());
}

TEST_F(TextureChannelTest, TheFileIsKeptInTheGroupFile) {
  auto* texture = Make<Hux_DX8_TextureChannel>(textureChannelGuid);
  ASSERT_NE(texture, nullptr);
  const std::string path = WriteImage();
  ASSERT_TRUE(texture->SetTextureFile(path.c_str()));
  const std::string file = folder.engine("texture.cgr");
  ASSERT_TRUE(group->SaveChannelGroup(file.c_str()));

  Zyl_ChannelGroup* loaded = engine->LoadChannelGroup(file.c_str(), "Loaded");
  ASSERT_NE(loaded, nullptr);
  auto* copy = FindIn<Hux_DX8_TextureChannel>(loaded);
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy->GetTextureFile(), path.c_str());
  ASSERT_NE(copy->GetTexture(), nullptr);
  EXPECT_EQ(Texels(copy->GetTexture(), 3, 2), expected.pixels);
}

}  // namespace
