// The video memory behind a surface: one buffer, or the two buffers of a
// flip chain, of which `front` is the one shown. Shared by the surfaces
// of the chain, the video port writing into it and the scan-out.
#pragma once

#include <windows.h>
#include <ddraw.h>

#include <cstdint>
#include <vector>

#include "sim/desktop.h"

namespace sim {

struct SurfaceChain {
    std::vector<uint8_t> buffers[2];
    int count = 1;              // buffers in the chain
    int front = 0;
    int width = 0, height = 0;
    LONG pitch = 0;
    DDPIXELFORMAT format = {};
    int locks = 0;              // the port holds off while a buffer is locked
    unsigned modeSerial = 0;    // the display mode the chain belongs to
    DesktopFormat createdOn = DesktopFormat::Rgb32;

    uint8_t *Buffer(bool back) { return buffers[back && count > 1 ? 1 - front : front].data(); }
    void Flip() { front = count > 1 ? 1 - front : front; }
};

}  // namespace sim
