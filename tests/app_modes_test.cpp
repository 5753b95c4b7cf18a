// The two working modes, full screen, the frame-less window and its drag, on
// the real main window driven by its commands, keys and mouse messages.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/geometry.h"
#include "app/mainwnd.h"
#include "app/startup.h"
#include "common/state.h"
#include "res/resource.h"
#include "tests/support/appfixture.h"

namespace {

const LONG kFramed = 0xCF0000;
const LONG kCapture = 0xCA0000;
const LONG kFullScreen = (LONG)0x80000000;
const LONG kFrameless = (LONG)0x80840308;

class ModesTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Attach();
        ASSERT_EQ(1, CreateMainWindow(GetModuleHandleA(NULL), SW_SHOWNORMAL));
        MSG msg;
        PeekMessageA(&msg, hwndMain, WM_STARTVIDEO, WM_STARTVIDEO, PM_REMOVE);     // no live video here
        SetRect(&rcScreen, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        SendMessageA(hwndMain, WM_LBUTTONUP, 0, 0);     // no drag left over from an earlier test
    }

    static void Command(UINT id) { SendMessageA(hwndMain, WM_COMMAND, id, 0); }
    static void Mouse(UINT message, int x, int y) { SendMessageA(hwndMain, message, 0, MAKELPARAM(x, y)); }
};

// The style as set, without the bits the system adds itself.
LONG Style()
{
    return GetWindowLongA(hwndMain, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS);
}

RECT WindowRect()
{
    RECT rc;
    GetWindowRect(hwndMain, &rc);
    return rc;
}

std::string Caption()
{
    char text[64] = "";
    GetWindowTextA(hwndMain, text, sizeof(text));
    return text;
}

UINT MenuState(UINT id)
{
    return GetMenuState(hMainMenu, id, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED);
}

UINT CapturePopupState()
{
    return GetMenuState(hMainMenu, 2, MF_BYPOSITION) & MF_GRAYED;
}

// The menu as each mode leaves it, whether or not the window shows it.
void ExpectMenuFor(int mode)
{
    bool capture = mode == MODE_CAPTURE;
    EXPECT_EQ(capture ? 0u : (UINT)MF_CHECKED, MenuState(IDM_LIVEVIDEOMODE));
    EXPECT_EQ(capture ? (UINT)MF_CHECKED : 0u, MenuState(IDM_CAPTUREMODE));
    EXPECT_EQ(capture ? 0u : (UINT)MF_GRAYED, MenuState(IDM_SETCAPTUREFILE));
    EXPECT_EQ(capture ? 0u : (UINT)MF_GRAYED, CapturePopupState());
}

void ExpectClientCentred(int cw, int ch)
{
    EXPECT_TRUE(IsWindowVisible(hwndMain));
    RECT rcClient;
    GetClientRect(hwndMain, &rcClient);
    EXPECT_EQ(cw, rcClient.right);
    EXPECT_EQ(ch, rcClient.bottom);
    RECT rc = WindowRect();
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2, rc.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top)) / 2, rc.top);
}

// The window's style, its menu or none, and its client size, centred.
void ExpectWindow(LONG style, bool withMenu, int cw, int ch)
{
    EXPECT_EQ(style, Style());
    EXPECT_EQ(withMenu ? hMainMenu : nullptr, GetMenu(hwndMain));
    ExpectClientCentred(cw, ch);
}

// Everything a mode command may change, to show that one changed nothing.
std::string Snapshot()
{
    RECT rc = WindowRect();
    char text[400];
    snprintf(text, sizeof(text),
             "mode %d full %d framed %d video %lux%lu saved %lux%lu style %08lx menu %d window %ld,%ld,%ld,%ld "
             "checks %x %x %x %x caption %s",
             nDisplayMode, bFullScreen, bFramed, dwVideoWidth, dwVideoHeight, dwSavedWidth, dwSavedHeight,
             (unsigned long)GetWindowLongA(hwndMain, GWL_STYLE), GetMenu(hwndMain) != NULL, rc.left, rc.top,
             rc.right, rc.bottom, MenuState(IDM_LIVEVIDEOMODE), MenuState(IDM_CAPTUREMODE),
             MenuState(IDM_SETCAPTUREFILE), CapturePopupState(), Caption().c_str());
    return text;
}

void ExpectIgnored(std::initializer_list<UINT> ids)
{
    for (UINT id : ids) {
        std::string before = Snapshot();
        SendMessageA(hwndMain, WM_COMMAND, id, 0);
        EXPECT_EQ(before, Snapshot()) << "command " << id;
    }
}

TEST_F(ModesTest, CaptureModeIs352By240CentredAndLiveVideoModeReturnsToTheSizeBefore)
{
    struct Case {
        int width, height;
        UINT capture, liveVideo;
    };
    const Case cases[] = {
        { 720, 480, IDM_CAPTUREMODE_KEY, IDM_LIVEVIDEOMODE_KEY },
        { 500, 300, IDM_CAPTUREMODE, IDM_LIVEVIDEOMODE },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.capture);
        dwVideoWidth = c.width;
        dwVideoHeight = c.height;
        SizeWindowToClient(hwndMain, c.width, c.height);
        ExpectIgnored({ IDM_LIVEVIDEOMODE, IDM_LIVEVIDEOMODE_KEY });

        Command(c.capture);
        EXPECT_EQ(MODE_CAPTURE, nDisplayMode);
        EXPECT_EQ("Zentrik Vidmora   (Capture mode)", Caption());
        ExpectWindow(kCapture, true, 352, 240);
        ExpectMenuFor(MODE_CAPTURE);
        EXPECT_EQ(352u, dwVideoWidth);
        EXPECT_EQ(240u, dwVideoHeight);
        EXPECT_EQ((DWORD)c.width, dwSavedWidth);
        EXPECT_EQ((DWORD)c.height, dwSavedHeight);
        ExpectIgnored({ IDM_CAPTUREMODE, IDM_CAPTUREMODE_KEY, IDM_FULLSCREEN_KEY, IDM_TOGGLE_FRAME });

        Command(c.liveVideo);
        EXPECT_EQ(MODE_LIVEVIDEO, nDisplayMode);
        EXPECT_EQ("Zentrik Vidmora   (LiveVideo mode)", Caption());
        ExpectWindow(kFramed, true, c.width, c.height);
        ExpectMenuFor(MODE_LIVEVIDEO);
        EXPECT_EQ((DWORD)c.width, dwVideoWidth);
        EXPECT_EQ((DWORD)c.height, dwVideoHeight);
    }
}

TEST_F(ModesTest, FullScreenReturnsToTheWindowItCameFrom)
{
    struct Case {
        const char *name;
        bool frameless;
        bool byClick;       // else by Esc
    };
    const Case cases[] = {
        { "framed, Esc", false, false },
        { "framed, click", false, true },
        { "frame-less, Esc", true, false },
        { "frame-less, click", true, true },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.frameless)
            Command(IDM_TOGGLE_FRAME);
        ASSERT_EQ(c.frameless ? 0 : 1, bFramed);

        Command(IDM_FULLSCREEN_KEY);
        EXPECT_EQ(1, bFullScreen);
        EXPECT_EQ(kFullScreen, Style() & ~WS_MAXIMIZE);
        EXPECT_EQ(nullptr, GetMenu(hwndMain));
        EXPECT_TRUE(IsWindowVisible(hwndMain));
        RECT rc = WindowRect();
        EXPECT_TRUE(EqualRect(&rcScreen, &rc));
        EXPECT_EQ(720u, dwSavedWidth);
        EXPECT_EQ(480u, dwSavedHeight);
        ExpectIgnored({ IDM_FULLSCREEN_KEY, IDM_CAPTUREMODE, IDM_CAPTUREMODE_KEY, IDM_TOGGLE_FRAME });

        if (c.byClick) {
            Mouse(WM_LBUTTONDOWN, 100, 100);
            RECT rcLeft = WindowRect();
            Mouse(WM_MOUSEMOVE, 160, 130);      // the click that leaves starts no drag
            Mouse(WM_LBUTTONUP, 160, 130);
            RECT rcAfter = WindowRect();
            EXPECT_TRUE(EqualRect(&rcLeft, &rcAfter));
        } else {
            SendMessageA(hwndMain, WM_KEYDOWN, VK_ESCAPE, 0);
        }
        EXPECT_EQ(0, bFullScreen);
        EXPECT_EQ(c.frameless ? 0 : 1, bFramed);
        ExpectWindow(c.frameless ? kFrameless : kFramed, !c.frameless, 720, 480);

        if (c.frameless)
            Command(IDM_TOGGLE_FRAME);
    }
}

TEST_F(ModesTest, FullScreenCoversThePrimarySurface)
{
    SetRect(&rcScreen, 0, 0, 800, 600);
    Command(IDM_FULLSCREEN_KEY);
    RECT rc = WindowRect();
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(0, rc.top);
    EXPECT_EQ(800, rc.right);
    EXPECT_EQ(600, rc.bottom);
}

TEST_F(ModesTest, CtrlTTakesFrameAndMenuAwayAndGivesThemBack)
{
    Command(IDM_TOGGLE_FRAME);
    EXPECT_EQ(0, bFramed);
    ExpectWindow(kFrameless, false, 720, 480);

    Command(IDM_TOGGLE_FRAME);
    EXPECT_EQ(1, bFramed);
    ExpectWindow(kFramed, true, 720, 480);
    EXPECT_EQ(720u, dwVideoWidth);
    EXPECT_EQ(480u, dwVideoHeight);
}

TEST_F(ModesTest, OnlyTheFramelessWindowIsDraggedByItsClientArea)
{
    for (bool frameless : { false, true }) {
        SCOPED_TRACE(frameless ? "frame-less" : "framed");
        if (frameless)
            Command(IDM_TOGGLE_FRAME);
        RECT rc0 = WindowRect();
        int dx = frameless ? 30 : 0, dy = frameless ? -15 : 0;

        Mouse(WM_LBUTTONDOWN, 10, 20);
        Mouse(WM_MOUSEMOVE, 40, 5);
        RECT rc = WindowRect();
        EXPECT_EQ(rc0.left + dx, rc.left);
        EXPECT_EQ(rc0.top + dy, rc.top);
        EXPECT_EQ(rc0.right - rc0.left, rc.right - rc.left);
        EXPECT_EQ(rc0.bottom - rc0.top, rc.bottom - rc.top);

        // The mouse kept still: after the move it is back at the client point it was pressed at.
        Mouse(WM_MOUSEMOVE, 10, 20);
        RECT rcStill = WindowRect();
        EXPECT_TRUE(EqualRect(&rc, &rcStill));

        Mouse(WM_LBUTTONUP, 10, 20);
        Mouse(WM_MOUSEMOVE, 60, 60);
        RECT rcReleased = WindowRect();
        EXPECT_TRUE(EqualRect(&rc, &rcReleased));
    }

    // A press outside the client rectangle starts no drag.
    RECT rcClient, rc0 = WindowRect();
    GetClientRect(hwndMain, &rcClient);
    Mouse(WM_LBUTTONDOWN, rcClient.right, 10);
    Mouse(WM_MOUSEMOVE, 10, 10);
    RECT rc = WindowRect();
    EXPECT_TRUE(EqualRect(&rc0, &rc));
}

TEST_F(ModesTest, ModeSwitchesFromTheFramelessWindowKeepItWithoutMenuUntilCtrlT)
{
    Command(IDM_TOGGLE_FRAME);
    Command(IDM_CAPTUREMODE_KEY);
    EXPECT_EQ(MODE_CAPTURE, nDisplayMode);
    EXPECT_EQ(0, bFramed);
    ExpectWindow(kCapture, false, 352, 240);
    ExpectMenuFor(MODE_CAPTURE);
    ExpectIgnored({ IDM_TOGGLE_FRAME, IDM_FULLSCREEN_KEY });

    Command(IDM_LIVEVIDEOMODE_KEY);
    EXPECT_EQ(MODE_LIVEVIDEO, nDisplayMode);
    EXPECT_EQ(0, bFramed);
    ExpectWindow(kFramed, false, 720, 480);

    Command(IDM_TOGGLE_FRAME);
    EXPECT_EQ(1, bFramed);
    ExpectWindow(kFramed, true, 720, 480);
    ExpectMenuFor(MODE_LIVEVIDEO);
}

}  // namespace
