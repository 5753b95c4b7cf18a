#include "sim/yuvrgb.h"

namespace sim {

static uint32_t Clamp(int value)
{
    return (uint32_t)(value < 0 ? 0 : value > 255 ? 255 : value);
}

uint32_t YuvToRgb(int y, int u, int v)
{
    int c = 298 * (y - 16), d = u - 128, e = v - 128;
    uint32_t r = Clamp((c + 409 * e + 128) >> 8);
    uint32_t g = Clamp((c - 100 * d - 208 * e + 128) >> 8);
    uint32_t b = Clamp((c + 516 * d + 128) >> 8);
    return r << 16 | g << 8 | b;
}

uint32_t FrontPixel(const SurfaceChain &chain, int x, int row)
{
    const uint8_t *pair = chain.buffers[chain.front].data() + (size_t)row * chain.pitch + (x & ~1) * 2;
    if (chain.format.dwFourCC == MAKEFOURCC('Y', 'U', 'Y', '2'))
        return YuvToRgb(pair[(x & 1) * 2], pair[1], pair[3]);
    return YuvToRgb(pair[1 + (x & 1) * 2], pair[0], pair[2]);
}

}  // namespace sim
