#include "sim/overlayrules.h"

namespace sim {

static bool SameFormat(const DDPIXELFORMAT &a, const DDPIXELFORMAT &b)
{
    if ((a.dwFlags & DDPF_FOURCC) || (b.dwFlags & DDPF_FOURCC))
        return (a.dwFlags & b.dwFlags & DDPF_FOURCC) && a.dwFourCC == b.dwFourCC;
    return a.dwRGBBitCount == b.dwRGBBitCount && a.dwRBitMask == b.dwRBitMask && a.dwGBitMask == b.dwGBitMask
           && a.dwBBitMask == b.dwBBitMask;
}

// The overlay scaler takes the port's YUV output: UYVY or YUY2, one of the
// formats the port writes.
static bool OverlayFormat(const DisplayConfig &config, const DDPIXELFORMAT &format)
{
    if (!(format.dwFlags & DDPF_FOURCC)
        || (format.dwFourCC != MAKEFOURCC('U', 'Y', 'V', 'Y') && format.dwFourCC != MAKEFOURCC('Y', 'U', 'Y', '2')))
        return false;
    for (const DDPIXELFORMAT &offered : config.outputFormats)
        if (SameFormat(offered, format))
            return true;
    return false;
}

HRESULT CheckOverlayRequest(const DisplayConfig &config, const DDSURFACEDESC &desc)
{
    const DWORD needed = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    DWORD caps = desc.ddsCaps.dwCaps;
    bool chain = (caps & DDSCAPS_FLIP) != 0;
    if (!config.overlay)
        return DDERR_NOOVERLAYHW;
    if ((desc.dwFlags & needed) != needed || desc.dwWidth == 0 || desc.dwHeight == 0 || (desc.dwWidth & 1))
        return DDERR_INVALIDPARAMS;
    if (chain && (!(caps & DDSCAPS_COMPLEX) || !(desc.dwFlags & DDSD_BACKBUFFERCOUNT) || desc.dwBackBufferCount != 1))
        return DDERR_INVALIDPARAMS;
    if (!chain && !config.singleOverlay)
        return DDERR_INVALIDCAPS;
    if (!OverlayFormat(config, desc.ddpfPixelFormat))
        return DDERR_INVALIDPIXELFORMAT;
    if ((int)desc.dwHeight > config.overlayMaxHeight)
        return DDERR_OUTOFVIDEOMEMORY;
    return DD_OK;
}

static bool Aligned(LONG value, DWORD alignment)
{
    return alignment <= 1 || value % (LONG)alignment == 0;
}

// A rectangle given or the whole surface, which it must lie in.
static bool Within(const RECT *lpRect, const SurfaceChain &surface, RECT *out)
{
    RECT whole = { 0, 0, surface.width, surface.height }, inside;
    *out = lpRect ? *lpRect : whole;
    return !IsRectEmpty(out) && IntersectRect(&inside, out, &whole) && EqualRect(&inside, out);
}

HRESULT PlaceOverlay(const DisplayConfig &config, const SurfaceChain &overlay, const SurfaceChain &primary,
                     const RECT *lpSrc, const RECT *lpDest, OverlayPlacement *placement)
{
    RECT &src = placement->src, &dest = placement->dest;
    if (!Within(lpSrc, overlay, &src) || !Within(lpDest, primary, &dest))
        return DDERR_INVALIDRECT;
    if (!Aligned(src.left, config.alignBoundarySrc) || !Aligned(src.right - src.left, config.alignSizeSrc)
        || !Aligned(dest.left, config.alignBoundaryDest) || !Aligned(dest.right - dest.left, config.alignSizeDest))
        return DDERR_XALIGN;
    return DD_OK;
}

}  // namespace sim
