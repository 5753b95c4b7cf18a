#include "display/videoport.h"

#include "common/state.h"
#include "display/ddobjects.h"
#include "display/placement.h"

enum { VIDEO_TIMER = 1, VIDEO_TICK_MS = 200 };

VideoPortSettingsRecord VideoPortSettings;
DDPIXELFORMAT ddpfPortInput;
DDPIXELFORMAT ddpfPortOutput;
int bKeyAlways;
int bVideoStarting;
int bSurfaceCreateFailed;

void InitVideoPortSettings(void)
{
    VideoPortSettings.dwFieldWidth = 720;
    VideoPortSettings.dwFieldHeight = 251;
    VideoPortSettings.dwMicrosecondsPerField = 1;
    VideoPortSettings.dwMaxPixelsPerSecond = 1;
    VideoPortSettings.dwPortWidth = 8;
    VideoPortSettings.guidPortType = DDVPTYPE_CCIR656;
    VideoPortSettings.dwFormatOptions = FORMAT_INTERLEAVE | FORMAT_FOURCC;
    VideoPortSettings.dwPortFourCC = MAKEFOURCC('U', 'Y', 'V', 'Y');
}

// A temporary list for what a DirectDraw query reports, freed by FreeList.
static void *AllocList(DWORD dwCount, DWORD cbEntry, HGLOBAL *lphList)
{
    *lphList = GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)dwCount * cbEntry);
    if (!*lphList)
        return NULL;
    void *lpList = GlobalLock(*lphList);
    if (!lpList)
        GlobalFree(*lphList);
    return lpList;
}

static void FreeList(HGLOBAL hList)
{
    GlobalUnlock(hList);
    GlobalFree(hList);
}

// ---- the port ----

// Any connection 8 bits wide, or any CCIR 656 connection, will do.
static int PortHasConnection(void)
{
    DWORD dwCount = 0;
    if (lpVideoPortContainer->GetVideoPortConnectInfo(0, &dwCount, NULL) != DD_OK || dwCount == 0)
        return 0;
    HGLOBAL hList;
    LPDDVIDEOPORTCONNECT lpList = (LPDDVIDEOPORTCONNECT)AllocList(dwCount, sizeof(DDVIDEOPORTCONNECT), &hList);
    if (!lpList)
        return 0;
    DWORD dwFilled = dwCount;
    lpVideoPortContainer->GetVideoPortConnectInfo(0, &dwFilled, lpList);
    int bFound = 0;
    for (DWORD i = 0; i < dwCount && !bFound; i++)
        bFound = lpList[i].dwPortWidth == VideoPortSettings.dwPortWidth
              || IsEqualGUID(lpList[i].guidTypeID, VideoPortSettings.guidPortType);
    FreeList(hList);
    return bFound;
}

int OpenVideoPort(void)
{
    DDVIDEOPORTDESC desc;
    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(desc);
    desc.dwFieldWidth = VideoPortSettings.dwFieldWidth;
    desc.dwVBIWidth = VideoPortSettings.dwFieldWidth;
    desc.dwFieldHeight = VideoPortSettings.dwFieldHeight;
    desc.dwMicrosecondsPerField = VideoPortSettings.dwMicrosecondsPerField;
    desc.dwMaxPixelsPerSecond = VideoPortSettings.dwMaxPixelsPerSecond;
    desc.dwVideoPortID = 0;
    desc.VideoPortType.dwSize = sizeof(desc.VideoPortType);
    desc.VideoPortType.dwPortWidth = VideoPortSettings.dwPortWidth;
    desc.VideoPortType.guidTypeID = VideoPortSettings.guidPortType;
    desc.VideoPortType.dwFlags = DDVPCONNECT_INTERLACED;
    if (!PortHasConnection())
        return 0;
    return lpVideoPortContainer->CreateVideoPort(0, &desc, &lpVideoPort, NULL) == DD_OK;
}

static int IsPortFourCC(const DDPIXELFORMAT *lpFormat)
{
    return (lpFormat->dwFlags & DDPF_FOURCC) && lpFormat->dwFourCC == VideoPortSettings.dwPortFourCC;
}

// The last UYVY format the port offers, or its first format when none is.
int ChoosePortOutputFormat(void)
{
    ZeroMemory(&ddpfPortInput, sizeof(ddpfPortInput));
    ddpfPortInput.dwSize = sizeof(ddpfPortInput);
    ddpfPortInput.dwFlags = DDPF_FOURCC;
    ddpfPortInput.dwFourCC = VideoPortSettings.dwPortFourCC;
    ddpfPortInput.dwYUVBitCount = 16;

    DWORD dwCount = 0;
    if (lpVideoPort->GetOutputFormats(&ddpfPortInput, &dwCount, NULL, DDVPFORMAT_VIDEO) != DD_OK || dwCount == 0)
        return 0;
    HGLOBAL hList;
    LPDDPIXELFORMAT lpList = (LPDDPIXELFORMAT)AllocList(dwCount, sizeof(DDPIXELFORMAT), &hList);
    if (!lpList)
        return 0;
    if (lpVideoPort->GetOutputFormats(&ddpfPortInput, &dwCount, lpList, DDVPFORMAT_VIDEO) != DD_OK) {
        FreeList(hList);
        return 0;
    }
    DWORD dwChosen = 0;
    for (DWORD i = 0; i < dwCount; i++)
        if (IsPortFourCC(&lpList[i]))
            dwChosen = i;
    ddpfPortOutput = lpList[dwChosen];
    FreeList(hList);
    return 1;
}

// ---- surfaces ----

static int CreatePrimarySurface(void)
{
    DDSURFACEDESC ddsd;
    ZeroMemory(&ddsd, sizeof(ddsd));
    ddsd.dwSize = sizeof(ddsd);
    ddsd.dwFlags = DDSD_CAPS;
    ddsd.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (lpDirectDraw->CreateSurface(&ddsd, &lpPrimarySurface, NULL) != DD_OK)
        return 0;
    ZeroMemory(&ddsd, sizeof(ddsd));
    ddsd.dwSize = sizeof(ddsd);
    if (lpPrimarySurface->GetSurfaceDesc(&ddsd) != DD_OK)
        return 0;
    SetRect(&rcScreen, 0, 0, ddsd.dwWidth, ddsd.dwHeight);
    return 1;
}

static void CreateOverlayFlipChain(DWORD dwHeight)
{
    DDSURFACEDESC ddsd;
    ZeroMemory(&ddsd, sizeof(ddsd));
    ddsd.dwSize = sizeof(ddsd);
    ddsd.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT | DDSD_BACKBUFFERCOUNT;
    ddsd.dwHeight = dwHeight;
    ddsd.dwWidth = VideoPortSettings.dwFieldWidth;
    ddsd.dwBackBufferCount = 1;
    ddsd.ddpfPixelFormat = ddpfPortOutput;
    ddsd.ddsCaps.dwCaps = DDSCAPS_OVERLAY | DDSCAPS_VIDEOMEMORY | DDSCAPS_VIDEOPORT | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    if (lpDirectDraw->CreateSurface(&ddsd, &lpOverlaySurface, NULL) != DD_OK)
        lpOverlaySurface = NULL;
}

int CreateDisplaySurfaces(void)
{
    if (lpDirectDraw->SetCooperativeLevel(NULL, DDSCL_NORMAL) != DD_OK)
        return 0;
    if (!CreatePrimarySurface())
        return 0;
    DWORD dwHeight = VideoPortSettings.dwFieldHeight;
    if ((VideoPortSettings.dwFormatOptions & FORMAT_INTERLEAVE) && (ddVideoPortCaps.dwFX & DDVPFX_INTERLEAVE))
        dwHeight *= 2;
    lpOverlaySurface = NULL;
    // The port flips the overlay by itself: a port that cannot gets none.
    if (ddVideoPortCaps.dwCaps & DDVPCAPS_AUTOFLIP) {
        CreateOverlayFlipChain(dwHeight);
        if (!lpOverlaySurface)
            CreateOverlayFlipChain(VideoPortSettings.dwFieldHeight);
    }
    return lpOverlaySurface != NULL;
}

// Red 4, green 4, blue 4 in the primary's own layout (palette index 253 at 8 bits).
static DWORD ColorKeyFor(const DDSURFACEDESC *lpDesc)
{
    const DDPIXELFORMAT *lpFormat = &lpDesc->ddpfPixelFormat;
    if (!(lpDesc->dwFlags & DDSD_PIXELFORMAT) || !(lpFormat->dwFlags & DDPF_RGB))
        return 0;
    switch (lpFormat->dwRGBBitCount) {
    case 8:
        return 0xFD;
    case 16:
        if (lpFormat->dwRBitMask == 0xF800 && lpFormat->dwGBitMask == 0x07E0 && lpFormat->dwBBitMask == 0x001F)
            return 0x2084;
        if (lpFormat->dwRBitMask == 0x7C00 && lpFormat->dwGBitMask == 0x03E0 && lpFormat->dwBBitMask == 0x001F)
            return 0x1084;
        return 0;
    case 24:
    case 32:
        return 0x040404;
    default:
        return 0;
    }
}

void SetPrimaryColorKey(void)
{
    DDSURFACEDESC ddsd;
    ZeroMemory(&ddsd, sizeof(ddsd));
    ddsd.dwSize = sizeof(ddsd);
    lpPrimarySurface->GetSurfaceDesc(&ddsd);
    dwColorKey = ColorKeyFor(&ddsd);
    DDCOLORKEY ddck;
    ddck.dwColorSpaceLowValue = dwColorKey;
    ddck.dwColorSpaceHighValue = dwColorKey;
    lpPrimarySurface->SetColorKey(DDCKEY_DESTOVERLAY, &ddck);
}

// ---- starting the port ----

// Whether the port's bandwidth lets the overlay go without the colour key.
static int TestBandwidth(void)
{
    DDVIDEOPORTBANDWIDTH bw;
    ZeroMemory(&bw, sizeof(bw));
    bw.dwSize = sizeof(bw);
    lpVideoPort->GetBandwidthInfo(&ddpfPortOutput, 0, 0, DDVPB_TYPE, &bw);
    DWORD dwWidth = VideoPortSettings.dwFieldWidth, dwHeight = VideoPortSettings.dwFieldHeight;
    if (bw.dwCaps == DDVPBCAPS_SOURCE) {
        if (lpVideoPort->GetBandwidthInfo(&ddpfPortOutput, dwWidth, dwHeight, DDVPB_OVERLAY, &bw) != DD_OK)
            return 0;
        bKeyAlways = !(bw.dwYInterpAndColorkey < bw.dwYInterpolate && bw.dwYInterpAndColorkey < bw.dwColorkey);
    } else {
        if (lpVideoPort->GetBandwidthInfo(&ddpfPortOutput, dwWidth, dwHeight, DDVPB_VIDEOPORT, &bw) != DD_OK)
            return 0;
        bKeyAlways = !(bw.dwYInterpAndColorkey > bw.dwYInterpolate && bw.dwYInterpAndColorkey > bw.dwColorkey);
    }
    return 1;
}

int StartVideoPort(HWND hwnd)
{
    (void)hwnd;     // always the main window
    if (!ChoosePortOutputFormat())
        return 0;
    if (!CreateDisplaySurfaces()) {
        bSurfaceCreateFailed = 1;
        return 0;
    }
    lpClipper->SetHWnd(0, hwndMain);
    lpPrimarySurface->SetClipper(lpClipper);
    SetPrimaryColorKey();
    if (!TestBandwidth())
        return 0;
    if (lpVideoPort->SetTargetSurface(lpOverlaySurface, DDVPTARGET_VIDEO) != DD_OK)
        return 0;
    bVideoStarting = 1;
    if (!ApplyVideoGeometry())
        return 0;
    bVideoStarting = 0;
    InvalidateRect(hwndMain, NULL, FALSE);
    SetTimer(hwndMain, VIDEO_TIMER, VIDEO_TICK_MS, NULL);
    return 1;
}
