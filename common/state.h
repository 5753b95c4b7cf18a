// The process-wide state: plain globals, set by the routine that owns each
// value and read wherever it is needed.
#pragma once

#include "display/ddraw5.h"

// Copies dwVideoHeight rows of 2 x dwVideoWidth bytes out of a surface:
// source, destination, and the bytes to skip after each source row.
typedef void (*CopyRowsProc)(const BYTE *lpSource, BYTE *lpDest, LONG lSkip);

// The application shell
extern HWND hwndMain;
extern HMENU hMainMenu;
extern HINSTANCE hInstApp;
extern DWORD dwVideoWidth, dwVideoHeight;
extern DWORD dwSavedWidth, dwSavedHeight;
extern CopyRowsProc pfnCopyRows;

enum { MODE_LIVEVIDEO = 1, MODE_CAPTURE = 2 };
extern int nDisplayMode;
extern int bFullScreen;
extern int bFramed;

// Live video display
extern LPDIRECTDRAW lpDirectDraw;
extern LPDDVIDEOPORTCONTAINER lpVideoPortContainer;
extern LPDIRECTDRAWCLIPPER lpClipper;
extern LPDIRECTDRAWVIDEOPORT lpVideoPort;
extern LPDIRECTDRAWSURFACE lpPrimarySurface;
extern LPDIRECTDRAWSURFACE lpOverlaySurface;
extern RECT rcScreen;
extern DWORD dwColorKey;     // 1: no key set yet

// Video decoder control
enum {
    CONNECTOR_SVIDEO = 1001,
    CONNECTOR_COMPOSITE = 1002,
    CONNECTOR_TUNER = 1003,
};
extern int nVideoConnector;
extern int nVideoStandard;
extern int bVideoSourceDlgOpen;

// Capture
enum { IMAGE_RGB24 = 0, IMAGE_YVU9 = 1 };
extern int nImageFormat;

// Puts every global back to the value it has when the process starts.
void ResetSharedState(void);
