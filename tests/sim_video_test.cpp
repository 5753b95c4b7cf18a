// The simulated card's video side, driven through its COM objects as the
// program drives them: the primary and the overlay flip chain, the video
// port writing fields of the test picture, the clipper's visible region,
// surface loss, and the driver's configured capabilities.
#include <gtest/gtest.h>

#include <vector>

#include "decoder/i2c.h"
#include "display/ddentry.h"
#include "display/ddraw5.h"
#include "sim/com.h"
#include "sim/testpicture.h"
#include "sim/vpflags.h"
#include "tests/support/simfixture.h"

namespace {

using sim::TestPicture;
using sim::Yuv;

const DWORD kUyvy = MAKEFOURCC('U', 'Y', 'V', 'Y');

template <class Interface>
void ReleaseObject(Interface *&object)
{
    if (object)
        object->Release();
    object = nullptr;
}

class SimVideoTest : public SimCardTest {
protected:
    void TearDown() override
    {
        ReleaseObject(port);
        ReleaseObject(overlay);
        ReleaseObject(primary);
        ReleaseObject(clipper);
        ReleaseObject(container);
        ReleaseObject(dd);
        for (HWND hwnd : windows)
            DestroyWindow(hwnd);
        EXPECT_EQ(0, sim::LiveComObjects());
        SimCardTest::TearDown();
    }

    void OpenDirectDraw()
    {
        ASSERT_EQ(DD_OK, CallDirectDrawCreate(NULL, &dd, NULL));
        ASSERT_EQ(DD_OK, dd->SetCooperativeLevel(NULL, DDSCL_NORMAL));
        ASSERT_EQ(DD_OK, dd->QueryInterface(IID_IDDVideoPortContainer, (void **)&container));
    }

    HRESULT CreatePrimary()
    {
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        return dd->CreateSurface(&desc, &primary, NULL);
    }

    HRESULT CreateOverlay(DWORD height, DWORD fourcc = kUyvy,
                          DWORD caps = DDSCAPS_OVERLAY | DDSCAPS_VIDEOMEMORY | DDSCAPS_VIDEOPORT | DDSCAPS_FLIP
                                       | DDSCAPS_COMPLEX)
    {
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT | DDSD_BACKBUFFERCOUNT;
        desc.ddsCaps.dwCaps = caps;
        desc.dwWidth = 720;
        desc.dwHeight = height;
        desc.dwBackBufferCount = 1;
        desc.ddpfPixelFormat = sim::FourccFormat(fourcc);
        return dd->CreateSurface(&desc, &overlay, NULL);
    }

    HRESULT CreatePort()
    {
        DDVIDEOPORTDESC desc = {};
        desc.dwSize = sizeof(desc);
        desc.dwFieldWidth = 720;
        desc.dwFieldHeight = 251;
        desc.VideoPortType = sim::VideoPortConnection(DDVPTYPE_CCIR656, 8);
        return container->CreateVideoPort(0, &desc, &port, NULL);
    }

    HRESULT StartPort(DWORD flags, DWORD width = 720, DWORD height = 251)
    {
        DDVIDEOPORTINFO info = {};
        info.dwSize = sizeof(info);
        info.dwVPFlags = flags;
        info.dwPrescaleWidth = width;
        info.dwPrescaleHeight = height;
        info.lpddpfInputFormat = &input;
        return port->StartVideo(&info);
    }

    // DirectDraw, the primary, a 251-line overlay chain and the port targeting it.
    void OpenVideo(DWORD overlayHeight = 251)
    {
        OpenDirectDraw();
        ASSERT_EQ(DD_OK, CreatePrimary());
        ASSERT_EQ(DD_OK, CreateOverlay(overlayHeight));
        ASSERT_EQ(DD_OK, CreatePort());
        ASSERT_EQ(DD_OK, port->SetTargetSurface(overlay, DDVPTARGET_VIDEO));
    }

    // The decoder as the program sets it up: composite, any field rate,
    // neutral picture controls, output on.
    static void TuneDecoder()
    {
        const BYTE regs[][2] = { { 0x02, 0xC3 }, { 0x08, 0x80 }, { 0x0A, 0x80 }, { 0x0B, 0x40 },
                                 { 0x0C, 0x40 }, { 0x0D, 0x00 }, { 0x11, 0x0C } };
        for (const auto &reg : regs)
            I2C_WriteReg(0x48, reg[0], reg[1]);
    }

    // The front buffer as the port left it, copied out between Lock and Unlock.
    struct Grab {
        std::vector<BYTE> bytes;
        LONG pitch = 0;
        Yuv At(int row, int x) const
        {
            const BYTE *pair = bytes.data() + row * pitch + (x & ~1) * 2;
            return { pair[1 + (x & 1) * 2], pair[0], pair[2] };
        }
    };
    Grab Lock(IDirectDrawSurface *surface, DWORD rows = 251)
    {
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof(desc);
        Grab grab;
        EXPECT_EQ(DD_OK, surface->Lock(NULL, &desc, DDLOCK_WAIT | DDLOCK_NOSYSLOCK, NULL));
        if (!desc.lpSurface)
            return grab;
        grab.pitch = desc.lPitch;
        const BYTE *bytes = (const BYTE *)desc.lpSurface;
        grab.bytes.assign(bytes, bytes + desc.lPitch * rows);
        EXPECT_EQ(DD_OK, surface->Unlock(NULL));
        return grab;
    }

    uint64_t CurrentField() { return card().clock().NowNs() / card().FieldPeriodNs(); }

    HWND NewWindow(int x, int y, int width, int height, DWORD style = WS_OVERLAPPEDWINDOW)
    {
        HWND hwnd = CreateWindowExA(0, "STATIC", "sim video test", style | WS_VISIBLE, x, y, width, height, NULL,
                                    NULL, GetModuleHandleA(NULL), NULL);
        EXPECT_NE(nullptr, hwnd);
        windows.push_back(hwnd);
        return hwnd;
    }

    IDirectDraw *dd = nullptr;
    IDDVideoPortContainer *container = nullptr;
    IDirectDrawVideoPort *port = nullptr;
    IDirectDrawSurface *primary = nullptr, *overlay = nullptr;
    IDirectDrawClipper *clipper = nullptr;
    DDPIXELFORMAT input = sim::FourccFormat(kUyvy);
    std::vector<HWND> windows;
};

void ExpectYuv(const Yuv &want, const Yuv &got, const char *where)
{
    EXPECT_EQ(want.y, got.y) << where;
    EXPECT_EQ(want.u, got.u) << where;
    EXPECT_EQ(want.v, got.v) << where;
}

// ---- the primary surface and the desktop ----

struct DesktopCase {
    const char *key;
    sim::DesktopFormat format;
    DWORD flags, bits, red, green, blue;
    DWORD fill;
    COLORREF shows;
};

const DesktopCase kDesktops[] = {
    { "desktop=8", sim::DesktopFormat::Palette8, DDPF_RGB | DDPF_PALETTEINDEXED8, 8, 0, 0, 0, 253, RGB(4, 4, 4) },
    { "desktop=565", sim::DesktopFormat::Rgb565, DDPF_RGB, 16, 0xF800, 0x07E0, 0x001F, 0xF81F, RGB(255, 0, 255) },
    { "desktop=555", sim::DesktopFormat::Rgb555, DDPF_RGB, 16, 0x7C00, 0x03E0, 0x001F, 0x03E0, RGB(0, 255, 0) },
    { "desktop=24", sim::DesktopFormat::Rgb24, DDPF_RGB, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456,
      RGB(0x12, 0x34, 0x56) },
    { "desktop=32", sim::DesktopFormat::Rgb32, DDPF_RGB, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0x0A0B0C,
      RGB(0x0A, 0x0B, 0x0C) },
};

class DesktopTest : public SimVideoTest, public ::testing::WithParamInterface<DesktopCase> {};

TEST_P(DesktopTest, PrimaryDescribesTheDesktopAndFillsShowItsColour)
{
    const DesktopCase &c = GetParam();
    Attach(c.key);
    OpenDirectDraw();
    ASSERT_EQ(DD_OK, CreatePrimary());
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(DD_OK, primary->GetSurfaceDesc(&desc));
    EXPECT_EQ((DWORD)(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT), desc.dwFlags);
    EXPECT_EQ((DWORD)GetSystemMetrics(SM_CXSCREEN), desc.dwWidth);
    EXPECT_EQ((DWORD)GetSystemMetrics(SM_CYSCREEN), desc.dwHeight);
    EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE);
    const DDPIXELFORMAT &pf = desc.ddpfPixelFormat;
    EXPECT_EQ(c.flags, pf.dwFlags);
    EXPECT_EQ(c.bits, pf.dwRGBBitCount);
    EXPECT_EQ(c.red, pf.dwRBitMask);
    EXPECT_EQ(c.green, pf.dwGBitMask);
    EXPECT_EQ(c.blue, pf.dwBBitMask);

    // A fill over the left half of the client area, in screen coordinates.
    HWND hwnd = NewWindow(100, 100, 300, 200);
    UpdateWindow(hwnd);
    ASSERT_EQ(DD_OK, CallDirectDrawCreateClipper(0, &clipper, NULL));
    ASSERT_EQ(DD_OK, clipper->SetHWnd(0, hwnd));
    ASSERT_EQ(DD_OK, primary->SetClipper(clipper));
    RECT client;
    GetClientRect(hwnd, &client);
    RECT screen = { 0, 0, client.right / 2, client.bottom };
    MapWindowPoints(hwnd, NULL, (POINT *)&screen, 2);
    DDBLTFX fx = {};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = c.fill;
    ASSERT_EQ(DD_OK, primary->Blt(&screen, NULL, NULL, DDBLT_COLORFILL | DDBLT_WAIT, &fx));
    HDC hdc = GetDC(hwnd);
    COLORREF inside = GetPixel(hdc, client.right / 4, client.bottom / 2);
    COLORREF outside = GetPixel(hdc, client.right * 3 / 4, client.bottom / 2);
    ReleaseDC(hwnd, hdc);
    EXPECT_EQ(c.shows, inside);
    EXPECT_NE(c.shows, outside);
    const sim::PrimaryFill &fill = card().driver().lastFill();
    EXPECT_EQ(1, fill.count);
    EXPECT_TRUE(EqualRect(&screen, &fill.rect));
    EXPECT_EQ(c.fill, fill.value);
}

INSTANTIATE_TEST_SUITE_P(Formats, DesktopTest, ::testing::ValuesIn(kDesktops));

TEST_F(SimVideoTest, ModeChangeLosesEverySurfaceUntilTheModeComesBack)
{
    sim::SimCard &card = Attach();
    OpenVideo();
    card.ChangeDisplayMode(sim::DesktopFormat::Rgb565);
    EXPECT_EQ(DDERR_SURFACELOST, primary->IsLost());
    EXPECT_EQ(DDERR_SURFACELOST, overlay->IsLost());
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof(desc);
    EXPECT_EQ(DDERR_SURFACELOST, overlay->Lock(NULL, &desc, DDLOCK_WAIT, NULL));
    EXPECT_EQ(DDERR_WRONGMODE, primary->Restore());
    EXPECT_EQ(DDERR_WRONGMODE, overlay->Restore());

    IDirectDrawSurface *second = primary;
    primary = nullptr;
    ASSERT_EQ(DD_OK, CreatePrimary());
    EXPECT_EQ(DD_OK, primary->IsLost());
    ASSERT_EQ(DD_OK, primary->GetSurfaceDesc(&desc));
    EXPECT_EQ(16u, desc.ddpfPixelFormat.dwRGBBitCount);
    EXPECT_EQ(0xF800u, desc.ddpfPixelFormat.dwRBitMask);

    card.ChangeDisplayMode(sim::DesktopFormat::Rgb32);
    EXPECT_EQ(DDERR_SURFACELOST, second->IsLost());
    EXPECT_EQ(DD_OK, second->Restore());
    EXPECT_EQ(DD_OK, second->IsLost());
    EXPECT_EQ(DD_OK, overlay->Restore());
    second->Release();
}

// ---- overlay surfaces ----

TEST_F(SimVideoTest, OverlayIsAFrontBufferWithItsOwnBackBuffer)
{
    Attach();
    OpenDirectDraw();
    ASSERT_EQ(DD_OK, CreateOverlay(502));
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(DD_OK, overlay->GetSurfaceDesc(&desc));
    EXPECT_EQ(720u, desc.dwWidth);
    EXPECT_EQ(502u, desc.dwHeight);
    EXPECT_GE(desc.lPitch, 1440);
    EXPECT_EQ(1u, desc.dwBackBufferCount);
    EXPECT_EQ(kUyvy, desc.ddpfPixelFormat.dwFourCC);

    DDSCAPS caps = { DDSCAPS_BACKBUFFER };
    IDirectDrawSurface *back = nullptr;
    ASSERT_EQ(DD_OK, overlay->GetAttachedSurface(&caps, &back));
    DDSURFACEDESC frontLock = {}, backLock = {};
    frontLock.dwSize = backLock.dwSize = sizeof(DDSURFACEDESC);
    ASSERT_EQ(DD_OK, overlay->Lock(NULL, &frontLock, DDLOCK_WAIT, NULL));
    ASSERT_EQ(DD_OK, back->Lock(NULL, &backLock, DDLOCK_WAIT, NULL));
    EXPECT_NE(frontLock.lpSurface, backLock.lpSurface);
    LONG distance = (LONG)((BYTE *)frontLock.lpSurface - (BYTE *)backLock.lpSurface);
    EXPECT_GE(labs(distance), desc.lPitch * 502);
    EXPECT_EQ(DDERR_SURFACEBUSY, overlay->Lock(NULL, &frontLock, DDLOCK_WAIT, NULL));
    overlay->Unlock(NULL);
    back->Unlock(NULL);
    back->Release();
}

struct OverlayRequestCase {
    const char *config;
    DWORD height, fourcc, caps;
    HRESULT result;
};

const DWORD kChainCaps = DDSCAPS_OVERLAY | DDSCAPS_VIDEOMEMORY | DDSCAPS_VIDEOPORT | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
const DWORD kYuy2 = MAKEFOURCC('Y', 'U', 'Y', '2');

const OverlayRequestCase kOverlayRequests[] = {
    { "", 502, kUyvy, kChainCaps, DD_OK },
    { "overlaymax=251", 502, kUyvy, kChainCaps, DDERR_OUTOFVIDEOMEMORY },
    { "overlaymax=251", 251, kUyvy, kChainCaps, DD_OK },
    { "overlaymax=0", 251, kUyvy, kChainCaps, DDERR_OUTOFVIDEOMEMORY },
    { "overlay=absent", 251, kUyvy, kChainCaps, DDERR_NOOVERLAYHW },
    { "", 251, kUyvy, DDSCAPS_OVERLAY | DDSCAPS_VIDEOMEMORY | DDSCAPS_VIDEOPORT, DDERR_INVALIDCAPS },
    { "", 251, kUyvy, kChainCaps & ~DDSCAPS_COMPLEX, DDERR_INVALIDPARAMS },
    { "", 251, kYuy2, kChainCaps, DDERR_INVALIDPIXELFORMAT },
    { "outputformats=rgb565+yuy2", 251, kYuy2, kChainCaps, DD_OK },
    { "outputformats=rgb565+yuy2", 251, kUyvy, kChainCaps, DDERR_INVALIDPIXELFORMAT },
};

class OverlayRequestTest : public SimVideoTest, public ::testing::WithParamInterface<OverlayRequestCase> {};

TEST_P(OverlayRequestTest, VideoMemoryHoldsWhatTheCardOffers)
{
    const OverlayRequestCase &c = GetParam();
    Attach(c.config);
    OpenDirectDraw();
    EXPECT_EQ(c.result, CreateOverlay(c.height, c.fourcc, c.caps));
    EXPECT_EQ(c.result == DD_OK, overlay != nullptr);
}

INSTANTIATE_TEST_SUITE_P(Requests, OverlayRequestTest, ::testing::ValuesIn(kOverlayRequests));

TEST_F(SimVideoTest, CapsReportTheConfiguredAlignment)
{
    sim::SimConfig config;
    config.clock = sim::Clock::Mode::Stepped;
    config.display.alignBoundarySrc = 4;
    config.display.alignSizeDest = 8;
    Attach(config);
    OpenDirectDraw();
    DDCAPS caps = {};
    caps.dwSize = sizeof(caps);
    ASSERT_EQ(DD_OK, dd->GetCaps(&caps, NULL));
    EXPECT_EQ((DWORD)(DDCAPS_OVERLAY | DDCAPS_ALIGNBOUNDARYSRC | DDCAPS_ALIGNSIZEDEST), caps.dwCaps);
    EXPECT_EQ(4u, caps.dwAlignBoundarySrc);
    EXPECT_EQ(8u, caps.dwAlignSizeDest);
    EXPECT_EQ(0u, caps.dwAlignSizeSrc);
    EXPECT_TRUE(caps.dwCaps2 & DDCAPS2_VIDEOPORT);

    // The overlay takes only rectangles so aligned.
    ASSERT_EQ(DD_OK, CreatePrimary());
    ASSERT_EQ(DD_OK, CreateOverlay(251));
    RECT src = { 2, 0, 720, 251 }, dest = { 0, 0, 360, 240 };
    EXPECT_EQ(DDERR_XALIGN, overlay->UpdateOverlay(&src, primary, &dest, DDOVER_SHOW, NULL));
    src.left = 4;
    EXPECT_EQ(DD_OK, overlay->UpdateOverlay(&src, primary, &dest, DDOVER_SHOW, NULL));
    dest.right = 361;
    EXPECT_EQ(DDERR_XALIGN, overlay->UpdateOverlay(&src, primary, &dest, DDOVER_SHOW, NULL));
}

TEST_F(SimVideoTest, UpdateOverlayShowsHidesAndKeysOnThePrimarysKey)
{
    sim::SimCard &card = Attach();
    OpenVideo();
    RECT src = { 0, 11, 720, 251 }, dest = { 10, 20, 370, 260 };
    const DWORD show = DDOVER_SHOW | DDOVER_BOB | DDOVER_AUTOFLIP;
    EXPECT_EQ(DDERR_NOCOLORKEY, overlay->UpdateOverlay(&src, primary, &dest, show | DDOVER_KEYDEST, NULL));
    EXPECT_FALSE(card.driver().overlay().chain);
    DDCOLORKEY key = { 0x000404, 0x000404 };
    ASSERT_EQ(DD_OK, primary->SetColorKey(DDCKEY_DESTOVERLAY, &key));
    ASSERT_EQ(DD_OK, overlay->UpdateOverlay(&src, primary, &dest, show | DDOVER_KEYDEST, NULL));
    const sim::OverlayPlacement &shown = card.driver().overlay();
    ASSERT_TRUE(shown.chain);
    EXPECT_TRUE(EqualRect(&src, &shown.src));
    EXPECT_TRUE(EqualRect(&dest, &shown.dest));
    EXPECT_TRUE(shown.keyed);
    EXPECT_EQ(RGB(0x00, 0x04, 0x04), shown.key);

    ASSERT_EQ(DD_OK, overlay->UpdateOverlay(NULL, primary, NULL, show, NULL));
    EXPECT_FALSE(card.driver().overlay().keyed);
    EXPECT_EQ((LONG)251, card.driver().overlay().src.bottom);
    EXPECT_EQ((LONG)GetSystemMetrics(SM_CXSCREEN), card.driver().overlay().dest.right);
    RECT offScreen = { -10, 0, 100, 100 };
    EXPECT_EQ(DDERR_INVALIDRECT, overlay->UpdateOverlay(&src, primary, &offScreen, show, NULL));
    ASSERT_EQ(DD_OK, overlay->UpdateOverlay(NULL, primary, NULL, DDOVER_HIDE, NULL));
    EXPECT_FALSE(card.driver().overlay().chain);
}

TEST_F(SimVideoTest, RefusedKeyingLeavesTheOverlayAsItWas)
{
    sim::SimCard &card = Attach("keydest=refused");
    OpenVideo();
    DDCOLORKEY key = { 0x000404, 0x000404 };
    ASSERT_EQ(DD_OK, primary->SetColorKey(DDCKEY_DESTOVERLAY, &key));
    RECT dest = { 0, 0, 360, 240 };
    const DWORD show = DDOVER_SHOW | DDOVER_BOB | DDOVER_AUTOFLIP;
    EXPECT_TRUE(FAILED(overlay->UpdateOverlay(NULL, primary, &dest, show | DDOVER_KEYDEST, NULL)));
    EXPECT_FALSE(card.driver().overlay().chain);
    ASSERT_EQ(DD_OK, overlay->UpdateOverlay(NULL, primary, &dest, show, NULL));
    EXPECT_TRUE(card.driver().overlay().chain);
    EXPECT_FALSE(card.driver().overlay().keyed);
}

// ---- the port's lists and figures ----

struct ConnectionCase {
    const char *config;
    std::vector<std::pair<GUID, DWORD>> entries;
};

class ConnectionTest : public SimVideoTest, public ::testing::WithParamInterface<ConnectionCase> {};

TEST_P(ConnectionTest, ConnectInfoListsTheConfiguredConnections)
{
    Attach(GetParam().config);
    OpenDirectDraw();
    DWORD count = 99;
    ASSERT_EQ(DD_OK, container->GetVideoPortConnectInfo(0, &count, NULL));
    const auto &entries = GetParam().entries;
    ASSERT_EQ(entries.size(), count);
    std::vector<DDVIDEOPORTCONNECT> got(count + 1);
    ASSERT_EQ(DD_OK, container->GetVideoPortConnectInfo(0, &count, got.data()));
    for (size_t i = 0; i < entries.size(); i++) {
        EXPECT_EQ(sizeof(DDVIDEOPORTCONNECT), got[i].dwSize);
        EXPECT_TRUE(entries[i].first == got[i].guidTypeID) << i;
        EXPECT_EQ(entries[i].second, got[i].dwPortWidth);
        EXPECT_EQ((DWORD)DDVPCONNECT_INTERLACED, got[i].dwFlags);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ConnectionTest,
    ::testing::Values(ConnectionCase{ "", { { DDVPTYPE_CCIR656, 8 } } }, ConnectionCase{ "connections=none", {} },
                      ConnectionCase{ "connections=ccir656:16", { { DDVPTYPE_CCIR656, 16 } } },
                      ConnectionCase{ "connections=philips:8+ccir656:8",
                                      { { sim::kVpTypePhilips, 8 }, { DDVPTYPE_CCIR656, 8 } } }));

TEST_F(SimVideoTest, OutputFormatsAreTheConfiguredListInOrder)
{
    Attach("outputformats=rgb565+uyvy+yuy2+uyvy");
    OpenDirectDraw();
    ASSERT_EQ(DD_OK, CreatePort());
    DWORD count = 0;
    ASSERT_EQ(DD_OK, port->GetOutputFormats(&input, &count, NULL, DDVPFORMAT_VIDEO));
    ASSERT_EQ(4u, count);
    DDPIXELFORMAT formats[4] = {};
    ASSERT_EQ(DD_OK, port->GetOutputFormats(&input, &count, formats, DDVPFORMAT_VIDEO));
    EXPECT_EQ((DWORD)DDPF_RGB, formats[0].dwFlags);
    EXPECT_EQ(0xF800u, formats[0].dwRBitMask);
    EXPECT_EQ(kUyvy, formats[1].dwFourCC);
    EXPECT_EQ(kYuy2, formats[2].dwFourCC);
    EXPECT_EQ(kUyvy, formats[3].dwFourCC);
    EXPECT_EQ(16u, formats[3].dwYUVBitCount);
    DDPIXELFORMAT rgb = sim::Rgb565Format();
    EXPECT_EQ(DDERR_INVALIDPIXELFORMAT, port->GetOutputFormats(&rgb, &count, NULL, DDVPFORMAT_VIDEO));
}

TEST_F(SimVideoTest, BandwidthAnswersTheTypeAndTheFigures)
{
    Attach("bandwidth=source,bandwidthfigures=1100+2200+3300+4400");
    OpenDirectDraw();
    ASSERT_EQ(DD_OK, CreatePort());
    DDPIXELFORMAT uyvy = sim::FourccFormat(kUyvy);
    DDVIDEOPORTBANDWIDTH bw = {};
    bw.dwSize = sizeof(bw);
    ASSERT_EQ(DD_OK, port->GetBandwidthInfo(&uyvy, 0, 0, DDVPB_TYPE, &bw));
    EXPECT_EQ((DWORD)DDVPBCAPS_SOURCE, bw.dwCaps);
    ASSERT_EQ(DD_OK, port->GetBandwidthInfo(&uyvy, 720, 251, DDVPB_OVERLAY, &bw));
    EXPECT_EQ(1100u, bw.dwOverlay);
    EXPECT_EQ(2200u, bw.dwColorkey);
    EXPECT_EQ(3300u, bw.dwYInterpolate);
    EXPECT_EQ(4400u, bw.dwYInterpAndColorkey);
}

TEST_F(SimVideoTest, PortCreationAndStartCanBeRefused)
{
    Attach("portcreate=refused");
    OpenDirectDraw();
    EXPECT_EQ(DDERR_CURRENTLYNOTAVAIL, CreatePort());
    EXPECT_EQ(nullptr, port);
    ReleaseObject(container);
    ReleaseObject(dd);

    Attach("portstart=refused");
    OpenVideo();
    EXPECT_EQ(DDERR_CURRENTLYNOTAVAIL, StartPort(sim::kVpAutoflip | sim::kVpConvert));
    IDirectDrawVideoPort *second = nullptr;
    DDVIDEOPORTDESC desc = {};
    desc.dwSize = sizeof(desc);
    desc.VideoPortType = sim::VideoPortConnection(DDVPTYPE_CCIR656, 8);
    EXPECT_EQ(DDERR_CURRENTLYNOTAVAIL, container->CreateVideoPort(0, &desc, &second, NULL));
    desc.VideoPortType = sim::VideoPortConnection(sim::kVpTypePhilips, 16);    // neither type nor width listed
    EXPECT_EQ(DDERR_INVALIDPARAMS, container->CreateVideoPort(0, &desc, &second, NULL));
}

TEST_F(SimVideoTest, PrescaleWiderThanThePortTakesIsRefused)
{
    Attach("prescalemax=180");
    OpenVideo();
    const DWORD flags = sim::kVpAutoflip | sim::kVpConvert | sim::kVpPrescale;
    for (DWORD width : { 720u, 360u })
        EXPECT_EQ(DDERR_INVALIDPARAMS, StartPort(flags, width, 251)) << width;
    EXPECT_EQ(DDERR_INVALIDPARAMS, StartPort(flags, 180, 252));
    EXPECT_EQ(DD_OK, StartPort(flags, 180, 251));
    EXPECT_EQ(DD_OK, port->StopVideo());
}

// ---- fields in the overlay ----

TEST_F(SimVideoTest, FieldHoldsBlankingThenEveryOtherRowOfTheBars)
{
    Attach();
    TuneDecoder();
    OpenVideo();
    ASSERT_EQ(DD_OK, StartPort(sim::kVpAutoflip | sim::kVpConvert));
    Grab field = Lock(overlay);
    ASSERT_FALSE(field.bytes.empty());
    for (int row : { 0, 5, 10 })
        for (int x : { 0, 359, 719 })
            ExpectYuv(TestPicture::kBlack, field.At(row, x), "blanking");
    for (int row : { 11, 100, 170 })
        for (int bar = 0; bar < 8; bar++)
            for (int x : { bar * 90, bar * 90 + 89 })
                ExpectYuv(TestPicture::kBars[bar], field.At(row, x), "bar");

    // The block of frame field / 2 on frame row 360 + 2 (even field: line 11 + 181).
    int frame = (int)(CurrentField() / 2);
    int parity = (int)(CurrentField() % 2);
    int line = 11 + (362 - parity) / 2;
    int left = TestPicture::BlockLeft(frame);
    ExpectYuv(TestPicture::kWhite, field.At(line, left), "block");
    ExpectYuv(TestPicture::kWhite, field.At(line, left + 31), "block");
    ExpectYuv(TestPicture::kBlack, field.At(line, left + 32), "after the block");
}

TEST_F(SimVideoTest, ChainAutoflipsFrontHoldsTheLatestFieldBackThePrevious)
{
    Attach();
    TuneDecoder();
    OpenVideo();
    ASSERT_EQ(DD_OK, StartPort(sim::kVpAutoflip | sim::kVpConvert));
    DDSCAPS caps = { DDSCAPS_BACKBUFFER };
    IDirectDrawSurface *back = nullptr;
    ASSERT_EQ(DD_OK, overlay->GetAttachedSurface(&caps, &back));
    // Five frames on: the block has moved 40 pixels, the parity is the clock's.
    card().clock().Sleep(167);
    Grab front = Lock(overlay), previous = Lock(back);
    back->Release();
    uint64_t field = CurrentField();
    // Frame row 0 or 1 is bars either way; the block row tells the frames apart.
    auto blockAt = [](const Grab &grab, uint64_t index) {
        int line = 11 + (362 - (int)(index % 2)) / 2;
        return grab.At(line, TestPicture::BlockLeft((int)(index / 2))).y;
    };
    EXPECT_EQ(TestPicture::kWhite.y, blockAt(front, field));
    EXPECT_EQ(TestPicture::kWhite.y, blockAt(previous, field - 1));
    ASSERT_NE(TestPicture::BlockLeft((int)(field / 2)), TestPicture::BlockLeft((int)(field / 2) - 5));
    int oldLine = 11 + (362 - (int)(field % 2)) / 2;
    EXPECT_EQ(TestPicture::kBlack.y, front.At(oldLine, TestPicture::BlockLeft((int)(field / 2) - 5)).y);
}

TEST_F(SimVideoTest, FrameCounterShowsTheFrameNumber)
{
    Attach();
    TuneDecoder();
    OpenVideo();
    card().clock().Sleep(1000);     // field 59 or 60: frame 29 or 30
    ASSERT_EQ(DD_OK, StartPort(sim::kVpAutoflip | sim::kVpConvert));
    Grab field = Lock(overlay);
    int frame = (int)(CurrentField() / 2), parity = (int)(CurrentField() % 2);
    // Dot (column, dotRow) of digit d, at the centre of its 8 x 8 pixels, on a row of this field.
    auto dot = [&](int digit, int column, int dotRow) {
        int row = TestPicture::kDigitsTop + dotRow * 8 + 2 + parity;
        return field.At(11 + row / 2, TestPicture::kDigitsLeft + digit * 48 + column * 8 + 4).y;
    };
    ASSERT_TRUE(frame == 29 || frame == 30) << frame;
    // The tens, 2 or 3: the bottom row of "2" is a full bar, of "3" its middle three dots.
    EXPECT_EQ(frame == 29 ? TestPicture::kWhite.y : TestPicture::kBlack.y, dot(4, 0, 6));
    EXPECT_EQ(TestPicture::kWhite.y, dot(4, 2, 6));
    // The hundreds, 0: its second row has the outer dots only.
    EXPECT_EQ(TestPicture::kWhite.y, dot(3, 0, 1));
    EXPECT_EQ(TestPicture::kBlack.y, dot(3, 2, 1));
}

TEST_F(SimVideoTest, PrescalingScalesTheLineAndTheField)
{
    Attach();
    TuneDecoder();
    OpenVideo();
    ASSERT_EQ(DD_OK, StartPort(sim::kVpAutoflip | sim::kVpConvert | sim::kVpPrescale, 360, 125));
    Grab field = Lock(overlay);
    // 125 rows of 251: row r from field line r x 251 / 125, so rows 0-5 are blanking.
    for (int row : { 0, 5 })
        ExpectYuv(TestPicture::kBlack, field.At(row, 100), "blanking");
    // Bars of 45 pixels: an odd edge shares its pair, and so its U and V, with the next bar.
    for (int bar = 0; bar < 8; bar++) {
        ExpectYuv(TestPicture::kBars[bar], field.At(6, bar * 45 + 22), "half-width bar");
        EXPECT_EQ(TestPicture::kBars[bar].y, field.At(6, bar * 45).y) << bar;
        EXPECT_EQ(TestPicture::kBars[bar].y, field.At(6, bar * 45 + 44).y) << bar;
    }
    // Past the prescaled picture the port left the surface alone.
    EXPECT_EQ(0, field.At(6, 400).y);
    EXPECT_EQ(0, field.At(130, 100).y);
}

struct DecoderCase {
    const char *name;
    const char *config;
    BYTE reg, value;
    Yuv yellow;     // what bar 1 (Y A2, U 2C, V 8E) becomes
};

const DecoderCase kDecoderCases[] = {
    { "neutral", "", 0x0A, 0x80, { 0xA2, 0x2C, 0x8E } },
    { "saturation 0 is grey", "", 0x0C, 0x00, { 0xA2, 0x80, 0x80 } },
    { "saturation doubled, clamped", "", 0x0C, 0x80, { 0xA2, 0x00, 0x9C } },
    { "brightness +20", "", 0x0A, 0x94, { 0xB6, 0x2C, 0x8E } },
    { "contrast doubled", "", 0x0B, 0x80, { 0xFF, 0x2C, 0x8E } },
    { "contrast halved", "", 0x0B, 0x20, { 0x59, 0x2C, 0x8E } },
    // Hue 64 turns U/V by 90 degrees: u' = -v, v' = u (u = -84, v = 14).
    { "hue 90 degrees", "", 0x0D, 0x40, { 0xA2, 0x72, 0x2C } },
    { "output off", "", 0x11, 0x84, { 0x10, 0x80, 0x80 } },
    { "S-Video selected, composite carries", "", 0x02, 0xC4, { 0x10, 0x80, 0x80 } },
    { "no signal", "source=none", 0x0A, 0x80, { 0x10, 0x80, 0x80 } },
};

class DecoderStateTest : public SimVideoTest, public ::testing::WithParamInterface<DecoderCase> {};

TEST_P(DecoderStateTest, DecoderStateActsOnThePicture)
{
    const DecoderCase &c = GetParam();
    Attach(c.config);
    TuneDecoder();
    I2C_WriteReg(0x48, c.reg, c.value);
    OpenVideo();
    ASSERT_EQ(DD_OK, StartPort(sim::kVpAutoflip | sim::kVpConvert));
    Grab field = Lock(overlay);
    ExpectYuv(c.yellow, field.At(50, 135), c.name);
    ExpectYuv(TestPicture::kBlack, field.At(5, 135), c.name);
}

INSTANTIATE_TEST_SUITE_P(Controls, DecoderStateTest, ::testing::ValuesIn(kDecoderCases));

// ---- the clipper ----

class ClipListTest : public SimVideoTest {
protected:
    void SetUp() override
    {
        SimVideoTest::SetUp();
        Attach();
        ASSERT_EQ(DD_OK, CallDirectDrawCreateClipper(0, &clipper, NULL));
    }

    std::vector<RECT> ClipList(HWND hwnd)
    {
        EXPECT_EQ(DD_OK, clipper->SetHWnd(0, hwnd));
        DWORD size = 0;
        EXPECT_EQ(DD_OK, clipper->GetClipList(NULL, NULL, &size));
        std::vector<BYTE> data(size);
        DWORD small = size - 1;
        EXPECT_EQ(DDERR_REGIONTOOSMALL, clipper->GetClipList(NULL, (RGNDATA *)data.data(), &small));
        EXPECT_EQ(DD_OK, clipper->GetClipList(NULL, (RGNDATA *)data.data(), &size));
        const RGNDATA *region = (const RGNDATA *)data.data();
        EXPECT_EQ(32u, region->rdh.dwSize);
        EXPECT_EQ(32u + region->rdh.nCount * sizeof(RECT), size);
        const RECT *rects = (const RECT *)region->Buffer;
        return std::vector<RECT>(rects, rects + region->rdh.nCount);
    }

    static RECT ClientOnScreen(HWND hwnd)
    {
        RECT client;
        GetClientRect(hwnd, &client);
        MapWindowPoints(hwnd, NULL, (POINT *)&client, 2);
        return client;
    }

    static LONG Area(const std::vector<RECT> &rects)
    {
        LONG area = 0;
        for (const RECT &r : rects)
            area += (r.right - r.left) * (r.bottom - r.top);
        return area;
    }
};

TEST_F(ClipListTest, WindowWithAnotherOverACornerHasTheRestOfItsClientArea)
{
    HWND main = NewWindow(100, 100, 400, 300);
    RECT client = ClientOnScreen(main);
    HWND over = NewWindow(client.right - 100, client.bottom - 80, 200, 200, WS_POPUP);
    SetWindowPos(over, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    std::vector<RECT> rects = ClipList(main);
    ASSERT_GE(rects.size(), 2u);
    LONG width = client.right - client.left, height = client.bottom - client.top;
    EXPECT_EQ(width * height - 100 * 80, Area(rects));
    POINT covered = { client.right - 50, client.bottom - 40 }, visible = { client.left + 10, client.top + 10 };
    bool coveredIn = false, visibleIn = false;
    for (const RECT &r : rects) {
        RECT inside;
        EXPECT_TRUE(IntersectRect(&inside, &r, &client) && EqualRect(&inside, &r));
        coveredIn |= PtInRect(&r, covered) != FALSE;
        visibleIn |= PtInRect(&r, visible) != FALSE;
    }
    EXPECT_FALSE(coveredIn);
    EXPECT_TRUE(visibleIn);

    BOOL changed = TRUE;
    ASSERT_EQ(DD_OK, clipper->IsClipListChanged(&changed));
    EXPECT_FALSE(changed);
    ShowWindow(over, SW_HIDE);
    ASSERT_EQ(DD_OK, clipper->IsClipListChanged(&changed));
    EXPECT_TRUE(changed);
    EXPECT_EQ(1u, ClipList(main).size());
}

TEST_F(ClipListTest, WindowPartlyOffTheScreenIsClippedToIt)
{
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    HWND main = NewWindow(cx - 200, cy - 150, 400, 300);
    RECT client = ClientOnScreen(main);
    std::vector<RECT> rects = ClipList(main);
    ASSERT_EQ(1u, rects.size());
    RECT want = { client.left, client.top, cx, cy };
    EXPECT_TRUE(EqualRect(&want, &rects[0]));
}

TEST_F(ClipListTest, MinimisedWindowHasNoRectangles)
{
    HWND main = NewWindow(100, 100, 400, 300);
    ShowWindow(main, SW_MINIMIZE);
    EXPECT_TRUE(ClipList(main).empty());
    BOOL changed = TRUE;
    ASSERT_EQ(DD_OK, clipper->IsClipListChanged(&changed));
    EXPECT_FALSE(changed);
}

// ---- configuration ----

TEST_F(SimVideoTest, VideoSettingsRefuseValuesTheCardCannotTake)
{
    for (const char *text : { "desktop=16", "overlaymax=x", "prescalemax=0", "keydest=maybe", "portstart=",
                              "outputformats=rgb32", "outputformats=uyvy+", "connections=ccir656:12",
                              "connections=zv:8", "bandwidth=both", "bandwidthfigures=1+2+3" }) {
        sim::SimConfig config;
        std::string error;
        EXPECT_FALSE(sim::ParseSimConfig(text, &config, &error)) << text;
        EXPECT_NE(std::string::npos, error.find(text)) << error;
    }
}

}  // namespace
