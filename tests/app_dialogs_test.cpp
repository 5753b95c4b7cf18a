// The About box and the Video Format dialog: their templates as stored, and
// the real dialogs driven through their controls from inside their modal
// loops, as the user's clicks would drive them.
#include <gtest/gtest.h>


#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/about.h"
#include "app/geometry.h"
#include "app/mainwnd.h"
#include "app/startup.h"
#include "app/videoformat.h"
#include "common/state.h"
#include "res/resource.h"
#include "tests/support/appfixture.h"
#include "tests/support/dialogs.h"

namespace {

// ---- Templates, read out of the module's resources ----

TEST(DialogTemplates, AreStoredAsDesigned)
{
    const DWORD kDialogStyle = 0x90C808C0;
    const DWORD kChild = WS_CHILD | WS_VISIBLE;
    struct Case {
        int id;
        const char *title;
        short cx, cy;
        std::vector<TemplateItem> items;
    };
    const Case cases[] = {
        { IDD_ABOUT, "About Zentrik Vidmora", 171, 77,
          {
              { IDOK, kButton, 0x50010001, 61, 56, 44, 14, "OK" },
              { -1, kStatic, 0x50020001, 41, 11, 121, 40, "Zentrik Vidmora\nVersion 1.20 " },
              { -1, kStatic, 0x50000003, 11, 15, 21, 23, "#106" },
          } },
        { IDD_VIDEOFORMAT, "Video Format", 166, 89,
          {
              { IDOK, kButton, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 123, 14, 37, 14, "OK" },
              { IDCANCEL, kButton, kChild | WS_TABSTOP | BS_PUSHBUTTON, 123, 34, 37, 14, "Cancel" },
              { 1022, kButton, kChild | BS_GROUPBOX, 6, 3, 109, 51, "Image Dimensions" },
              { 1024, kComboBox, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 17, 16, 79, 86, "" },
              { 1025, kButton, kChild | WS_TABSTOP | BS_PUSHBUTTON, 14, 35, 43, 14, "Full Window" },
              { 1027, kButton, kChild | WS_TABSTOP | BS_PUSHBUTTON, 65, 35, 43, 14, "Full Screen" },
              { 1028, kStatic, kChild | WS_GROUP | SS_LEFT, 12, 59, 44, 8, "Image Format" },
              { 1029, kComboBox, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, 16, 69, 107, 39,
                "" },
          } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title);
        DialogTemplate t = LoadDialogTemplate(c.id);
        EXPECT_EQ(kDialogStyle, t.style);
        EXPECT_EQ(c.title, t.title);
        EXPECT_EQ(0, t.x);
        EXPECT_EQ(0, t.y);
        EXPECT_EQ(c.cx, t.cx);
        EXPECT_EQ(c.cy, t.cy);
        EXPECT_EQ(8, t.points);
        EXPECT_EQ("MS Sans Serif", t.face);
        ASSERT_EQ(c.items.size(), t.items.size());
        for (size_t i = 0; i < c.items.size(); i++)
            EXPECT_EQ(Describe(c.items[i]), Describe(t.items[i])) << "item " << i;
    }
}

// ---- The real dialogs ----

// The selection as the user's pick in the list notifies it.
void Choose(HWND hDlg, int list, int index)
{
    SendDlgItemMessageA(hDlg, list, CB_SETCURSEL, (WPARAM)index, 0);
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), (LPARAM)GetDlgItem(hDlg, list));
}

int Selected(HWND hDlg, int list)
{
    return (int)SendDlgItemMessageA(hDlg, list, CB_GETCURSEL, 0, 0);
}

std::vector<std::string> Entries(HWND hDlg, int list)
{
    std::vector<std::string> entries;
    int count = (int)SendDlgItemMessageA(hDlg, list, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        char text[64] = "";
        SendDlgItemMessageA(hDlg, list, CB_GETLBTEXT, i, (LPARAM)text);
        entries.push_back(text);
    }
    return entries;
}

RECT ClientRect()
{
    RECT rc;
    GetClientRect(hwndMain, &rc);
    return rc;
}

// Counts the sizings of the main window while a test runs.
WNDPROC mainProc;
int nSizings;

LRESULT CALLBACK CountSizings(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WINDOWPOSCHANGING && !(((WINDOWPOS *)lParam)->flags & SWP_NOSIZE))
        nSizings++;
    return CallWindowProcA(mainProc, hwnd, message, wParam, lParam);
}

class DialogsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Attach();
        ASSERT_EQ(1, CreateMainWindow(GetModuleHandleA(NULL), SW_SHOWNORMAL));
        hInstApp = GetModuleHandleA(NULL);
        MSG msg;
        PeekMessageA(&msg, hwndMain, WM_STARTVIDEO, WM_STARTVIDEO, PM_REMOVE);     // no live video here
        SetRect(&rcScreen, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    }

    static void SetSize(int cw, int ch)
    {
        dwVideoWidth = cw;
        dwVideoHeight = ch;
        SizeWindowToClient(hwndMain, cw, ch);
    }

    static void ExpectVideoSize(int cw, int ch)
    {
        EXPECT_EQ((DWORD)cw, dwVideoWidth);
        EXPECT_EQ((DWORD)ch, dwVideoHeight);
        RECT rcClient = ClientRect();
        EXPECT_EQ(cw, rcClient.right);
        EXPECT_EQ(ch, rcClient.bottom);
        RECT rc;
        GetWindowRect(hwndMain, &rc);
        EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2, rc.left);
        EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top)) / 2, rc.top);
        EXPECT_FALSE(IsZoomed(hwndMain));
    }

    // Everything the dialog may change, to show that it changed nothing.
    static std::string Snapshot()
    {
        RECT rc;
        GetWindowRect(hwndMain, &rc);
        char text[300];
        snprintf(text, sizeof(text),
                 "video %lux%lu saved %lux%lu full %d format %d style %08lx menu %d zoomed %d window %ld,%ld,%ld,%ld",
                 dwVideoWidth, dwVideoHeight, dwSavedWidth, dwSavedHeight, bFullScreen, nImageFormat,
                 (unsigned long)GetWindowLongA(hwndMain, GWL_STYLE), GetMenu(hwndMain) != NULL,
                 IsZoomed(hwndMain) != 0, rc.left, rc.top, rc.right, rc.bottom);
        return text;
    }
};

void OpenVideoFormat(std::function<void(HWND)> use)
{
    OpenByCommand("Video Format", IDM_VIDEOFORMAT, use);
}

const std::vector<std::string> kLiveVideoSizes = { "160 x 120", "176 x 120", "320 x 240", "352 x 240",
                                                   "640 x 480", "720 x 480", "Full Window",
                                                   "Full Screen  (Ctrl+S)" };
const std::vector<std::string> kFormats = { "24-bit  RGB", "YVU9 Planar  (Indeo Raw)" };

const struct {
    int width, height;
} kSizes[] = { { 160, 120 }, { 176, 120 }, { 320, 240 }, { 352, 240 }, { 640, 480 }, { 720, 480 } };

TEST_F(DialogsTest, AboutBoxOpensOverTheMainWindowWithNameVersionAndIcon)
{
    OpenByCommand("About Zentrik Vidmora", IDM_ABOUT, [](HWND hDlg) {
        EXPECT_EQ(hwndMain, GetWindow(hDlg, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(hwndMain));
        EXPECT_EQ(GetDlgItem(hDlg, IDOK), GetFocus());
        std::vector<std::string> texts;
        HICON icon = NULL;
        for (HWND item = GetWindow(hDlg, GW_CHILD); item; item = GetWindow(item, GW_HWNDNEXT)) {
            bool isIcon = (GetWindowLongA(item, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
            texts.push_back(std::to_string((short)GetDlgCtrlID(item)) + " " + (isIcon ? "icon" : ItemText(item)));
            if (isIcon)
                icon = (HICON)SendMessageA(item, STM_GETICON, 0, 0);
        }
        EXPECT_EQ((std::vector<std::string>{ "1 OK", "-1 Zentrik Vidmora\nVersion 1.20 ", "-1 icon" }), texts);
        EXPECT_NE(nullptr, icon);
        Click(hDlg, IDOK);
    });
    EXPECT_TRUE(IsWindowEnabled(hwndMain));
}

TEST_F(DialogsTest, AboutBoxClosesWithResultOneByEveryWayOut)
{
    struct Case {
        const char *name;
        std::function<void(HWND)> close;
    };
    const Case cases[] = {
        { "OK button", [](HWND hDlg) { Click(hDlg, IDOK); } },
        { "Enter", [](HWND) { PostKey(VK_RETURN); } },
        { "Esc", [](HWND) { PostKey(VK_ESCAPE); } },
        { "close box", [](HWND hDlg) { SendMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0); } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        INT_PTR result = -1;
        WithDialog(
            "About Zentrik Vidmora",
            [&result] {
                result = DialogBoxParamA(hInstApp, MAKEINTRESOURCEA(IDD_ABOUT), hwndMain, AboutDlgProc, 0);
            },
            c.close);
        EXPECT_EQ(1, result);
    }
}

TEST_F(DialogsTest, VideoFormatListsEverySizeAndPreselectsTheCurrentOne)
{
    struct Case {
        int width, height;
        bool maximised;
        int format;
        int selected;
    };
    std::vector<Case> cases;
    for (int i = 0; i < 6; i++)
        cases.push_back({ kSizes[i].width, kSizes[i].height, false, i % 2, i });
    cases.push_back({ 480, 360, false, 1, CB_ERR });
    cases.push_back({ 480, 360, true, 0, 6 });
    cases.push_back({ 720, 480, true, 0, 5 });      // a listed size wins over the maximised window
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + (c.maximised ? " maximised" : ""));
        SetSize(c.width, c.height);
        if (c.maximised)
            ShowWindow(hwndMain, SW_MAXIMIZE);
        nImageFormat = c.format;
        std::string before = Snapshot();
        OpenVideoFormat([&c](HWND hDlg) {
            EXPECT_EQ(hwndMain, GetWindow(hDlg, GW_OWNER));
            EXPECT_EQ(kLiveVideoSizes, Entries(hDlg, IDC_SIZELIST));
            EXPECT_EQ(c.selected, Selected(hDlg, IDC_SIZELIST));
            EXPECT_EQ(kFormats, Entries(hDlg, IDC_FORMATLIST));
            EXPECT_EQ(c.format, Selected(hDlg, IDC_FORMATLIST));
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hDlg, IDC_FULLWINDOW)));
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hDlg, IDC_FULLSCREEN)));
            Click(hDlg, IDCANCEL);
        });
        EXPECT_EQ(before, Snapshot());
    }
}

TEST_F(DialogsTest, VideoFormatOkSetsTheChosenSizeAndFormat)
{
    mainProc = (WNDPROC)SetWindowLongPtrA(hwndMain, GWLP_WNDPROC, (LONG_PTR)CountSizings);
    for (int i = 0; i < 6; i++) {
        SCOPED_TRACE(kLiveVideoSizes[i]);
        SetSize(480, 360);
        nImageFormat = i % 2;
        int format = 1 - i % 2;
        nSizings = 0;
        OpenVideoFormat([i, format](HWND hDlg) {
            Choose(hDlg, IDC_SIZELIST, i);
            Choose(hDlg, IDC_FORMATLIST, format);
            Click(hDlg, IDOK);
        });
        ExpectVideoSize(kSizes[i].width, kSizes[i].height);
        EXPECT_EQ(format, nImageFormat);
        EXPECT_EQ(i == 0 ? 2 : 1, nSizings);
        EXPECT_EQ(0, bFullScreen);
    }
    SetWindowLongPtrA(hwndMain, GWLP_WNDPROC, (LONG_PTR)mainProc);
}

TEST_F(DialogsTest, VideoFormatOkWithoutASizeKeepsTheSizeAndStoresTheFormat)
{
    SetSize(480, 360);
    MoveWindow(hwndMain, 10, 20, 300, 200, TRUE);   // resized by hand since
    OpenVideoFormat([](HWND hDlg) {
        EXPECT_EQ(CB_ERR, Selected(hDlg, IDC_SIZELIST));
        Choose(hDlg, IDC_FORMATLIST, 1);
        Click(hDlg, IDOK);
    });
    ExpectVideoSize(480, 360);
    EXPECT_EQ(1, nImageFormat);
}

TEST_F(DialogsTest, FullWindowMaximisesTheWindowAndStoresNoFormat)
{
    struct Case {
        const char *name;
        int width, height;
        bool maximised;
        bool byButton;
    };
    const Case cases[] = {
        { "preselected", 480, 360, true, false },
        { "button", 320, 240, false, true },
        { "list entry", 640, 480, false, false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetSize(c.width, c.height);
        if (c.maximised)
            ShowWindow(hwndMain, SW_MAXIMIZE);
        nImageFormat = 0;
        OpenVideoFormat([&c](HWND hDlg) {
            if (c.byButton) {
                Click(hDlg, IDC_FULLWINDOW);
                EXPECT_EQ(6, Selected(hDlg, IDC_SIZELIST));
                EXPECT_TRUE(IsWindow(hDlg));    // the button alone changes nothing
                EXPECT_FALSE(IsZoomed(hwndMain));
            } else if (!c.maximised) {
                Choose(hDlg, IDC_SIZELIST, 6);
            }
            Choose(hDlg, IDC_FORMATLIST, 1);
            Click(hDlg, IDOK);
        });
        EXPECT_TRUE(IsZoomed(hwndMain));
        EXPECT_EQ((DWORD)c.width, dwVideoWidth);
        EXPECT_EQ((DWORD)c.height, dwVideoHeight);
        EXPECT_EQ(0, nImageFormat);
        EXPECT_EQ(0, bFullScreen);
        ShowWindow(hwndMain, SW_RESTORE);
    }
}

TEST_F(DialogsTest, FullScreenSwitchesAsCtrlSAndStoresNoFormat)
{
    for (bool byButton : { true, false }) {
        SCOPED_TRACE(byButton ? "button" : "list entry");
        SetSize(640, 480);
        dwSavedWidth = dwSavedHeight = 0;
        nImageFormat = 0;
        OpenVideoFormat([byButton](HWND hDlg) {
            if (byButton) {
                Click(hDlg, IDC_FULLSCREEN);
                EXPECT_EQ(7, Selected(hDlg, IDC_SIZELIST));
                EXPECT_EQ(0, bFullScreen);
            } else {
                Choose(hDlg, IDC_SIZELIST, 7);
            }
            Choose(hDlg, IDC_FORMATLIST, 1);
            Click(hDlg, IDOK);
        });
        EXPECT_EQ(1, bFullScreen);
        EXPECT_EQ((LONG)WS_POPUP, GetWindowLongA(hwndMain, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS | WS_MAXIMIZE));
        EXPECT_EQ(nullptr, GetMenu(hwndMain));
        RECT rc;
        GetWindowRect(hwndMain, &rc);
        EXPECT_TRUE(EqualRect(&rcScreen, &rc));
        EXPECT_EQ(640u, dwSavedWidth);
        EXPECT_EQ(480u, dwSavedHeight);
        EXPECT_EQ(0, nImageFormat);

        SendMessageA(hwndMain, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(0, bFullScreen);
        ExpectVideoSize(640, 480);
    }
}

TEST_F(DialogsTest, CancelChangesNothingWhateverWasChosen)
{
    struct Case {
        const char *name;
        int button;     // pressed before the choices, 0 for none
        int size;
    };
    const Case cases[] = {
        { "Full Screen button", IDC_FULLSCREEN, -1 },
        { "Full Window button", IDC_FULLWINDOW, -1 },
        { "160 x 120", 0, 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetSize(720, 480);
        std::string before = Snapshot();
        OpenVideoFormat([&c](HWND hDlg) {
            if (c.button)
                Click(hDlg, c.button);
            if (c.size >= 0)
                Choose(hDlg, IDC_SIZELIST, c.size);
            Choose(hDlg, IDC_FORMATLIST, 1);
            Click(hDlg, IDCANCEL);
        });
        EXPECT_EQ(before, Snapshot());
    }
}

TEST_F(DialogsTest, InCaptureModeTheSizeStays352By240AndTheFormatIsStored)
{
    SendMessageA(hwndMain, WM_COMMAND, IDM_CAPTUREMODE, 0);
    ASSERT_EQ(MODE_CAPTURE, nDisplayMode);
    for (bool clearSelection : { false, true }) {
        SCOPED_TRACE(clearSelection ? "selection cleared" : "as preselected");
        nImageFormat = clearSelection ? 1 : 0;
        int format = clearSelection ? 0 : 1;
        OpenVideoFormat([clearSelection, format](HWND hDlg) {
            EXPECT_EQ((std::vector<std::string>{ "352 x 240" }), Entries(hDlg, IDC_SIZELIST));
            EXPECT_EQ(0, Selected(hDlg, IDC_SIZELIST));
            EXPECT_EQ(kFormats, Entries(hDlg, IDC_FORMATLIST));
            EXPECT_EQ(1 - format, Selected(hDlg, IDC_FORMATLIST));
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hDlg, IDC_FULLWINDOW)));
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hDlg, IDC_FULLSCREEN)));
            if (clearSelection)
                Choose(hDlg, IDC_SIZELIST, -1);
            Choose(hDlg, IDC_FORMATLIST, format);
            Click(hDlg, IDOK);
        });
        ExpectVideoSize(352, 240);
        EXPECT_EQ(format, nImageFormat);
        EXPECT_EQ(0, bFullScreen);
    }
}

TEST_F(DialogsTest, VideoFormatHandlesButtonClicksAndIgnoresListNotifications)
{
    SetSize(720, 480);
    OpenVideoFormat([](HWND hDlg) {
        HWND sizes = GetDlgItem(hDlg, IDC_SIZELIST);
        struct Case {
            WPARAM wParam;
            INT_PTR handled;
            int selected;   // the size list's selection afterwards
        };
        const Case cases[] = {
            { MAKEWPARAM(IDC_SIZELIST, CBN_SELCHANGE), FALSE, 5 },
            { MAKEWPARAM(IDC_FULLWINDOW, BN_CLICKED), TRUE, 6 },
            { MAKEWPARAM(IDC_FULLSCREEN, BN_CLICKED), TRUE, 7 },
            { MAKEWPARAM(IDC_FULLWINDOW, BN_SETFOCUS), FALSE, 7 },
            { MAKEWPARAM(IDC_FORMATLIST, CBN_SELCHANGE), FALSE, 7 },
        };
        for (const Case &c : cases) {
            SCOPED_TRACE(c.wParam);
            EXPECT_EQ(c.handled, VideoFormatDlgProc(hDlg, WM_COMMAND, c.wParam, (LPARAM)sizes));
            EXPECT_EQ(c.selected, Selected(hDlg, IDC_SIZELIST));
        }
        EXPECT_EQ(FALSE, VideoFormatDlgProc(hDlg, WM_TIMER, 1, 0));
        Click(hDlg, IDCANCEL);
    });
    ExpectVideoSize(720, 480);
}

}  // namespace
