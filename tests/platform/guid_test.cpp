// New GUIDs are random version-4 GUIDs.
#include "platform/guid.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Guid, NewGuidsAreVersionFourAndDiffer) {
  GUID first = platform::newGuid();
  GUID second = platform::newGuid();
  for (const GUID& guid : {first, second}) {
    EXPECT_EQ(guid.Data3 >> 12, 4);
    EXPECT_EQ(guid.Data4[0] & 0xC0, 0x80);
  }
  EXPECT_NE(std::memcmp(&first, &second, sizeof(GUID)), 0);
}

}  // namespace
