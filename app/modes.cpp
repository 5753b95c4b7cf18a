#include "app/modes.h"

#include "app/geometry.h"
#include "app/mainwnd.h"
#include "common/state.h"
#include "res/resource.h"

const char szCaptureCaption[] = "Zentrik Vidmora   (Capture mode)";

enum {
    CAPTURE_WIDTH = 352,
    CAPTURE_HEIGHT = 240,
    CAPTURE_POPUP = 2,      // "Capture", by position in the menu bar
};

// The window styles, set whole.
static const LONG STYLE_FRAMED = 0xCF0000;       // WS_OVERLAPPEDWINDOW
static const LONG STYLE_CAPTURE = 0xCA0000;      // WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX
static const LONG STYLE_FULLSCREEN = (LONG)0x80000000;  // WS_POPUP
static const LONG STYLE_FRAMELESS = (LONG)0x80840308;   // WS_POPUP | WS_BORDER | WS_THICKFRAME | 0x0308

// The frame-less window's drag by its client area; the mouse is not captured.
static int bDragging;
static POINT ptDragLast;    // screen coordinates

static void SetStyle(HWND hwnd, LONG lStyle)
{
    SetWindowLongA(hwnd, GWL_STYLE, lStyle);
}

// The menu as each mode leaves it: the mode's item checked, the capture
// commands enabled only in Capture mode.
static void ShowModeInMenu(HWND hwnd, int nMode)
{
    int bCapture = nMode == MODE_CAPTURE;
    UINT uEnable = bCapture ? MF_ENABLED : MF_GRAYED;
    CheckMenuItem(hMainMenu, IDM_LIVEVIDEOMODE, bCapture ? MF_UNCHECKED : MF_CHECKED);
    CheckMenuItem(hMainMenu, IDM_CAPTUREMODE, bCapture ? MF_CHECKED : MF_UNCHECKED);
    EnableMenuItem(hMainMenu, IDM_SETCAPTUREFILE, uEnable);
    EnableMenuItem(hMainMenu, CAPTURE_POPUP, MF_BYPOSITION | uEnable);
    DrawMenuBar(hwnd);
}

// Twice: the first sizing lets the new style's frame take effect, the
// second measures that frame.
static void SizeWindowToClientTwice(HWND hwnd, DWORD cw, DWORD ch)
{
    SizeWindowToClient(hwnd, (int)cw, (int)ch);
    SizeWindowToClient(hwnd, (int)cw, (int)ch);
}

void SetCaptureMode(HWND hwnd)
{
    SetWindowTextA(hwnd, szCaptureCaption);
    dwSavedWidth = dwVideoWidth;
    dwSavedHeight = dwVideoHeight;
    SetStyle(hwnd, STYLE_CAPTURE);
    ShowModeInMenu(hwnd, MODE_CAPTURE);
    dwVideoWidth = CAPTURE_WIDTH;
    dwVideoHeight = CAPTURE_HEIGHT;
    SizeWindowToClientTwice(hwnd, CAPTURE_WIDTH, CAPTURE_HEIGHT);
    nDisplayMode = MODE_CAPTURE;
}

void SetLiveVideoMode(HWND hwnd)
{
    SetWindowTextA(hwnd, szLiveVideoCaption);
    SetStyle(hwnd, STYLE_FRAMED);
    ShowModeInMenu(hwnd, MODE_LIVEVIDEO);
    dwVideoWidth = dwSavedWidth;
    dwVideoHeight = dwSavedHeight;
    SizeWindowToClientTwice(hwnd, dwVideoWidth, dwVideoHeight);
    nDisplayMode = MODE_LIVEVIDEO;
}

// The window covers the primary surface.
void EnterFullScreen(HWND hwnd)
{
    SetMenu(hwnd, NULL);
    SetStyle(hwnd, STYLE_FULLSCREEN);
    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    SetWindowPos(hwnd, NULL, 0, 0, rcScreen.right, rcScreen.bottom, SWP_NOZORDER);
    dwSavedWidth = dwVideoWidth;
    dwSavedHeight = dwVideoHeight;
    bFullScreen = 1;
}

// Back to the framed or the frame-less window, at the size it had before.
void LeaveFullScreen(HWND hwnd)
{
    if (bFramed) {
        SetStyle(hwnd, STYLE_FRAMED);
        SetMenu(hwnd, hMainMenu);
    } else {
        // No menu to set, which would apply the frame: apply it here, or the
        // sizing below would measure the popup's missing frame.
        SetStyle(hwnd, STYLE_FRAMELESS);
        SetWindowPos(hwnd, NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
    SizeWindowToClient(hwnd, (int)dwSavedWidth, (int)dwSavedHeight);
    bFullScreen = 0;
}

void ToggleWindowFrame(HWND hwnd)
{
    if (bFramed) {
        SetMenu(hwnd, NULL);
        SetStyle(hwnd, STYLE_FRAMELESS);
    } else {
        SetStyle(hwnd, STYLE_FRAMED);
        SetMenu(hwnd, hMainMenu);
    }

    // The client size as the outer size first, at the same top-left corner;
    // the sizing around the client area then puts the frame round it.
    ShowWindow(hwnd, SW_RESTORE);
    RECT rcWindow;
    GetWindowRect(hwnd, &rcWindow);
    SetWindowPos(hwnd, NULL, rcWindow.left, rcWindow.top, (int)dwVideoWidth, (int)dwVideoHeight, SWP_NOZORDER);
    SizeWindowToClient(hwnd, (int)dwVideoWidth, (int)dwVideoHeight);
    bFramed = !bFramed;
}

// lParam's two words as unsigned client coordinates, converted to the screen.
static POINT ScreenPoint(HWND hwnd, LPARAM lParam)
{
    POINT pt = { LOWORD(lParam), HIWORD(lParam) };
    ClientToScreen(hwnd, &pt);
    return pt;
}

void OnLButtonDown(HWND hwnd, LPARAM lParam)
{
    if (bFullScreen) {
        LeaveFullScreen(hwnd);
        return;
    }
    if (bFramed)
        return;
    RECT rcClient;
    POINT pt = { LOWORD(lParam), HIWORD(lParam) };
    GetClientRect(hwnd, &rcClient);
    if (!PtInRect(&rcClient, pt))
        return;
    bDragging = 1;
    ptDragLast = ScreenPoint(hwnd, lParam);
}

// The window follows the mouse by the distance it moved since the last move.
void OnMouseMove(HWND hwnd, LPARAM lParam)
{
    if (!bDragging)
        return;
    POINT pt = ScreenPoint(hwnd, lParam);
    RECT rcWindow;
    GetWindowRect(hwnd, &rcWindow);
    MoveWindow(hwnd, rcWindow.left + pt.x - ptDragLast.x, rcWindow.top + pt.y - ptDragLast.y,
               rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top, TRUE);
    ptDragLast = pt;
}

void OnLButtonUp(HWND hwnd)
{
    (void)hwnd;
    bDragging = 0;
}
