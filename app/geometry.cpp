#include "app/geometry.h"

void SizeWindowToClient(HWND hwnd, int cw, int ch)
{
    ShowWindow(hwnd, SW_RESTORE);

    RECT rcWindow;
    POINT ptClient = { 0, 0 };
    GetWindowRect(hwnd, &rcWindow);
    ClientToScreen(hwnd, &ptClient);
    int bx = ptClient.x - rcWindow.left;    // side border
    int by = ptClient.y - rcWindow.top;     // top border, caption and menu bar

    int cxOuter = cw + 2 * bx;
    int cyOuter = ch + bx + by;             // the bottom border taken as the side one
    int x = (GetSystemMetrics(SM_CXSCREEN) - cxOuter) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - cyOuter) / 2;
    SetWindowPos(hwnd, NULL, x < 0 ? 0 : x, y < 0 ? 0 : y, cxOuter, cyOuter, SWP_NOZORDER);
}
