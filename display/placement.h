// The overlay's place over the client area, the port's scaling for the
// window size, and the colour key painted under the overlay.
#pragma once

#include "display/ddraw5.h"

extern DWORD dwPrescaleWidth;
extern DWORD dwSrcLeft;
extern DWORD dwSrcTop;
extern DWORD dwSrcBottom;
extern int nPrescaleShift;

int GetClientScreenRect(RECT *lpRect);
int AlignSourceRect(LPDIRECTDRAW lpDD, RECT *lpRect);
int AlignDestRect(LPDIRECTDRAW lpDD, RECT *lpRect);
int GetOverlayDestRect(RECT *lpDest, int *lpClipped);
int MapDestToSource(RECT *lpSrc, const RECT *lpFull, const RECT *lpDest);
void HideOverlay(void);
int UpdateOverlayPlacement(void);
int ProgramVideoPort(int nShift);
int ApplyVideoGeometry(void);
void PaintColorKey(void);
