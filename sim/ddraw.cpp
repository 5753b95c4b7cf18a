#include "sim/ddraw.h"

#include "sim/card.h"
#include "sim/com.h"

namespace sim {

namespace detail {
int liveComObjects;
}

int LiveComObjects()
{
    return detail::liveComObjects;
}

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

static const DisplayConfig &Config()
{
    return CurrentCard()->display();
}

class VideoPortContainer : public ComObject<IDDVideoPortContainer> {
public:
    explicit VideoPortContainer(IDirectDraw *owner) : owner_(owner) { owner_->AddRef(); }
    ~VideoPortContainer() override { owner_->Release(); }

    STDMETHOD(QueryInterface)(REFIID riid, void **ppvObject) override
    {
        if (riid == IID_IUnknown || riid == IID_IDDVideoPortContainer)
            return Give(ppvObject);
        return owner_->QueryInterface(riid, ppvObject);
    }

    STDMETHOD(CreateVideoPort)(DWORD, LPDDVIDEOPORTDESC, LPDIRECTDRAWVIDEOPORT *lplpVideoPort, IUnknown *) override
    {
        *lplpVideoPort = NULL;
        return DDERR_UNSUPPORTED;
    }

    STDMETHOD(EnumVideoPorts)(DWORD, LPDDVIDEOPORTCAPS, LPVOID lpContext, LPDDENUMVIDEOCALLBACK lpCallback) override
    {
        for (DDVIDEOPORTCAPS caps : Config().ports)
            if (lpCallback(&caps, lpContext) != DDENUMRET_OK)
                break;
        return DD_OK;
    }

    STDMETHOD(GetVideoPortConnectInfo)(DWORD, LPDWORD lpNumEntries, LPDDVIDEOPORTCONNECT) override
    {
        *lpNumEntries = 0;
        return DDERR_UNSUPPORTED;
    }

    STDMETHOD(QueryVideoPortStatus)(DWORD, LPDDVIDEOPORTSTATUS) override { return DDERR_UNSUPPORTED; }

private:
    IDirectDraw *owner_;
};

class DirectDraw : public ComObject<IDirectDraw> {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void **ppvObject) override
    {
        *ppvObject = NULL;
        if (riid == IID_IUnknown || riid == IID_IDirectDraw)
            return Give(ppvObject);
        if (riid == IID_IDDVideoPortContainer && Config().videoport && Config().container) {
            *ppvObject = new VideoPortContainer(this);
            return S_OK;
        }
        return E_NOINTERFACE;
    }

    STDMETHOD(GetCaps)(LPDDCAPS lpDriverCaps, LPDDCAPS lpHelCaps) override
    {
        if (lpDriverCaps) {
            DWORD dwSize = lpDriverCaps->dwSize;
            ZeroMemory(lpDriverCaps, dwSize);
            lpDriverCaps->dwSize = dwSize;
            if (Config().overlay)
                lpDriverCaps->dwCaps |= DDCAPS_OVERLAY;
            if (Config().videoport)
                lpDriverCaps->dwCaps2 |= DDCAPS2_VIDEOPORT;
            lpDriverCaps->dwMaxVideoPorts = Config().videoport ? (DWORD)Config().ports.size() : 0;
        }
        if (lpHelCaps) {
            DWORD dwSize = lpHelCaps->dwSize;
            ZeroMemory(lpHelCaps, dwSize);
            lpHelCaps->dwSize = dwSize;
        }
        return DD_OK;
    }

    // What the display side of the card does not offer answers as unsupported.
    STDMETHOD(Compact)() override { return DDERR_UNSUPPORTED; }
    STDMETHOD(CreateClipper)(DWORD dwFlags, LPDIRECTDRAWCLIPPER *lplpClipper, IUnknown *pUnkOuter) override
    {
        return SimDirectDrawCreateClipper(dwFlags, lplpClipper, pUnkOuter);
    }
    STDMETHOD(CreatePalette)(DWORD, LPPALETTEENTRY, LPDIRECTDRAWPALETTE *, IUnknown *) override
    {
        return DDERR_UNSUPPORTED;
    }
    STDMETHOD(CreateSurface)(LPDDSURFACEDESC, LPDIRECTDRAWSURFACE *lplpSurface, IUnknown *) override
    {
        *lplpSurface = NULL;
        return DDERR_UNSUPPORTED;
    }
    STDMETHOD(DuplicateSurface)(LPDIRECTDRAWSURFACE, LPDIRECTDRAWSURFACE *) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(EnumDisplayModes)(DWORD, LPDDSURFACEDESC, LPVOID, LPDDENUMMODESCALLBACK) override
    {
        return DDERR_UNSUPPORTED;
    }
    STDMETHOD(EnumSurfaces)(DWORD, LPDDSURFACEDESC, LPVOID, LPDDENUMSURFACESCALLBACK) override
    {
        return DDERR_UNSUPPORTED;
    }
    STDMETHOD(FlipToGDISurface)() override { return DDERR_UNSUPPORTED; }
    STDMETHOD(GetDisplayMode)(LPDDSURFACEDESC) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(GetFourCCCodes)(LPDWORD, LPDWORD) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(GetGDISurface)(LPDIRECTDRAWSURFACE *) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(GetMonitorFrequency)(LPDWORD) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(GetScanLine)(LPDWORD) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(GetVerticalBlankStatus)(WINBOOL *) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(Initialize)(GUID *) override { return DDERR_ALREADYINITIALIZED; }
    STDMETHOD(RestoreDisplayMode)() override { return DDERR_UNSUPPORTED; }
    STDMETHOD(SetCooperativeLevel)(HWND, DWORD) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(SetDisplayMode)(DWORD, DWORD, DWORD) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(WaitForVerticalBlank)(DWORD, HANDLE) override { return DDERR_UNSUPPORTED; }
};

class Clipper : public ComObject<IDirectDrawClipper> {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void **ppvObject) override
    {
        *ppvObject = NULL;
        if (riid == IID_IUnknown || riid == IID_IDirectDrawClipper)
            return Give(ppvObject);
        return E_NOINTERFACE;
    }
    STDMETHOD(GetClipList)(LPRECT, LPRGNDATA, LPDWORD) override { return DDERR_NOCLIPLIST; }
    STDMETHOD(GetHWnd)(HWND *lphWnd) override
    {
        *lphWnd = hwnd_;
        return DD_OK;
    }
    STDMETHOD(Initialize)(LPDIRECTDRAW, DWORD) override { return DDERR_ALREADYINITIALIZED; }
    STDMETHOD(IsClipListChanged)(WINBOOL *lpbChanged) override
    {
        *lpbChanged = FALSE;
        return DD_OK;
    }
    STDMETHOD(SetClipList)(LPRGNDATA, DWORD) override { return DDERR_CLIPPERISUSINGHWND; }
    STDMETHOD(SetHWnd)(DWORD, HWND hwnd) override
    {
        hwnd_ = hwnd;
        return DD_OK;
    }

private:
    HWND hwnd_ = NULL;
};

HRESULT WINAPI SimDirectDrawCreate(GUID *, LPDIRECTDRAW *lplpDD, IUnknown *pUnkOuter)
{
    *lplpDD = NULL;
    if (pUnkOuter)
        return CLASS_E_NOAGGREGATION;
    if (!Config().ddraw)
        return DDERR_NODIRECTDRAWHW;
    *lplpDD = new DirectDraw();
    return DD_OK;
}

HRESULT WINAPI SimDirectDrawCreateClipper(DWORD, LPDIRECTDRAWCLIPPER *lplpClipper, IUnknown *pUnkOuter)
{
    *lplpClipper = NULL;
    if (pUnkOuter)
        return CLASS_E_NOAGGREGATION;
    if (!Config().clipper)
        return DDERR_OUTOFMEMORY;
    *lplpClipper = new Clipper();
    return DD_OK;
}

}  // namespace sim
