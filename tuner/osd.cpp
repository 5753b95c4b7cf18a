#include "tuner/osd.h"

#include <math.h>

#include "common/state.h"
#include "display/placement.h"

static const char szChannelFont[] = "Times New Roman";
static const COLORREF CHANNEL_NUMBER_COLOUR = RGB(0, 0xFF, 0);

int nLastChannelShown = -1;

HFONT CreateScaledFont(HDC hdc, const char *lpFaceName, int nTenthsOfPoint)
{
    SaveDC(hdc);
    SetGraphicsMode(hdc, GM_ADVANCED);
    ModifyWorldTransform(hdc, NULL, MWT_IDENTITY);
    SetViewportOrgEx(hdc, 0, 0, NULL);
    SetWindowOrgEx(hdc, 0, 0, NULL);

    double dPixelsPerInch = (double)GetDeviceCaps(hdc, LOGPIXELSY);
    POINT pt = { 0, (LONG)(nTenthsOfPoint * dPixelsPerInch / 72) };
    DPtoLP(hdc, &pt, 1);

    LOGFONTA lf;
    ZeroMemory(&lf, sizeof(lf));
    lf.lfHeight = -(LONG)(fabs((double)pt.y) / 10 + 0.5);   // the character height, not the cell's
    lstrcpynA(lf.lfFaceName, lpFaceName, LF_FACESIZE);
    HFONT hFont = CreateFontIndirectA(&lf);

    RestoreDC(hdc, -1);
    return hFont;
}

RECT ChannelNumberRect(DWORD dwWidth, DWORD dwHeight)
{
    RECT rc;
    rc.left = 0;
    rc.top = (LONG)(dwHeight / 15);
    rc.right = (LONG)(dwWidth / 12 * 11);
    rc.bottom = (LONG)dwHeight;
    return rc;
}

void ShowChannelNumber(HWND hwnd, int nNumber)
{
    if (!hwnd)
        return;                     // no window yet: never draw on the desktop
    KillTimer(hwnd, CHANNEL_NUMBER_TIMER);
    PaintColorKey();                // erases the number drawn before

    HDC hdc = GetDC(hwnd);
    HFONT hFont = CreateScaledFont(hdc, szChannelFont, (int)(dwVideoHeight * 350 / 480));
    HGDIOBJ hOldFont = SelectObject(hdc, hFont);
    RECT rc = ChannelNumberRect(dwVideoWidth, dwVideoHeight);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, CHANNEL_NUMBER_COLOUR);
    char szNumber[16];
    wsprintfA(szNumber, "%d", nNumber);
    DrawTextA(hdc, szNumber, -1, &rc, DT_RIGHT);
    SelectObject(hdc, hOldFont);
    DeleteObject(hFont);
    ReleaseDC(hwnd, hdc);

    nLastChannelShown = nNumber;
    SetTimer(hwnd, CHANNEL_NUMBER_TIMER, CHANNEL_NUMBER_MS, NULL);
}

void OnChannelNumberTimer(HWND hwnd)
{
    KillTimer(hwnd, CHANNEL_NUMBER_TIMER);
    PaintColorKey();
}
