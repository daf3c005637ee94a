#include <gtest/gtest.h>

#include "scene_helpers.h"

namespace kelvane::test {
TEST(Smoke, Quad) {
  TestDevice d(64, 48);
  ASSERT_TRUE(d.ok());
  d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
  d->BeginScene();
  baseStates(d.get());
  ASSERT_EQ(drawQuad(d.get(), 10, 10, 30, 20, 0.5f, 0xFFFF0000), D3D_OK);
  d->EndScene();
  Image img = d.capture();
  writeTestOutput("smoke.png", img);
  EXPECT_EQ(img.at(10, 10) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(img.at(29, 19) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(img.at(30, 15) & 0xFFFFFF, 0u);
  EXPECT_EQ(img.at(9, 15) & 0xFFFFFF, 0u);
  EXPECT_EQ(img.at(15, 20) & 0xFFFFFF, 0u);
  EXPECT_EQ(img.at(15, 9) & 0xFFFFFF, 0u);
}
}  // namespace kelvane::test
