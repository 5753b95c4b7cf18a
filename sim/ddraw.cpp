#include "sim/ddraw.h"

#include "sim/card.h"
#include "sim/clipper.h"
#include "sim/com.h"
#include "sim/surface.h"
#include "sim/videoport.h"

namespace sim {

namespace detail {
int liveComObjects;
}

int LiveComObjects()
{
    return detail::liveComObjects;
}

static DisplayDriver &Driver()
{
    return CurrentCard()->driver();
}

static const DisplayConfig &Config()
{
    return Driver().config();
}

// The overlay's alignment requirements, as far as the card has any.
static void ReportAlignment(DDCAPS *lpCaps)
{
    const struct {
        DWORD flag, value;
        DWORD DDCAPS::*field;
    } alignments[] = {
        { DDCAPS_ALIGNBOUNDARYSRC, Config().alignBoundarySrc, &DDCAPS::dwAlignBoundarySrc },
        { DDCAPS_ALIGNSIZESRC, Config().alignSizeSrc, &DDCAPS::dwAlignSizeSrc },
        { DDCAPS_ALIGNBOUNDARYDEST, Config().alignBoundaryDest, &DDCAPS::dwAlignBoundaryDest },
        { DDCAPS_ALIGNSIZEDEST, Config().alignSizeDest, &DDCAPS::dwAlignSizeDest },
    };
    for (const auto &alignment : alignments) {
        if (alignment.value) {
            lpCaps->dwCaps |= alignment.flag;
            lpCaps->*alignment.field = alignment.value;
        }
    }
}

class DirectDraw : public ComObject<IDirectDraw> {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void **ppvObject) override
    {
        *ppvObject = NULL;
        if (riid == IID_IUnknown || riid == IID_IDirectDraw)
            return Give(ppvObject);
        if (riid == IID_IDDVideoPortContainer && Config().videoport && Config().container) {
            *ppvObject = NewVideoPortContainer(Driver(), this);
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
            ReportAlignment(lpDriverCaps);
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
    STDMETHOD(CreateSurface)(LPDDSURFACEDESC lpDesc, LPDIRECTDRAWSURFACE *lplpSurface, IUnknown *pUnkOuter) override
    {
        *lplpSurface = NULL;
        if (pUnkOuter)
            return CLASS_E_NOAGGREGATION;
        return CreateDriverSurface(Driver(), lpDesc, lplpSurface);
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
    // A windowed program shares the desktop; exclusive modes are not offered.
    STDMETHOD(SetCooperativeLevel)(HWND, DWORD dwFlags) override
    {
        return dwFlags == DDSCL_NORMAL ? DD_OK : DDERR_UNSUPPORTED;
    }
    STDMETHOD(SetDisplayMode)(DWORD, DWORD, DWORD) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(WaitForVerticalBlank)(DWORD, HANDLE) override { return DDERR_UNSUPPORTED; }
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
    *lplpClipper = NewClipper();
    return DD_OK;
}

}  // namespace sim
