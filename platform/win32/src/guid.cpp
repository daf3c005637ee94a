#include "platform/guid.h"

#include <random>

namespace platform {

GUID newGuid() {
  static thread_local std::mt19937_64 generator{std::random_device{}()};
  uint64_t high = generator();
  uint64_t low = generator();
  GUID guid;
  guid.Data1 = static_cast<uint32_t>(high >> 32);
  guid.Data2 = static_cast<uint16_t>(high >> 16);
  guid.Data3 = static_cast<uint16_t>((high & 0x0FFF) | 0x4000);
  for (int i = 0; i < 8; ++i) guid.Data4[i] = static_cast<uint8_t>(low >> (56 - 8 * i));
  guid.Data4[0] = static_cast<uint8_t>((guid.Data4[0] & 0x3F) | 0x80);
  return guid;
}

}  // namespace platform
