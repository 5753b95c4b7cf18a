#include "app/mainwnd.h"

#include "app/geometry.h"
#include "common/state.h"
#include "display/ddobjects.h"
#include "res/resource.h"

const char szLiveVideoCaption[] = "Zentrik Vidmora   (LiveVideo mode)";

// The first video size: 720 x 480, or three quarters of a screen no wider than 640.
static void OnCreate(HWND hwnd)
{
    int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    int cyScreen = GetSystemMetrics(SM_CYSCREEN);
    if (cxScreen > 640) {
        dwVideoWidth = 720;
        dwVideoHeight = 480;
    } else {
        dwVideoWidth = cxScreen * 3 / 4;
        dwVideoHeight = cyScreen * 3 / 4;
    }
    SizeWindowToClient(hwnd, dwVideoWidth, dwVideoHeight);
    PostMessageA(hwnd, WM_STARTVIDEO, 0, 0);
}

static void EndApplication(void)
{
    ReleaseDirectDrawObjects();
    PostQuitMessage(0);
}

static void OnCommand(HWND hwnd, WORD wId)
{
    (void)hwnd;
    switch (wId) {
    case IDM_EXIT:
        EndApplication();       // the window is left to the end of the process
        break;
    }
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_CREATE:
        OnCreate(hwnd);
        return 0;
    case WM_DESTROY:
        EndApplication();
        return 0;
    case WM_COMMAND:
        OnCommand(hwnd, LOWORD(wParam));
        return 0;
    }
    return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}
