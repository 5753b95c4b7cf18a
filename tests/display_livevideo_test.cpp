// The live-video pipeline on the simulated card's display driver: the
// port, the surfaces and colour key, the placement over a real window, the
// tracking by timer 1 and the quiet rebuild.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "common/state.h"
#include "display/ddobjects.h"
#include "display/livevideo.h"
#include "display/placement.h"
#include "display/videoport.h"
#include "sim/com.h"
#include "sim/driver.h"
#include "tests/support/appfixture.h"

namespace {

const char kNoOverlay[] = "Can't play live video. Please change to other display\n"
                          "modes or close other video players, then run again.";

class LiveVideoTest : public AppTest {
protected:
    // A card, the main window (its start message taken off the queue) and
    // the DirectDraw objects, as start-up leaves them.
    sim::SimCard &Open(const std::string &config = "")
    {
        sim::SimCard &card = Attach(config);
        return Open(card);
    }

    sim::SimCard &Open(sim::SimCard &card)
    {
        bKeyAlways = bVideoStarting = bSurfaceCreateFailed = 0;
        bRestartPending = 0;
        SetRectEmpty(&rcLastDest);
        nLastClipState = -1;
        InitVideoPortSettings();
        EXPECT_EQ(1, CreateDirectDrawObjects(0));
        EXPECT_EQ(1, CreateMainWindow(GetModuleHandleA(NULL), SW_SHOWNORMAL));
        MSG msg;
        PeekMessageA(&msg, hwndMain, 1124, 1124, PM_REMOVE);
        return card;
    }

    void TearDown() override
    {
        ReleaseDirectDrawObjects();
        EXPECT_EQ(0, sim::LiveComObjects());
        AppTest::TearDown();
    }

    int OpenAndStartPort() { return OpenVideoPort() && StartVideoPort(hwndMain); }

    const sim::OverlayPlacement &Overlay() { return card().driver().overlay(); }

    DDSURFACEDESC OverlayDesc()
    {
        DDSURFACEDESC ddsd;
        ZeroMemory(&ddsd, sizeof(ddsd));
        ddsd.dwSize = sizeof(ddsd);
        EXPECT_EQ(DD_OK, lpOverlaySurface->GetSurfaceDesc(&ddsd));
        return ddsd;
    }

    bool QuitPosted()
    {
        MSG msg;
        return PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
    }

    RECT ClientOnScreen()
    {
        RECT rc;
        EXPECT_EQ(1, GetClientScreenRect(&rc));
        return rc;
    }

    void SetClientSize(int cw, int ch)
    {
        RECT rc = { 0, 0, cw, ch };
        AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, TRUE);
        SetWindowPos(hwndMain, NULL, 100, 100, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER);
        RECT client;
        GetClientRect(hwndMain, &client);
        ASSERT_EQ(cw, client.right);
        ASSERT_EQ(ch, client.bottom);
    }
};

TEST_F(LiveVideoTest, StartsTheVideoOverTheWholeClientArea)
{
    Open();
    StartLiveVideo(hwndMain);
    EXPECT_TRUE(recorder.boxes().empty());
    ASSERT_NE(nullptr, Overlay().chain);
    RECT client = ClientOnScreen();
    EXPECT_TRUE(EqualRect(&client, &Overlay().dest));
    EXPECT_FALSE(Overlay().keyed);
    RECT src = { 8, 11, 712, 251 };
    EXPECT_TRUE(EqualRect(&src, &Overlay().src));
    EXPECT_TRUE(card().driver().port().running());
    EXPECT_EQ(0, bVideoStarting);
    EXPECT_EQ(720u, dwVideoWidth);
    EXPECT_EQ(480u, dwVideoHeight);
    EXPECT_TRUE(KillTimer(hwndMain, 1));        // tracking runs
    // Interleave offered: the overlay is two fields high.
    EXPECT_EQ(502u, OverlayDesc().dwHeight);
}

struct KeyCase {
    const char *desktop;
    DWORD key;
};

class ColorKeyTest : public LiveVideoTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ColorKeyTest, KeyIsRed4Green4Blue4InTheDesktopsLayout)
{
    Open(std::string("desktop=") + GetParam().desktop);
    EXPECT_EQ(1u, dwColorKey);
    PaintColorKey();                            // no key yet: nothing painted
    EXPECT_EQ(0, card().driver().lastFill().count);
    ASSERT_EQ(1, OpenAndStartPort());
    EXPECT_EQ(GetParam().key, dwColorKey);
    PaintColorKey();
    EXPECT_EQ(GetParam().key, card().driver().lastFill().value);
    RECT client = ClientOnScreen();
    EXPECT_TRUE(EqualRect(&client, &card().driver().lastFill().rect));
}

INSTANTIATE_TEST_SUITE_P(Display, ColorKeyTest,
                         ::testing::Values(KeyCase{ "8", 0xFD }, KeyCase{ "565", 0x2084 }, KeyCase{ "555", 0x1084 },
                                           KeyCase{ "24", 0x040404 }, KeyCase{ "32", 0x040404 }));

TEST_F(LiveVideoTest, TwoFieldOverlayFallsBackToOneField)
{
    Open("overlaymax=251");
    ASSERT_EQ(1, OpenAndStartPort());
    EXPECT_EQ(251u, OverlayDesc().dwHeight);
    EXPECT_EQ(720u, OverlayDesc().dwWidth);
}

TEST_F(LiveVideoTest, NoOverlaySurfaceEndsTheApplicationWithTheFinalMessage)
{
    Open("overlaymax=0");
    StartLiveVideo(hwndMain);
    ASSERT_EQ(1u, recorder.boxes().size());
    EXPECT_EQ(kNoOverlay, recorder.boxes()[0].text);
    EXPECT_EQ(0x40030u, recorder.boxes()[0].flags);
    EXPECT_EQ(hwndMain, recorder.boxes()[0].owner);
    EXPECT_EQ(1, bSurfaceCreateFailed);
    EXPECT_FALSE(IsWindowVisible(hwndMain));
    EXPECT_EQ(nullptr, lpDirectDraw);
    EXPECT_TRUE(QuitPosted());
}

TEST_F(LiveVideoTest, PortWithoutAutoflipNeverGetsAnOverlay)
{
    sim::SimConfig config;
    config.clock = sim::Clock::Mode::Stepped;
    config.display.ports[0].dwCaps = 0;
    Open(Attach(config));
    StartLiveVideo(hwndMain);
    ASSERT_EQ(1u, recorder.boxes().size());
    EXPECT_EQ(kNoOverlay, recorder.boxes()[0].text);
}

TEST_F(LiveVideoTest, PortNotCreatedEndsTheApplication)
{
    Open("portcreate=refused");
    StartLiveVideo(hwndMain);
    ASSERT_EQ(1u, recorder.boxes().size());
    EXPECT_EQ("Unable to create the video port object", recorder.boxes()[0].text);
    EXPECT_EQ(0x40010u, recorder.boxes()[0].flags);
    EXPECT_EQ(hwndMain, recorder.boxes()[0].owner);
    EXPECT_FALSE(IsWindowVisible(hwndMain));
    EXPECT_EQ(nullptr, lpDirectDraw);
    EXPECT_TRUE(QuitPosted());
}

TEST_F(LiveVideoTest, PortNotStartedLeavesTheWindowOpenWithoutVideo)
{
    Open("portstart=refused");
    StartLiveVideo(hwndMain);
    ASSERT_EQ(1u, recorder.boxes().size());
    EXPECT_EQ("Unable to start video port ", recorder.boxes()[0].text);
    EXPECT_EQ(0x40010u, recorder.boxes()[0].flags);
    EXPECT_TRUE(IsWindowVisible(hwndMain));
    EXPECT_NE(nullptr, lpDirectDraw);           // nothing released
    EXPECT_FALSE(KillTimer(hwndMain, 1));       // and no timer to try again
    EXPECT_FALSE(QuitPosted());
}

struct FormatCase {
    const char *formats;
    DWORD fourcc;
};

class OutputFormatTest : public LiveVideoTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(OutputFormatTest, LastUyvyOrElseTheFirst)
{
    Open(std::string("outputformats=") + GetParam().formats);
    ASSERT_EQ(1, OpenVideoPort());
    ASSERT_EQ(1, ChoosePortOutputFormat());
    EXPECT_EQ(GetParam().fourcc, ddpfPortOutput.dwFourCC);
    EXPECT_EQ((DWORD)DDPF_FOURCC, ddpfPortInput.dwFlags);
    EXPECT_EQ(MAKEFOURCC('U', 'Y', 'V', 'Y'), ddpfPortInput.dwFourCC);
}

INSTANTIATE_TEST_SUITE_P(Display, OutputFormatTest,
                         ::testing::Values(FormatCase{ "uyvy", MAKEFOURCC('U', 'Y', 'V', 'Y') },
                                           FormatCase{ "yuy2+uyvy+rgb565+uyvy", MAKEFOURCC('U', 'Y', 'V', 'Y') },
                                           FormatCase{ "yuy2+rgb565", MAKEFOURCC('Y', 'U', 'Y', '2') }));

struct ConnectionCase {
    const char *connections;
    int opens;
};

class ConnectionTest : public LiveVideoTest, public ::testing::WithParamInterface<ConnectionCase> {};

TEST_P(ConnectionTest, EightBitsOrCcir656IsEnough)
{
    Open(std::string("connections=") + GetParam().connections);
    EXPECT_EQ(GetParam().opens, OpenVideoPort());
    EXPECT_EQ(GetParam().opens != 0, lpVideoPort != nullptr);
}

INSTANTIATE_TEST_SUITE_P(Display, ConnectionTest,
                         ::testing::Values(ConnectionCase{ "ccir656:8", 1 }, ConnectionCase{ "philips:8", 1 },
                                           ConnectionCase{ "ccir656:16", 1 }, ConnectionCase{ "philips:16+brooktree:16", 0 },
                                           ConnectionCase{ "brooktree:16+ccir656:16", 1 }, ConnectionCase{ "none", 0 }));

struct GeometryCase {
    int cw, ch;
    DWORD srcLeft, srcTop, srcBottom;
    int prescaledHeight;
    RECT src;
};

class GeometryTest : public LiveVideoTest, public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(GeometryTest, WorkedValues)
{
    const GeometryCase &c = GetParam();
    Open();
    SetClientSize(c.cw, c.ch);
    ASSERT_EQ(1, OpenAndStartPort());
    EXPECT_EQ(c.srcLeft, dwSrcLeft);
    EXPECT_EQ(c.srcTop, dwSrcTop);
    EXPECT_EQ(c.srcBottom, dwSrcBottom);
    EXPECT_EQ(720u, dwPrescaleWidth);
    EXPECT_EQ(720, card().driver().port().scaling().width);
    EXPECT_EQ(c.prescaledHeight, card().driver().port().scaling().height);
    EXPECT_TRUE(EqualRect(&c.src, &Overlay().src));
    EXPECT_EQ((DWORD)c.cw, dwVideoWidth);
    EXPECT_EQ((DWORD)c.ch, dwVideoHeight);
}

INSTANTIATE_TEST_SUITE_P(Display, GeometryTest,
                         ::testing::Values(GeometryCase{ 720, 480, 8, 11, 251, 251, { 8, 11, 712, 251 } },
                                           GeometryCase{ 352, 240, 4, 11, 251, 251, { 4, 11, 716, 251 } },
                                           GeometryCase{ 320, 120, 4, 6, 126, 126, { 4, 6, 716, 126 } },
                                           GeometryCase{ 400, 241, 5, 11, 251, 251, { 5, 11, 715, 251 } }));

TEST_F(LiveVideoTest, NarrowerPrescaleWidthsAreTriedInTurn)
{
    Open("prescalemax=180");
    ASSERT_EQ(1, OpenAndStartPort());
    EXPECT_EQ(2, nPrescaleShift);
    EXPECT_EQ(180u, dwPrescaleWidth);
    EXPECT_EQ(180, card().driver().port().scaling().width);
    EXPECT_EQ(180 - 8, Overlay().src.right);
}

TEST_F(LiveVideoTest, PortRefusingEveryWidthFailsTheStart)
{
    Open("prescalemax=80");
    StartLiveVideo(hwndMain);
    EXPECT_EQ(4, nPrescaleShift);
    ASSERT_EQ(1u, recorder.boxes().size());
    EXPECT_EQ("Unable to start video port ", recorder.boxes()[0].text);
}

TEST_F(LiveVideoTest, BandwidthDecidesWhetherTheKeyIsAlwaysUsed)
{
    Open("bandwidth=source");           // colour key and interpolation together cost more
    ASSERT_EQ(1, OpenAndStartPort());
    EXPECT_EQ(1, bKeyAlways);
    EXPECT_TRUE(Overlay().keyed);
    ReleaseDirectDrawObjects();
    DestroyWindow(hwndMain);
    UnregisterClassA(szMainWindowClass, GetModuleHandleA(NULL));
    Open("bandwidth=destination");
    ASSERT_EQ(1, OpenAndStartPort());
    EXPECT_EQ(0, bKeyAlways);
    EXPECT_FALSE(Overlay().keyed);
}

// Another window over a corner of the client area.
HWND CoverCorner()
{
    RECT client;
    GetClientScreenRect(&client);
    return CreateWindowExA(WS_EX_TOPMOST, "STATIC", "cover", WS_POPUP | WS_VISIBLE, client.left - 20, client.top - 20,
                           120, 100, NULL, NULL, NULL, NULL);
}

TEST_F(LiveVideoTest, CoveredCornerSwitchesToTheKeyedOverlayOverTheClientArea)
{
    Open();
    StartLiveVideo(hwndMain);
    ASSERT_FALSE(Overlay().keyed);
    HWND cover = CoverCorner();
    OnVideoTimer();
    EXPECT_EQ(1, nLastClipState);
    ASSERT_NE(nullptr, Overlay().chain);
    EXPECT_TRUE(Overlay().keyed);
    RECT client = ClientOnScreen();
    EXPECT_TRUE(EqualRect(&client, &Overlay().dest));
    DestroyWindow(cover);
    OnVideoTimer();
    EXPECT_EQ(0, nLastClipState);
    EXPECT_FALSE(Overlay().keyed);
}

TEST_F(LiveVideoTest, CoveredWindowWithoutAKeyHidesTheOverlay)
{
    Open("keydest=refused");
    StartLiveVideo(hwndMain);
    ASSERT_NE(nullptr, Overlay().chain);
    HWND cover = CoverCorner();
    OnVideoTimer();
    EXPECT_EQ(nullptr, Overlay().chain);
    DestroyWindow(cover);
}

TEST_F(LiveVideoTest, WindowPartlyOffTheScreenKeepsOneRectangleCutInProportion)
{
    Open();
    StartLiveVideo(hwndMain);
    RECT rc;
    GetWindowRect(hwndMain, &rc);
    SetWindowPos(hwndMain, NULL, rc.left - 600, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    OnVideoTimer();
    RECT client = ClientOnScreen();
    ASSERT_LT(client.left, 0);
    EXPECT_FALSE(Overlay().keyed);
    EXPECT_EQ(0, Overlay().dest.left);
    EXPECT_EQ(client.right, Overlay().dest.right);
    // The source is cut in the same proportion: 704 columns over 720 pixels.
    EXPECT_EQ((LONG)((DWORD)(0 - client.left) * 704 / 720 + 8), Overlay().src.left);
    EXPECT_EQ(712, Overlay().src.right);
}

TEST_F(LiveVideoTest, TicksFollowTheWindowAndLeaveAStillOneAlone)
{
    Open();
    StartLiveVideo(hwndMain);
    OnVideoTimer();
    EXPECT_EQ(0, nLastClipState);
    // Taken off the screen behind the application's back: only a tick that
    // places the overlay again brings it back.
    auto takeOff = [this] {
        std::lock_guard<std::mutex> hold(card().driver().lock());
        card().driver().HideOverlay(card().driver().overlay().chain.get());
    };
    takeOff();
    OnVideoTimer();                             // nothing changed: left alone
    EXPECT_EQ(nullptr, Overlay().chain);
    RECT rc;
    GetWindowRect(hwndMain, &rc);
    SetWindowPos(hwndMain, NULL, rc.left + 1, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    OnVideoTimer();                             // moved one pixel: placed again
    ASSERT_NE(nullptr, Overlay().chain);
    RECT client = ClientOnScreen();
    EXPECT_TRUE(EqualRect(&client, &Overlay().dest));
    EXPECT_TRUE(EqualRect(&client, &rcLastDest));
}

TEST_F(LiveVideoTest, MinimisingHidesAndRestoringShowsAtTheNextTick)
{
    Open();
    StartLiveVideo(hwndMain);
    ShowWindow(hwndMain, SW_MINIMIZE);
    OnVideoTimer();
    EXPECT_EQ(nullptr, Overlay().chain);
    EXPECT_EQ(-1, nLastClipState);
    ShowWindow(hwndMain, SW_RESTORE);
    OnVideoTimer();
    ASSERT_NE(nullptr, Overlay().chain);
    RECT client = ClientOnScreen();
    EXPECT_TRUE(EqualRect(&client, &Overlay().dest));
}

TEST_F(LiveVideoTest, DisplayModeChangeRebuildsQuietlyAtTheNewKey)
{
    Open();
    StartLiveVideo(hwndMain);
    ASSERT_EQ(0x040404u, dwColorKey);
    card().ChangeDisplayMode(sim::DesktopFormat::Rgb565);
    OnVideoTimer();
    EXPECT_TRUE(recorder.boxes().empty());
    EXPECT_EQ(0, bRestartPending);
    EXPECT_EQ(0x2084u, dwColorKey);
    ASSERT_NE(nullptr, Overlay().chain);
    EXPECT_EQ(S_OK, lpOverlaySurface->IsLost());
    EXPECT_TRUE(card().driver().port().running());
}

TEST_F(LiveVideoTest, RebuildThatKeepsFailingRetriesSilently)
{
    Open();
    StartLiveVideo(hwndMain);
    card().driver().config().portCreateRefused = true;
    card().ChangeDisplayMode(sim::DesktopFormat::Rgb24);
    for (int tick = 0; tick < 3; tick++) {
        OnVideoTimer();
        EXPECT_EQ(1, bRestartPending);
        EXPECT_EQ(nullptr, lpDirectDraw);       // released until the next try
        EXPECT_TRUE(IsWindowVisible(hwndMain));
    }
    EXPECT_TRUE(recorder.boxes().empty());
    card().driver().config().portCreateRefused = false;
    OnVideoTimer();
    EXPECT_EQ(0, bRestartPending);
    EXPECT_NE(nullptr, Overlay().chain);
}

TEST_F(LiveVideoTest, RebuildWithoutAnOverlayEndsTheApplication)
{
    Open();
    StartLiveVideo(hwndMain);
    card().driver().config().overlayMaxHeight = 0;
    card().ChangeDisplayMode(sim::DesktopFormat::Rgb24);
    OnVideoTimer();
    ASSERT_EQ(1u, recorder.boxes().size());
    EXPECT_EQ(kNoOverlay, recorder.boxes()[0].text);
    EXPECT_EQ(NULL, recorder.boxes()[0].owner);
    EXPECT_EQ(0x40030u, recorder.boxes()[0].flags);
    EXPECT_FALSE(IsWindowVisible(hwndMain));
    EXPECT_TRUE(QuitPosted());
}

TEST_F(LiveVideoTest, AlignmentRoundsTheLeftEdgeUpAndTheWidthDown)
{
    sim::SimConfig config;
    config.clock = sim::Clock::Mode::Stepped;
    config.display.alignBoundarySrc = 4;
    config.display.alignSizeSrc = 8;
    config.display.alignBoundaryDest = 16;
    config.display.alignSizeDest = 0;
    Open(Attach(config));
    RECT rc = { 5, 3, 30, 9 };
    ASSERT_EQ(1, AlignSourceRect(lpDirectDraw, &rc));
    EXPECT_EQ(8, rc.left);
    EXPECT_EQ(24, rc.right);                    // 22 wide, down to 16
    EXPECT_EQ(3, rc.top);
    EXPECT_EQ(9, rc.bottom);
    RECT dest = { 17, 0, 100, 10 };
    ASSERT_EQ(1, AlignDestRect(lpDirectDraw, &dest));
    EXPECT_EQ(32, dest.left);
    EXPECT_EQ(100, dest.right);                 // no size rule reported
    EXPECT_EQ(0, AlignDestRect(NULL, &dest));
    EXPECT_EQ(0, AlignDestRect(lpDirectDraw, NULL));
}

}  // namespace
