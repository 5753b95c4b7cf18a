#include "sim/displayconfig.h"

namespace sim {

DDVIDEOPORTCAPS DefaultVideoPortCaps()
{
    DDVIDEOPORTCAPS caps = {};
    caps.dwSize = sizeof(caps);
    caps.dwMaxWidth = 720;
    caps.dwMaxVBIWidth = 720;
    caps.dwMaxHeight = 502;
    caps.dwVideoPortID = 0;
    caps.dwCaps = DDVPCAPS_AUTOFLIP;
    caps.dwFX = DDVPFX_INTERLEAVE;
    caps.dwNumAutoFlipSurfaces = 2;
    caps.dwAlignVideoPortBoundary = 1;
    caps.dwAlignVideoPortPrescaleWidth = 1;
    caps.dwAlignVideoPortCropBoundary = 1;
    caps.dwAlignVideoPortCropWidth = 1;
    return caps;
}

DDVIDEOPORTCONNECT VideoPortConnection(const GUID &type, DWORD dwPortWidth)
{
    DDVIDEOPORTCONNECT connect = {};
    connect.dwSize = sizeof(connect);
    connect.dwPortWidth = dwPortWidth;
    connect.guidTypeID = type;
    connect.dwFlags = DDVPCONNECT_INTERLACED;
    return connect;
}

DDPIXELFORMAT FourccFormat(DWORD dwFourCC)
{
    DDPIXELFORMAT pf = {};
    pf.dwSize = sizeof(pf);
    pf.dwFlags = DDPF_FOURCC;
    pf.dwFourCC = dwFourCC;
    pf.dwYUVBitCount = 16;
    return pf;
}

DDPIXELFORMAT Rgb565Format()
{
    return DesktopPixelFormat(DesktopFormat::Rgb565);
}

DisplayConfig DefaultDisplayConfig()
{
    DisplayConfig config;
    config.ports.push_back(DefaultVideoPortCaps());
    config.connections.push_back(VideoPortConnection(DDVPTYPE_CCIR656, 8));
    config.outputFormats.push_back(FourccFormat(MAKEFOURCC('U', 'Y', 'V', 'Y')));
    return config;
}

}  // namespace sim
