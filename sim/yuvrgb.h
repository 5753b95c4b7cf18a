// BT.601 studio-range YUV to RGB, as the overlay's colour converter does it:
//   R = 1.164 (Y - 16) + 1.596 (V - 128)
//   G = 1.164 (Y - 16) - 0.391 (U - 128) - 0.813 (V - 128)
//   B = 1.164 (Y - 16) + 2.018 (U - 128)
// each clamped to 0-255.
#pragma once

#include <cstdint>

#include "sim/chain.h"

namespace sim {

// 0x00RRGGBB, a 32-bit DIB's pixel.
uint32_t YuvToRgb(int y, int u, int v);
// Pixel (x, row) of a chain's front buffer (UYVY or YUY2), as RGB.
uint32_t FrontPixel(const SurfaceChain &chain, int x, int row);

}  // namespace sim
