// GUID conventions: word-wise equality, null and wildcard, and the text form.
#include "graph/zyl_guid.h"
#include "graph_test_support.h"

namespace {

TEST(ZylGuid, LastByteMatters) {
  GUID a = matrixGuid;
  GUID b = matrixGuid;
  b.Data4[7] ^= 1;
  EXPECT_TRUE(IsEqualGuid(a, matrixGuid));
  EXPECT_FALSE(IsEqualGuid(a, b));
}

TEST(ZylGuid, WildcardIsNoRealType) {
  EXPECT_FALSE(IsEqualGuid(wildcardGuid, matrixGuid));
  EXPECT_FALSE(IsEqualGuid(wildcardGuid, nullGuid));
  EXPECT_TRUE(IsNullGuid(nullGuid));
}

TEST(ZylGuid, TextFormRoundTrips) {
  char text[guidTextLength + 1];
  const GUID device{0x6A2E4C96, 0x0D3F, 0x4B17, {0x9F, 0x60, 0x8A, 0x9B, 0x0C, 0x1D, 0x2E, 0x54}};
  GuidToText(device, text);
  EXPECT_STREQ(text, "6A2E4C96-0D3F-4B17-9F60-8A9B0C1D2E54");
  GUID back;
  ASSERT_TRUE(GuidFromText("{6a2e4c96-0d3f-4b17-9f60-8a9b0c1d2e54}", &back));
  EXPECT_TRUE(IsEqualGuid(back, device));
  EXPECT_FALSE(GuidFromText("6A2E4C96-0D3F-4B17-9F60-8A9B0C1D2E5", &back));
}

}  // namespace
