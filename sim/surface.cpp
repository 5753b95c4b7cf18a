#include "sim/surface.h"

#include <memory>

#include "sim/com.h"
#include "sim/driver.h"
#include "sim/overlayrules.h"

namespace sim {

enum class SurfaceKind { Primary, Front, Back };

class Surface : public ComObject<IDirectDrawSurface> {
public:
    Surface(DisplayDriver &driver, SurfaceKind kind, std::shared_ptr<SurfaceChain> chain)
        : driver_(driver), kind_(kind), chain_(chain) {}
    ~Surface() override;

    SurfaceKind kind() const { return kind_; }
    void Attach(Surface *back) { back_ = back; }
    const std::shared_ptr<SurfaceChain> &chain() const { return chain_; }
    // The window the primary is clipped to, and its destination colour key.
    HWND ClipWindow() const;
    bool HasKey() const { return hasKey_; }
    DWORD key() const { return key_.dwColorSpaceLowValue; }

    STDMETHOD(QueryInterface)(REFIID riid, void **ppvObject) override;
    STDMETHOD(AddAttachedSurface)(LPDIRECTDRAWSURFACE) override { return DDERR_CANNOTATTACHSURFACE; }
    STDMETHOD(AddOverlayDirtyRect)(LPRECT) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(Blt)(LPRECT lpDestRect, LPDIRECTDRAWSURFACE lpSrc, LPRECT, DWORD dwFlags, LPDDBLTFX lpFx) override;
    STDMETHOD(BltBatch)(LPDDBLTBATCH, DWORD, DWORD) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(BltFast)(DWORD, DWORD, LPDIRECTDRAWSURFACE, LPRECT, DWORD) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(DeleteAttachedSurface)(DWORD, LPDIRECTDRAWSURFACE) override { return DDERR_CANNOTDETACHSURFACE; }
    STDMETHOD(EnumAttachedSurfaces)(LPVOID, LPDDENUMSURFACESCALLBACK) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(EnumOverlayZOrders)(DWORD, LPVOID, LPDDENUMSURFACESCALLBACK) override { return DDERR_UNSUPPORTED; }
    // The chain flips by itself as the port fills it.
    STDMETHOD(Flip)(LPDIRECTDRAWSURFACE, DWORD) override { return DDERR_NOTFLIPPABLE; }
    STDMETHOD(GetAttachedSurface)(LPDDSCAPS lpCaps, LPDIRECTDRAWSURFACE *lplpAttached) override;
    STDMETHOD(GetBltStatus)(DWORD) override { return DD_OK; }
    STDMETHOD(GetCaps)(LPDDSCAPS lpCaps) override;
    STDMETHOD(GetClipper)(LPDIRECTDRAWCLIPPER *lplpClipper) override;
    STDMETHOD(GetColorKey)(DWORD dwFlags, LPDDCOLORKEY lpKey) override;
    STDMETHOD(GetDC)(HDC *) override { return DDERR_CANTCREATEDC; }
    STDMETHOD(GetFlipStatus)(DWORD) override { return DD_OK; }
    STDMETHOD(GetOverlayPosition)(LPLONG, LPLONG) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(GetPalette)(LPDIRECTDRAWPALETTE *) override { return DDERR_NOPALETTEATTACHED; }
    STDMETHOD(GetPixelFormat)(LPDDPIXELFORMAT lpFormat) override;
    STDMETHOD(GetSurfaceDesc)(LPDDSURFACEDESC lpDesc) override;
    STDMETHOD(Initialize)(LPDIRECTDRAW, LPDDSURFACEDESC) override { return DDERR_ALREADYINITIALIZED; }
    STDMETHOD(IsLost)() override;
    STDMETHOD(Lock)(LPRECT lpRect, LPDDSURFACEDESC lpDesc, DWORD dwFlags, HANDLE) override;
    STDMETHOD(ReleaseDC)(HDC) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(Restore)() override;
    STDMETHOD(SetClipper)(LPDIRECTDRAWCLIPPER lpClipper) override;
    STDMETHOD(SetColorKey)(DWORD dwFlags, LPDDCOLORKEY lpKey) override;
    STDMETHOD(SetOverlayPosition)(LONG, LONG) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(SetPalette)(LPDIRECTDRAWPALETTE) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(Unlock)(LPVOID) override;
    STDMETHOD(UpdateOverlay)(LPRECT lpSrcRect, LPDIRECTDRAWSURFACE lpDest, LPRECT lpDestRect, DWORD dwFlags,
                             LPDDOVERLAYFX) override;
    STDMETHOD(UpdateOverlayDisplay)(DWORD) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(UpdateOverlayZOrder)(DWORD, LPDIRECTDRAWSURFACE) override { return DDERR_UNSUPPORTED; }

private:
    bool Lost() const { return chain_->modeSerial != driver_.modeSerial(); }
    DWORD Caps() const;
    void Describe(DDSURFACEDESC *lpDesc) const;
    void PaintFill(const RECT &screen, DWORD value);

    DisplayDriver &driver_;
    SurfaceKind kind_;
    std::shared_ptr<SurfaceChain> chain_;
    Surface *back_ = nullptr;                   // the front's attached back buffer
    IDirectDrawClipper *clipper_ = nullptr;     // the primary's
    bool hasKey_ = false;
    DDCOLORKEY key_ = {};
    bool locked_ = false;
};

Surface::~Surface()
{
    if (kind_ == SurfaceKind::Front) {
        std::lock_guard<std::mutex> hold(driver_.lock());
        driver_.HideOverlay(chain_.get());
    }
    if (back_)
        back_->Release();
    if (clipper_)
        clipper_->Release();
}

HWND Surface::ClipWindow() const
{
    HWND hwnd = NULL;
    if (clipper_)
        clipper_->GetHWnd(&hwnd);
    return hwnd;
}

STDMETHODIMP Surface::QueryInterface(REFIID riid, void **ppvObject)
{
    *ppvObject = NULL;
    if (riid == IID_IUnknown || riid == IID_IDirectDrawSurface)
        return Give(ppvObject);
    return E_NOINTERFACE;
}

DWORD Surface::Caps() const
{
    const DWORD overlay = DDSCAPS_OVERLAY | DDSCAPS_VIDEOMEMORY | DDSCAPS_VIDEOPORT;
    switch (kind_) {
    case SurfaceKind::Primary:
        return DDSCAPS_PRIMARYSURFACE | DDSCAPS_VISIBLE | DDSCAPS_VIDEOMEMORY;
    case SurfaceKind::Front:
        return overlay | (chain_->count > 1 ? DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_FRONTBUFFER : 0);
    case SurfaceKind::Back:
        break;
    }
    return overlay | DDSCAPS_FLIP | DDSCAPS_BACKBUFFER;
}

STDMETHODIMP Surface::GetCaps(LPDDSCAPS lpCaps)
{
    lpCaps->dwCaps = Caps();
    return DD_OK;
}

void Surface::Describe(DDSURFACEDESC *lpDesc) const
{
    ZeroMemory(lpDesc, sizeof(*lpDesc));
    lpDesc->dwSize = sizeof(*lpDesc);
    lpDesc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    lpDesc->dwWidth = chain_->width;
    lpDesc->dwHeight = chain_->height;
    lpDesc->lPitch = chain_->pitch;
    lpDesc->ddpfPixelFormat = chain_->format;
    if (kind_ == SurfaceKind::Front && chain_->count > 1) {
        lpDesc->dwFlags |= DDSD_BACKBUFFERCOUNT;
        lpDesc->dwBackBufferCount = chain_->count - 1;
    }
    lpDesc->ddsCaps.dwCaps = Caps();
}

STDMETHODIMP Surface::GetSurfaceDesc(LPDDSURFACEDESC lpDesc)
{
    if (!lpDesc || lpDesc->dwSize != sizeof(*lpDesc))
        return DDERR_INVALIDPARAMS;
    Describe(lpDesc);
    return DD_OK;
}

STDMETHODIMP Surface::GetPixelFormat(LPDDPIXELFORMAT lpFormat)
{
    *lpFormat = chain_->format;
    return DD_OK;
}

STDMETHODIMP Surface::GetAttachedSurface(LPDDSCAPS lpCaps, LPDIRECTDRAWSURFACE *lplpAttached)
{
    *lplpAttached = NULL;
    if (!back_ || !(lpCaps->dwCaps & DDSCAPS_BACKBUFFER))
        return DDERR_NOTFOUND;
    back_->AddRef();
    *lplpAttached = back_;
    return DD_OK;
}

STDMETHODIMP Surface::GetClipper(LPDIRECTDRAWCLIPPER *lplpClipper)
{
    *lplpClipper = clipper_;
    if (!clipper_)
        return DDERR_NOCLIPPERATTACHED;
    clipper_->AddRef();
    return DD_OK;
}

STDMETHODIMP Surface::SetClipper(LPDIRECTDRAWCLIPPER lpClipper)
{
    if (kind_ != SurfaceKind::Primary)
        return DDERR_INVALIDSURFACETYPE;
    if (lpClipper)
        lpClipper->AddRef();
    if (clipper_)
        clipper_->Release();
    clipper_ = lpClipper;
    return DD_OK;
}

STDMETHODIMP Surface::SetColorKey(DWORD dwFlags, LPDDCOLORKEY lpKey)
{
    if (kind_ != SurfaceKind::Primary || dwFlags != DDCKEY_DESTOVERLAY)
        return DDERR_NOCOLORKEYHW;
    if (Lost())
        return DDERR_SURFACELOST;
    hasKey_ = lpKey != NULL;
    if (lpKey)
        key_ = *lpKey;
    return DD_OK;
}

STDMETHODIMP Surface::GetColorKey(DWORD dwFlags, LPDDCOLORKEY lpKey)
{
    if (dwFlags != DDCKEY_DESTOVERLAY || !hasKey_)
        return DDERR_NOCOLORKEY;
    *lpKey = key_;
    return DD_OK;
}

STDMETHODIMP Surface::IsLost()
{
    return Lost() ? DDERR_SURFACELOST : DD_OK;
}

STDMETHODIMP Surface::Restore()
{
    if (!Lost())
        return DD_OK;
    if (chain_->createdOn != driver_.desktop())
        return DDERR_WRONGMODE;
    std::lock_guard<std::mutex> hold(driver_.lock());
    chain_->modeSerial = driver_.modeSerial();
    return DD_OK;
}

// The fill shows where the primary's window is: GDI paints its client area.
void Surface::PaintFill(const RECT &screen, DWORD value)
{
    HWND hwnd = ClipWindow();
    RECT client = screen;
    MapWindowPoints(NULL, hwnd, (POINT *)&client, 2);
    COLORREF colour = DesktopColor(chain_->createdOn, value);
    HDC hdc = ::GetDC(hwnd);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(hdc, &client, brush);
    DeleteObject(brush);
    ::ReleaseDC(hwnd, hdc);
    PrimaryFill fill = driver_.lastFill();
    fill.count++;
    fill.rect = screen;
    fill.value = value;
    fill.colour = colour;
    driver_.RecordFill(fill);
}

STDMETHODIMP Surface::Blt(LPRECT lpDestRect, LPDIRECTDRAWSURFACE lpSrc, LPRECT, DWORD dwFlags, LPDDBLTFX lpFx)
{
    if (kind_ != SurfaceKind::Primary || lpSrc || !(dwFlags & DDBLT_COLORFILL) || !lpFx)
        return DDERR_UNSUPPORTED;
    if (Lost())
        return DDERR_SURFACELOST;
    RECT whole = { 0, 0, chain_->width, chain_->height };
    RECT target;
    if (!IntersectRect(&target, lpDestRect ? lpDestRect : &whole, &whole))
        return lpDestRect && !IsRectEmpty(lpDestRect) ? DDERR_INVALIDRECT : DD_OK;
    PaintFill(target, lpFx->dwFillColor);
    return DD_OK;
}

STDMETHODIMP Surface::Lock(LPRECT lpRect, LPDDSURFACEDESC lpDesc, DWORD, HANDLE)
{
    if (!lpDesc || lpDesc->dwSize != sizeof(*lpDesc))
        return DDERR_INVALIDPARAMS;
    if (kind_ == SurfaceKind::Primary)
        return DDERR_CANTLOCKSURFACE;
    if (Lost())
        return DDERR_SURFACELOST;
    if (locked_)
        return DDERR_SURFACEBUSY;
    RECT whole = { 0, 0, chain_->width, chain_->height }, inside;
    if (lpRect && (!IntersectRect(&inside, lpRect, &whole) || !EqualRect(&inside, lpRect)))
        return DDERR_INVALIDRECT;
    std::lock_guard<std::mutex> hold(driver_.lock());
    driver_.port().CatchUp();
    Describe(lpDesc);
    lpDesc->dwFlags |= DDSD_LPSURFACE;
    BYTE *memory = chain_->Buffer(kind_ == SurfaceKind::Back);
    if (lpRect)
        memory += lpRect->top * chain_->pitch + lpRect->left * 2;
    lpDesc->lpSurface = memory;
    locked_ = true;
    chain_->locks++;
    return DD_OK;
}

STDMETHODIMP Surface::Unlock(LPVOID)
{
    if (!locked_)
        return DDERR_NOTLOCKED;
    std::lock_guard<std::mutex> hold(driver_.lock());
    locked_ = false;
    chain_->locks--;
    return DD_OK;
}

STDMETHODIMP Surface::UpdateOverlay(LPRECT lpSrcRect, LPDIRECTDRAWSURFACE lpDest, LPRECT lpDestRect, DWORD dwFlags,
                                    LPDDOVERLAYFX)
{
    Surface *primary = dynamic_cast<Surface *>(lpDest);
    if (kind_ != SurfaceKind::Front)
        return DDERR_NOTAOVERLAYSURFACE;
    if (!primary || primary->kind() != SurfaceKind::Primary)
        return DDERR_INVALIDSURFACETYPE;
    if (Lost() || primary->Lost())
        return DDERR_SURFACELOST;
    if (dwFlags & DDOVER_HIDE) {
        std::lock_guard<std::mutex> hold(driver_.lock());
        driver_.HideOverlay(chain_.get());
        return DD_OK;
    }
    if (!(dwFlags & DDOVER_SHOW))
        return DDERR_INVALIDPARAMS;
    OverlayPlacement placement;
    HRESULT hr = PlaceOverlay(driver_.config(), *chain_, *primary->chain(), lpSrcRect, lpDestRect, &placement);
    if (FAILED(hr))
        return hr;
    if (dwFlags & DDOVER_KEYDEST) {
        if (driver_.config().keyDestRefused)
            return DDERR_NOCOLORKEYHW;
        if (!primary->HasKey())
            return DDERR_NOCOLORKEY;
        placement.keyed = true;
        placement.key = DesktopColor(primary->chain()->createdOn, primary->key());
    }
    placement.chain = chain_;
    placement.hwnd = primary->ClipWindow();
    std::lock_guard<std::mutex> hold(driver_.lock());
    driver_.ShowOverlay(placement);
    return DD_OK;
}

std::shared_ptr<SurfaceChain> OverlayChainOf(LPDIRECTDRAWSURFACE lpSurface)
{
    Surface *surface = dynamic_cast<Surface *>(lpSurface);
    if (!surface || surface->kind() != SurfaceKind::Front)
        return nullptr;
    return surface->chain();
}

// ---- creation ----

static std::shared_ptr<SurfaceChain> NewChain(DisplayDriver &driver, int width, int height)
{
    std::shared_ptr<SurfaceChain> chain(new SurfaceChain());
    chain->width = width;
    chain->height = height;
    chain->modeSerial = driver.modeSerial();
    chain->createdOn = driver.desktop();
    return chain;
}

static LPDIRECTDRAWSURFACE CreatePrimary(DisplayDriver &driver)
{
    std::shared_ptr<SurfaceChain> chain =
        NewChain(driver, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    chain->format = DesktopPixelFormat(driver.desktop());
    chain->pitch = (chain->width * DesktopBytesPerPixel(driver.desktop()) + 3) & ~3;
    chain->count = 0;
    return new Surface(driver, SurfaceKind::Primary, chain);
}

static LPDIRECTDRAWSURFACE CreateOverlay(DisplayDriver &driver, const DDSURFACEDESC &desc)
{
    std::shared_ptr<SurfaceChain> chain = NewChain(driver, (int)desc.dwWidth, (int)desc.dwHeight);
    chain->format = desc.ddpfPixelFormat;
    int align = driver.config().pitchAlign > 0 ? driver.config().pitchAlign : 1;
    chain->pitch = ((LONG)desc.dwWidth * 2 + align - 1) / align * align;
    chain->count = desc.ddsCaps.dwCaps & DDSCAPS_FLIP ? 2 : 1;
    for (int i = 0; i < chain->count; i++)
        chain->buffers[i].assign((size_t)chain->pitch * chain->height, 0);
    Surface *front = new Surface(driver, SurfaceKind::Front, chain);
    if (chain->count > 1)
        front->Attach(new Surface(driver, SurfaceKind::Back, chain));
    return front;
}

HRESULT CreateDriverSurface(DisplayDriver &driver, const DDSURFACEDESC *lpDesc, LPDIRECTDRAWSURFACE *lplpSurface)
{
    *lplpSurface = NULL;
    if (!lpDesc || lpDesc->dwSize != sizeof(*lpDesc) || !(lpDesc->dwFlags & DDSD_CAPS))
        return DDERR_INVALIDPARAMS;
    DWORD caps = lpDesc->ddsCaps.dwCaps;
    if (caps & DDSCAPS_PRIMARYSURFACE) {
        *lplpSurface = CreatePrimary(driver);
        return DD_OK;
    }
    if (!(caps & DDSCAPS_OVERLAY))
        return DDERR_INVALIDCAPS;
    HRESULT hr = CheckOverlayRequest(driver.config(), *lpDesc);
    if (SUCCEEDED(hr))
        *lplpSurface = CreateOverlay(driver, *lpDesc);
    return hr;
}

}  // namespace sim
