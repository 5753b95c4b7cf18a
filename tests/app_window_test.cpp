// The main window: its class, its first size, its menu and accelerators,
// the sizing around a client area, and the way out.
#include <gtest/gtest.h>

#include "app/geometry.h"
#include "app/mainwnd.h"
#include "app/startup.h"
#include "common/state.h"
#include "display/ddobjects.h"
#include "res/resource.h"
#include "sim/com.h"
#include "tests/support/appfixture.h"

namespace {

class MainWindowTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Attach();
        ASSERT_EQ(1, CreateMainWindow(GetModuleHandleA(NULL), SW_HIDE));
    }
};

SIZE ClientSize(HWND hwnd)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    return SIZE{ rc.right, rc.bottom };
}

TEST_F(MainWindowTest, ClassAndWindowAsRegistered)
{
    WNDCLASSA wc;
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(NULL), "ZENTRIKVIDMORA", &wc));
    EXPECT_EQ((UINT)(CS_HREDRAW | CS_VREDRAW), wc.style);
    EXPECT_EQ(0, wc.cbClsExtra);
    EXPECT_EQ(0, wc.cbWndExtra);
    EXPECT_EQ(MainWndProc, wc.lpfnWndProc);
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), wc.hbrBackground);
    EXPECT_EQ(LoadCursorA(NULL, (LPCSTR)IDC_ARROW), wc.hCursor);
    EXPECT_NE(nullptr, wc.hIcon);
    EXPECT_EQ(IDM_MAIN, (INT_PTR)wc.lpszMenuName);

    char caption[64];
    GetWindowTextA(hwndMain, caption, sizeof(caption));
    EXPECT_STREQ("Zentrik Vidmora   (LiveVideo mode)", caption);
    EXPECT_EQ((LONG)WS_OVERLAPPEDWINDOW, GetWindowLongA(hwndMain, GWL_STYLE) & ~WS_VISIBLE & ~WS_CLIPSIBLINGS);
    EXPECT_TRUE(IsWindowVisible(hwndMain));     // shown normally, whatever nCmdShow said
    EXPECT_EQ(GetMenu(hwndMain), hMainMenu);
}

TEST_F(MainWindowTest, OpensAt720By480CentredAndPostsTheStartMessage)
{
    EXPECT_EQ(720u, dwVideoWidth);
    EXPECT_EQ(480u, dwVideoHeight);
    SIZE client = ClientSize(hwndMain);
    EXPECT_EQ(720, client.cx);
    EXPECT_EQ(480, client.cy);
    RECT rc;
    GetWindowRect(hwndMain, &rc);
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) - rc.right, rc.left, 1);

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, hwndMain, WM_STARTVIDEO, WM_STARTVIDEO, PM_REMOVE));
    EXPECT_EQ(1124u, msg.message);
    EXPECT_EQ(0u, msg.wParam);
    EXPECT_EQ(0, msg.lParam);
    EXPECT_FALSE(PeekMessageA(&msg, hwndMain, WM_STARTVIDEO, WM_STARTVIDEO, PM_REMOVE));
}

TEST_F(MainWindowTest, SizeWindowToClientGivesTheClientSizeCentred)
{
    SizeWindowToClient(hwndMain, 352, 240);
    SIZE client = ClientSize(hwndMain);
    EXPECT_EQ(352, client.cx);
    EXPECT_EQ(240, client.cy);
    RECT rc;
    GetWindowRect(hwndMain, &rc);
    int width = rc.right - rc.left, height = rc.bottom - rc.top;
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - width) / 2, rc.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - height) / 2, rc.top);
}

TEST_F(MainWindowTest, AWindowLargerThanTheScreenIsPlacedAtTheOrigin)
{
    SizeWindowToClient(hwndMain, 1100, 900);
    RECT rc;
    GetWindowRect(hwndMain, &rc);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(0, rc.top);
}

TEST_F(MainWindowTest, ExitReleasesTheObjectsAndQuitsWithoutDestroyingTheWindow)
{
    ASSERT_EQ(1, CreateDirectDrawObjects(0));
    SetTimer(hwndMain, 1, 200, NULL);
    SendMessageA(hwndMain, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(nullptr, lpDirectDraw);
    EXPECT_EQ(0, sim::LiveComObjects());
    EXPECT_FALSE(KillTimer(hwndMain, 1));
    EXPECT_TRUE(IsWindow(hwndMain));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
}

TEST_F(MainWindowTest, CommandsWithoutARowDoNothing)
{
    EXPECT_EQ(0, SendMessageA(hwndMain, WM_COMMAND, 40099, 0));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
}

struct MenuItem {
    int popup;
    const char *text;
    UINT id;
    UINT state;     // MF_GRAYED, MF_CHECKED
};

TEST(Resources, MenuHasTheItemsTextsAndStates)
{
    HMENU hMenu = LoadMenuA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDM_MAIN));
    ASSERT_NE(nullptr, hMenu);
    const char *popups[] = { "&File", "&Options", "Capture", "&Help" };
    ASSERT_EQ(4, GetMenuItemCount(hMenu));
    for (int i = 0; i < 4; i++) {
        char text[64];
        GetMenuStringA(hMenu, i, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(popups[i], text);
        EXPECT_EQ(i == 2 ? (UINT)MF_GRAYED : 0u, GetMenuState(hMenu, i, MF_BYPOSITION) & MF_GRAYED) << i;
    }
    const MenuItem items[] = {
        { 0, "Set Capture File", 40017, MF_GRAYED },
        { 0, nullptr, 0, 0 },
        { 0, "Exit", 40004, 0 },
        { 1, "Video Format", 40002, 0 },
        { 1, "Video Source", 40003, 0 },
        { 1, nullptr, 0, 0 },
        { 1, "LiveVideo Mode\tCtrl+V", 40020, MF_CHECKED },
        { 1, "Capture Mode\tCtrl+C", 40021, 0 },
        { 2, "Single Frame  \tF1", 40018, 0 },
        { 2, "Frames\tF2", 40024, 0 },
        { 2, "Video\tF3", 40019, 0 },
        { 3, "About Vidmora ...", 40001, 0 },
    };
    int positions[4] = {};
    for (const MenuItem &item : items) {
        HMENU hPopup = GetSubMenu(hMenu, item.popup);
        int pos = positions[item.popup]++;
        UINT state = GetMenuState(hPopup, pos, MF_BYPOSITION);
        if (!item.text) {
            EXPECT_TRUE(state & MF_SEPARATOR) << item.popup << "/" << pos;
            continue;
        }
        char text[64];
        GetMenuStringA(hPopup, pos, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(item.text, text);
        EXPECT_EQ(item.id, GetMenuItemID(hPopup, pos));
        EXPECT_EQ(item.state, state & (MF_GRAYED | MF_CHECKED)) << item.text;
    }
    for (int popup = 0; popup < 4; popup++)
        EXPECT_EQ(positions[popup], GetMenuItemCount(GetSubMenu(hMenu, popup)));
    DestroyMenu(hMenu);
}

TEST(Resources, AcceleratorsAreVirtualKeysWithoutInversion)
{
    HACCEL hAccel = LoadAcceleratorsA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDA_MAIN));
    ASSERT_NE(nullptr, hAccel);
    ACCEL table[32];
    int count = CopyAcceleratorTableA(hAccel, table, 32);
    struct Expected {
        WORD key;
        bool control;
        WORD command;
    };
    std::vector<Expected> expected = {
        { 'C', true, 40023 },       { 'S', true, 40010 },         { 'T', true, 40040 },
        { 'V', true, 40022 },       { VK_ADD, false, 40026 },     { VK_SUBTRACT, false, 40027 },
        { VK_F1, false, 40011 },    { VK_F2, false, 40025 },      { VK_F3, false, 40012 },
        { VK_NUMPAD0, false, 40038 }, { VK_RETURN, false, 40039 },
    };
    for (WORD digit = 1; digit <= 9; digit++)
        expected.push_back({ (WORD)(VK_NUMPAD0 + digit), false, (WORD)(40028 + digit) });
    ASSERT_EQ((int)expected.size(), count);
    for (const Expected &e : expected) {
        bool found = false;
        for (int i = 0; i < count; i++) {
            if (table[i].key != e.key || table[i].cmd != e.command)
                continue;
            found = true;
            EXPECT_EQ(FVIRTKEY | FNOINVERT | (e.control ? FCONTROL : 0), table[i].fVirt & ~0x80) << e.command;
        }
        EXPECT_TRUE(found) << e.command;
    }
    DestroyAcceleratorTable(hAccel);
}

}  // namespace
