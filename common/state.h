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

// Capture settings: where a single frame goes, the BMP name and its number,
// the AVI file of frame-by-frame and timed captures, the (unused) time limit.
enum { CAPTURE_NAME_SIZE = 256 };
extern int bCaptureToClipboard;
extern char szBmpFileName[CAPTURE_NAME_SIZE];
extern int bNumberedFileName;
extern int nFileNumber;
extern char szAviFileName[CAPTURE_NAME_SIZE];
extern DWORD dwTimeLimit;

// Capture files: frames in the temporary file, the frame budget
// (0xFFFFFFFF: no limit), the progress dialog the converters step.
extern DWORD nFramesCaptured;
extern DWORD dwMaxFrames;
extern HWND hProgressDialog;

// Puts every global back to the value it has when the process starts.
void ResetSharedState(void);
