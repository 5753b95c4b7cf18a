#include "display/placement.h"

#include "common/state.h"
#include "display/videoport.h"

DWORD dwPrescaleWidth;
DWORD dwSrcLeft;
DWORD dwSrcTop;
DWORD dwSrcBottom;
int nPrescaleShift;

enum { CAPTURE_LINES = 240, BLANKING_LINES = 11, CROP_PIXELS = 8, MAX_PRESCALE_SHIFT = 3 };

int GetClientScreenRect(RECT *lpRect)
{
    if (IsIconic(hwndMain))
        return 0;
    RECT rc;
    GetClientRect(hwndMain, &rc);
    ClientToScreen(hwndMain, (POINT *)&rc.left);
    ClientToScreen(hwndMain, (POINT *)&rc.right);
    *lpRect = rc;
    return 1;
}

// ---- alignment ----

typedef struct AlignmentRule {
    DWORD dwBoundaryCap, dwSizeCap;
    DWORD DDCAPS::*pBoundary;
    DWORD DDCAPS::*pSize;
} AlignmentRule;

static const AlignmentRule sourceAlignment = { DDCAPS_ALIGNBOUNDARYSRC, DDCAPS_ALIGNSIZESRC,
                                               &DDCAPS::dwAlignBoundarySrc, &DDCAPS::dwAlignSizeSrc };
static const AlignmentRule destAlignment = { DDCAPS_ALIGNBOUNDARYDEST, DDCAPS_ALIGNSIZEDEST,
                                             &DDCAPS::dwAlignBoundaryDest, &DDCAPS::dwAlignSizeDest };

// Rounds the left edge up to the boundary and the width down to the size
// the driver asks for; top and bottom stay.
static int AlignRect(LPDIRECTDRAW lpDD, RECT *lpRect, const AlignmentRule *lpRule)
{
    if (!lpDD || !lpRect)
        return 0;
    DDCAPS caps;
    ZeroMemory(&caps, sizeof(caps));
    caps.dwSize = sizeof(caps);
    if (FAILED(lpDD->GetCaps(&caps, NULL)))
        return 0;
    DWORD a = caps.*lpRule->pBoundary, s = caps.*lpRule->pSize;
    DWORD dwLeft = (DWORD)lpRect->left, dwRight = (DWORD)lpRect->right;
    if ((caps.dwCaps & lpRule->dwBoundaryCap) && a != 0)
        dwLeft = (dwLeft + a - 1) - (dwLeft + a - 1) % a;
    if ((caps.dwCaps & lpRule->dwSizeCap) && s != 0)
        dwRight = dwLeft + (dwRight - dwLeft) / s * s;
    lpRect->left = (LONG)dwLeft;
    lpRect->right = (LONG)dwRight;
    return 1;
}

int AlignSourceRect(LPDIRECTDRAW lpDD, RECT *lpRect)
{
    return AlignRect(lpDD, lpRect, &sourceAlignment);
}

int AlignDestRect(LPDIRECTDRAW lpDD, RECT *lpRect)
{
    return AlignRect(lpDD, lpRect, &destAlignment);
}

// ---- where the overlay goes ----

// One visible rectangle: exactly that, unkeyed. Several or none: the whole
// on-screen client area, keyed.
int GetOverlayDestRect(RECT *lpDest, int *lpClipped)
{
    RECT rcClient;
    if (!GetClientScreenRect(&rcClient))
        return 0;
    DWORD cbClipList = 0;
    if (FAILED(lpClipper->GetClipList(NULL, NULL, &cbClipList)))
        return 0;
    LPRGNDATA lpClipList = (LPRGNDATA)GlobalAlloc(GPTR, cbClipList);
    if (!lpClipList)
        return 0;
    if (lpClipper->GetClipList(NULL, lpClipList, &cbClipList) != DD_OK) {
        GlobalFree(lpClipList);
        return 0;
    }
    if (lpClipList->rdh.nCount == 1) {
        CopyMemory(lpDest, lpClipList->Buffer, sizeof(RECT));
        *lpClipped = 0;
    } else {
        IntersectRect(lpDest, &rcClient, &rcScreen);
        *lpClipped = 1;
    }
    AlignDestRect(lpDirectDraw, lpDest);
    GlobalFree(lpClipList);
    return 1;
}

// The part of the full source that lands in dest, in proportion to the client area.
int MapDestToSource(RECT *lpSrc, const RECT *lpFull, const RECT *lpDest)
{
    RECT rcClient;
    if (!GetClientScreenRect(&rcClient))
        return 0;
    DWORD cw = rcClient.right - rcClient.left, ch = rcClient.bottom - rcClient.top;
    DWORD sw = lpFull->right - lpFull->left, sh = lpFull->bottom - lpFull->top;
    if (cw == 0 || ch == 0)
        return 0;
    lpSrc->left = (LONG)((DWORD)(lpDest->left - rcClient.left) * sw / cw + lpFull->left);
    lpSrc->right = (LONG)((DWORD)(lpDest->right - rcClient.left) * sw / cw + lpFull->left);
    lpSrc->top = (LONG)((DWORD)(lpDest->top - rcClient.top) * sh / ch + lpFull->top);
    lpSrc->bottom = (LONG)((DWORD)(lpDest->bottom - rcClient.top) * sh / ch + lpFull->top);
    AlignSourceRect(lpDirectDraw, lpSrc);
    return 1;
}

void HideOverlay(void)
{
    if (lpOverlaySurface && lpPrimarySurface)
        lpOverlaySurface->UpdateOverlay(NULL, lpPrimarySurface, NULL, DDOVER_HIDE, NULL);
}

static int ShowOverlay(RECT *lpSrc, RECT *lpDest, DWORD dwFlags)
{
    return lpOverlaySurface->UpdateOverlay(lpSrc, lpPrimarySurface, lpDest, dwFlags, NULL) == DD_OK;
}

int UpdateOverlayPlacement(void)
{
    RECT rcFull = { (LONG)dwSrcLeft, (LONG)dwSrcTop, (LONG)(dwPrescaleWidth - dwSrcLeft), (LONG)dwSrcBottom };
    RECT rcDest, rcSrc;
    int bClipped;
    if (!GetOverlayDestRect(&rcDest, &bClipped) || !MapDestToSource(&rcSrc, &rcFull, &rcDest)) {
        HideOverlay();
        return 0;
    }
    DWORD dwFlags = DDOVER_SHOW | DDOVER_BOB | DDOVER_AUTOFLIP;
    if ((bKeyAlways || bClipped) && ShowOverlay(&rcSrc, &rcDest, dwFlags | DDOVER_KEYDEST))
        return 1;
    // A covered window never shows the overlay without the key.
    if (!bClipped && ShowOverlay(&rcSrc, &rcDest, dwFlags))
        return 1;
    HideOverlay();
    return 0;
}

// ---- the port's scaling ----

int ProgramVideoPort(int nShift)
{
    RECT rcClient;
    if (!GetClientScreenRect(&rcClient)) {
        HideOverlay();
        return 0;
    }
    DDVIDEOPORTINFO info;
    ZeroMemory(&info, sizeof(info));
    info.dwSize = sizeof(info);
    info.dwVPFlags = DDVP_CONVERT;
    info.lpddpfInputFormat = &ddpfPortInput;

    dwPrescaleWidth = VideoPortSettings.dwFieldWidth >> nShift;
    info.dwPrescaleWidth = dwPrescaleWidth;
    dwVideoWidth = rcClient.right - rcClient.left;
    dwSrcLeft = (dwVideoWidth * CROP_PIXELS + 719) / 720;
    dwVideoHeight = rcClient.bottom - rcClient.top;
    if (dwVideoHeight > CAPTURE_LINES) {
        // taller windows stretch lines 11 to 250 in the overlay
        dwSrcTop = BLANKING_LINES;
        dwSrcBottom = VideoPortSettings.dwFieldHeight;
    } else {
        dwSrcTop = (dwVideoHeight * BLANKING_LINES + 239) / 240;
        dwSrcBottom = dwVideoHeight + dwSrcTop;
        info.dwVPFlags |= DDVP_PRESCALE;
    }
    info.dwPrescaleHeight = dwSrcBottom;
    if (nShift != 0)
        info.dwVPFlags |= DDVP_PRESCALE;
    info.dwVPFlags |= DDVP_AUTOFLIP;

    HRESULT hr = bVideoStarting ? lpVideoPort->StartVideo(&info) : lpVideoPort->UpdateVideo(&info);
    if (hr != DD_OK)
        return 0;
    return UpdateOverlayPlacement();
}

int ApplyVideoGeometry(void)
{
    for (nPrescaleShift = 0; nPrescaleShift <= MAX_PRESCALE_SHIFT; nPrescaleShift++)
        if (ProgramVideoPort(nPrescaleShift))
            return 1;
    return 0;
}

// ---- the colour key under the overlay ----

void PaintColorKey(void)
{
    RECT rcClient;
    if (dwColorKey == 1 || !lpPrimarySurface || !GetClientScreenRect(&rcClient))
        return;
    DDBLTFX fx;
    ZeroMemory(&fx, sizeof(fx));
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = dwColorKey;
    lpPrimarySurface->Blt(&rcClient, NULL, NULL, DDBLT_COLORFILL, &fx);
}
