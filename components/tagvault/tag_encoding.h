// The byte encoding of tagged streams, shared by the loader and the saver: a 4-byte tag,
// a 4-byte little-endian data size, the data; a tag may stand alone. CRC-32 checksums.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tagvault {

inline constexpr size_t tagSize = 4;
inline constexpr size_t sizeFieldSize = 4;

inline uint32_t ReadLittleEndian32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
         static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

inline void WriteLittleEndian32(uint32_t value, uint8_t* at) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

// CRC-32 as in zip and PNG (reflected polynomial 0xEDB88320, initial and final 0xFFFFFFFF).
uint32_t Crc32(const uint8_t* data, size_t size);

}  // namespace tagvault
