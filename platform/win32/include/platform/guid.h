// The 16-byte GUID record and the generator of new ones.
#pragma once

#include <cstdint>

struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};
static_assert(sizeof(GUID) == 16);

namespace platform {

// A new random (version 4) GUID.
GUID newGuid();

}  // namespace platform
