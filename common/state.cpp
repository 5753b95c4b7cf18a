#include "common/state.h"

HWND hwndMain;
HMENU hMainMenu;
HINSTANCE hInstApp;
DWORD dwVideoWidth, dwVideoHeight;
DWORD dwSavedWidth, dwSavedHeight;
CopyRowsProc pfnCopyRows;
int nDisplayMode = MODE_LIVEVIDEO;
int bFullScreen;
int bFramed = 1;

LPDIRECTDRAW lpDirectDraw;
LPDDVIDEOPORTCONTAINER lpVideoPortContainer;
LPDIRECTDRAWCLIPPER lpClipper;
LPDIRECTDRAWVIDEOPORT lpVideoPort;
LPDIRECTDRAWSURFACE lpPrimarySurface;
LPDIRECTDRAWSURFACE lpOverlaySurface;
RECT rcScreen;
DWORD dwColorKey = 1;

int nVideoConnector;
int nVideoStandard;
int bVideoSourceDlgOpen;
int nImageFormat;

int bCaptureToClipboard;
char szBmpFileName[CAPTURE_NAME_SIZE] = "c:\\capture.bmp";
int bNumberedFileName;
int nFileNumber = 1;
char szAviFileName[CAPTURE_NAME_SIZE] = "c:\\capture.avi";
DWORD dwTimeLimit = 10000;

DWORD nFramesCaptured;
DWORD dwMaxFrames;
HWND hProgressDialog;

void ResetSharedState(void)
{
    hwndMain = NULL;
    hMainMenu = NULL;
    hInstApp = NULL;
    dwVideoWidth = dwVideoHeight = 0;
    dwSavedWidth = dwSavedHeight = 0;
    pfnCopyRows = NULL;
    nDisplayMode = MODE_LIVEVIDEO;
    bFullScreen = 0;
    bFramed = 1;
    lpDirectDraw = NULL;
    lpVideoPortContainer = NULL;
    lpClipper = NULL;
    lpVideoPort = NULL;
    lpPrimarySurface = NULL;
    lpOverlaySurface = NULL;
    SetRectEmpty(&rcScreen);
    dwColorKey = 1;
    nVideoConnector = 0;
    nVideoStandard = 0;
    bVideoSourceDlgOpen = 0;
    nImageFormat = IMAGE_RGB24;
    bCaptureToClipboard = 0;
    lstrcpyA(szBmpFileName, "c:\\capture.bmp");
    bNumberedFileName = 0;
    nFileNumber = 1;
    lstrcpyA(szAviFileName, "c:\\capture.avi");
    dwTimeLimit = 10000;
    nFramesCaptured = 0;
    dwMaxFrames = 0;
    hProgressDialog = NULL;
}
