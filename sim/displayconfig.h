// What the card's display driver offers: its capabilities, the desktop it
// starts on, and the refusals a test can ask of it.
#pragma once

#include <vector>

#include "display/ddraw5.h"
#include "sim/desktop.h"

namespace sim {

struct DisplayConfig {
    bool ddraw = true;          // DirectDrawCreate succeeds
    bool videoport = true;      // the driver reports DDCAPS2_VIDEOPORT and has the container
    bool overlay = true;        // the driver reports DDCAPS_OVERLAY
    bool container = true;      // QueryInterface hands out the video-port container
    bool clipper = true;        // DirectDrawCreateClipper succeeds
    std::vector<DDVIDEOPORTCAPS> ports;     // reported by EnumVideoPorts, in this order

    DesktopFormat desktop = DesktopFormat::Rgb32;
    // Overlay surfaces: the tallest the video memory holds (0: none at all),
    // whether a lone overlay without a back buffer is offered, the pitch's alignment in bytes.
    int overlayMaxHeight = 502;
    bool singleOverlay = false;
    int pitchAlign = 64;
    // The overlay's alignment (GetCaps); 0: no requirement.
    DWORD alignBoundarySrc = 0, alignSizeSrc = 0, alignBoundaryDest = 0, alignSizeDest = 0;
    bool keyDestRefused = false;    // UpdateOverlay refuses DDOVER_KEYDEST

    std::vector<DDVIDEOPORTCONNECT> connections;    // GetVideoPortConnectInfo
    bool portCreateRefused = false;
    std::vector<DDPIXELFORMAT> outputFormats;       // GetOutputFormats
    DWORD bandwidthCaps = DDVPBCAPS_DESTINATION;
    DWORD bandwidthOverlay = 1000, bandwidthColorkey = 1000;
    DWORD bandwidthYInterpolate = 1500, bandwidthYInterpAndColorkey = 2000;
    DWORD prescaleMaxWidth = 720;   // wider prescaling is refused
    bool portStartRefused = false;  // StartVideo fails
};

// The card's one video port: 720 pixels, autoflip and interleave.
DDVIDEOPORTCAPS DefaultVideoPortCaps();
// A connection of that type and width, interlaced.
DDVIDEOPORTCONNECT VideoPortConnection(const GUID &type, DWORD dwPortWidth);
// A 16-bit YUV FOURCC format (UYVY, YUY2), or 16-bit 5-6-5 RGB.
DDPIXELFORMAT FourccFormat(DWORD dwFourCC);
DDPIXELFORMAT Rgb565Format();
// The driver as shipped: the one port, its one connection, UYVY output.
DisplayConfig DefaultDisplayConfig();

}  // namespace sim
