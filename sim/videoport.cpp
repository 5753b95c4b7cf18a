#include "sim/videoport.h"

#include <algorithm>
#include <vector>

#include "sim/com.h"
#include "sim/driver.h"
#include "sim/surface.h"
#include "sim/vpflags.h"

namespace sim {

static bool IsUyvy(const DDPIXELFORMAT *lpFormat)
{
    return lpFormat && (lpFormat->dwFlags & DDPF_FOURCC) && lpFormat->dwFourCC == MAKEFOURCC('U', 'Y', 'V', 'Y');
}

// Copies what there is into a caller's array, as many as it holds, or
// just tells how many there are.
template <class Entry>
static HRESULT HandOut(const std::vector<Entry> &entries, LPDWORD lpCount, Entry *lpEntries)
{
    if (!lpCount)
        return DDERR_INVALIDPARAMS;
    if (!lpEntries) {
        *lpCount = (DWORD)entries.size();
        return DD_OK;
    }
    DWORD given = std::min<DWORD>(*lpCount, (DWORD)entries.size());
    std::copy(entries.begin(), entries.begin() + given, lpEntries);
    *lpCount = given;
    return given < entries.size() ? DDERR_MOREDATA : DD_OK;
}

class VideoPort : public ComObject<IDirectDrawVideoPort> {
public:
    explicit VideoPort(DisplayDriver &driver) : driver_(driver) {}
    ~VideoPort() override { driver_.ReleasePort(); }

    STDMETHOD(QueryInterface)(REFIID riid, void **ppvObject) override
    {
        *ppvObject = NULL;
        if (riid == IID_IUnknown)
            return Give(ppvObject);
        return E_NOINTERFACE;
    }
    // The port flips its chain by itself.
    STDMETHOD(Flip)(LPDIRECTDRAWSURFACE, DWORD) override { return DDERR_INVALIDPARAMS; }
    STDMETHOD(GetBandwidthInfo)(LPDDPIXELFORMAT lpFormat, DWORD, DWORD, DWORD dwFlags,
                                LPDDVIDEOPORTBANDWIDTH lpBandwidth) override;
    STDMETHOD(GetColorControls)(LPDDCOLORCONTROL) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(GetInputFormats)(LPDWORD lpNumFormats, LPDDPIXELFORMAT lpFormats, DWORD) override
    {
        std::vector<DDPIXELFORMAT> input(1, FourccFormat(MAKEFOURCC('U', 'Y', 'V', 'Y')));
        return HandOut(input, lpNumFormats, lpFormats);
    }
    STDMETHOD(GetOutputFormats)(LPDDPIXELFORMAT lpInputFormat, LPDWORD lpNumFormats, LPDDPIXELFORMAT lpFormats,
                                DWORD) override
    {
        if (!IsUyvy(lpInputFormat))
            return DDERR_INVALIDPIXELFORMAT;
        return HandOut(driver_.config().outputFormats, lpNumFormats, lpFormats);
    }
    STDMETHOD(GetFieldPolarity)(LPBOOL) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(GetVideoLine)(LPDWORD) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(GetVideoSignalStatus)(LPDWORD) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(SetColorControls)(LPDDCOLORCONTROL) override { return DDERR_UNSUPPORTED; }
    STDMETHOD(SetTargetSurface)(LPDIRECTDRAWSURFACE lpSurface, DWORD dwFlags) override;
    STDMETHOD(StartVideo)(LPDDVIDEOPORTINFO lpInfo) override { return Program(lpInfo, true); }
    STDMETHOD(StopVideo)() override
    {
        std::lock_guard<std::mutex> hold(driver_.lock());
        driver_.port().Stop();
        return DD_OK;
    }
    STDMETHOD(UpdateVideo)(LPDDVIDEOPORTINFO lpInfo) override { return Program(lpInfo, false); }
    STDMETHOD(WaitForSync)(DWORD, DWORD, DWORD) override { return DDERR_UNSUPPORTED; }

private:
    HRESULT Program(const DDVIDEOPORTINFO *lpInfo, bool start);

    DisplayDriver &driver_;
};

STDMETHODIMP VideoPort::GetBandwidthInfo(LPDDPIXELFORMAT lpFormat, DWORD, DWORD, DWORD dwFlags,
                                         LPDDVIDEOPORTBANDWIDTH lpBandwidth)
{
    const DisplayConfig &config = driver_.config();
    if (!lpFormat || !lpBandwidth)
        return DDERR_INVALIDPARAMS;
    ZeroMemory(lpBandwidth, sizeof(*lpBandwidth));
    lpBandwidth->dwSize = sizeof(*lpBandwidth);
    lpBandwidth->dwCaps = config.bandwidthCaps;
    if (dwFlags == DDVPB_TYPE)
        return DD_OK;
    if (dwFlags != DDVPB_OVERLAY && dwFlags != DDVPB_VIDEOPORT)
        return DDERR_INVALIDPARAMS;
    lpBandwidth->dwOverlay = config.bandwidthOverlay;
    lpBandwidth->dwColorkey = config.bandwidthColorkey;
    lpBandwidth->dwYInterpolate = config.bandwidthYInterpolate;
    lpBandwidth->dwYInterpAndColorkey = config.bandwidthYInterpAndColorkey;
    return DD_OK;
}

STDMETHODIMP VideoPort::SetTargetSurface(LPDIRECTDRAWSURFACE lpSurface, DWORD dwFlags)
{
    std::shared_ptr<SurfaceChain> chain = OverlayChainOf(lpSurface);
    if (!chain || dwFlags != DDVPTARGET_VIDEO)
        return DDERR_INVALIDPARAMS;
    std::lock_guard<std::mutex> hold(driver_.lock());
    driver_.port().SetTarget(chain);
    return DD_OK;
}

// What the port can do: prescale to at most prescaleMaxWidth pixels and a
// field's height, from its one input format.
static HRESULT CheckProgram(const DisplayConfig &config, const DDVIDEOPORTINFO &info, PortScaling *scaling)
{
    if (info.dwSize != sizeof(info) || !IsUyvy(info.lpddpfInputFormat))
        return DDERR_INVALIDPARAMS;
    scaling->interleave = (info.dwVPFlags & kVpInterleave) != 0;
    // Unscaled, a line is the field's full width, which the port must manage too.
    if (!(info.dwVPFlags & kVpPrescale))
        return (DWORD)kLineSamples > config.prescaleMaxWidth ? DDERR_INVALIDPARAMS : DD_OK;
    if (info.dwPrescaleWidth == 0 || info.dwPrescaleWidth > config.prescaleMaxWidth
        || info.dwPrescaleWidth > (DWORD)kLineSamples || info.dwPrescaleHeight == 0
        || info.dwPrescaleHeight > (DWORD)kFieldLines)
        return DDERR_INVALIDPARAMS;
    scaling->width = (int)info.dwPrescaleWidth;
    scaling->height = (int)info.dwPrescaleHeight;
    return DD_OK;
}

HRESULT VideoPort::Program(const DDVIDEOPORTINFO *lpInfo, bool start)
{
    PortScaling scaling;
    if (!lpInfo)
        return DDERR_INVALIDPARAMS;
    HRESULT hr = CheckProgram(driver_.config(), *lpInfo, &scaling);
    if (FAILED(hr))
        return hr;
    std::lock_guard<std::mutex> hold(driver_.lock());
    PortEngine &port = driver_.port();
    if (!port.target())
        return DDERR_INVALIDPARAMS;
    bool autoflip = (lpInfo->dwVPFlags & kVpAutoflip) && port.target()->count > 1;
    if (!start) {
        if (!port.running())
            return DDERR_INVALIDPARAMS;
        port.Update(scaling, autoflip);
        return DD_OK;
    }
    if (driver_.config().portStartRefused)
        return DDERR_CURRENTLYNOTAVAIL;
    port.Start(scaling, autoflip);
    return DD_OK;
}

// ---- the container ----

class VideoPortContainer : public ComObject<IDDVideoPortContainer> {
public:
    VideoPortContainer(DisplayDriver &driver, IDirectDraw *owner) : driver_(driver), owner_(owner)
    {
        owner_->AddRef();
    }
    ~VideoPortContainer() override { owner_->Release(); }

    STDMETHOD(QueryInterface)(REFIID riid, void **ppvObject) override
    {
        if (riid == IID_IUnknown || riid == IID_IDDVideoPortContainer)
            return Give(ppvObject);
        return owner_->QueryInterface(riid, ppvObject);
    }

    STDMETHOD(CreateVideoPort)(DWORD, LPDDVIDEOPORTDESC lpDesc, LPDIRECTDRAWVIDEOPORT *lplpVideoPort,
                               IUnknown *pUnkOuter) override;

    STDMETHOD(EnumVideoPorts)(DWORD, LPDDVIDEOPORTCAPS, LPVOID lpContext, LPDDENUMVIDEOCALLBACK lpCallback) override
    {
        for (DDVIDEOPORTCAPS caps : driver_.config().ports)
            if (lpCallback(&caps, lpContext) != DDENUMRET_OK)
                break;
        return DD_OK;
    }

    STDMETHOD(GetVideoPortConnectInfo)(DWORD dwPortId, LPDWORD lpNumEntries, LPDDVIDEOPORTCONNECT lpInfo) override
    {
        if (dwPortId >= driver_.config().ports.size())
            return DDERR_INVALIDPARAMS;
        return HandOut(driver_.config().connections, lpNumEntries, lpInfo);
    }

    STDMETHOD(QueryVideoPortStatus)(DWORD, LPDDVIDEOPORTSTATUS) override { return DDERR_UNSUPPORTED; }

private:
    DisplayDriver &driver_;
    IDirectDraw *owner_;
};

// The driver takes a connection of a type it lists, or of a width it lists.
static bool Offered(const DisplayConfig &config, const DDVIDEOPORTCONNECT &connect)
{
    for (const DDVIDEOPORTCONNECT &offered : config.connections)
        if (offered.guidTypeID == connect.guidTypeID || offered.dwPortWidth == connect.dwPortWidth)
            return true;
    return false;
}

STDMETHODIMP VideoPortContainer::CreateVideoPort(DWORD, LPDDVIDEOPORTDESC lpDesc,
                                                 LPDIRECTDRAWVIDEOPORT *lplpVideoPort, IUnknown *pUnkOuter)
{
    *lplpVideoPort = NULL;
    const DisplayConfig &config = driver_.config();
    if (pUnkOuter)
        return CLASS_E_NOAGGREGATION;
    if (!lpDesc || lpDesc->dwSize != sizeof(*lpDesc) || lpDesc->dwVideoPortID >= config.ports.size()
        || !Offered(config, lpDesc->VideoPortType))
        return DDERR_INVALIDPARAMS;
    if (config.portCreateRefused || !driver_.ClaimPort())
        return DDERR_CURRENTLYNOTAVAIL;
    *lplpVideoPort = new VideoPort(driver_);
    return DD_OK;
}

IDDVideoPortContainer *NewVideoPortContainer(DisplayDriver &driver, IDirectDraw *owner)
{
    return new VideoPortContainer(driver, owner);
}

}  // namespace sim
