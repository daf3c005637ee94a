// Texel formats the device stores: sizes and conversion to 32-bit ARGB.
#pragma once

#include <cstdint>

#include "d3d8/d3d8types.h"

namespace d3d8sw {

// Bytes per texel of a colour format the device can hold in a texture or surface; 0 when
// the format is not supported there.
int colorFormatBytes(D3DFORMAT format);
bool isDepthFormat(D3DFORMAT format);

// Converts `count` texels of `format` to 0xAARRGGBB (formats without alpha get 0xFF).
void decodeToArgb(D3DFORMAT format, const uint8_t* source, uint32_t* destination, int count);

}  // namespace d3d8sw
