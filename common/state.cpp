#include "common/state.h"

HWND hwndMain;
HMENU hMainMenu;
HINSTANCE hInstApp;
DWORD dwVideoWidth, dwVideoHeight;
CopyRowsProc pfnCopyRows;

LPDIRECTDRAW lpDirectDraw;
LPDDVIDEOPORTCONTAINER lpVideoPortContainer;
LPDIRECTDRAWCLIPPER lpClipper;
LPDIRECTDRAWVIDEOPORT lpVideoPort;
LPDIRECTDRAWSURFACE lpPrimarySurface;
LPDIRECTDRAWSURFACE lpOverlaySurface;

int nVideoConnector;
int nVideoStandard;

void ResetSharedState(void)
{
    hwndMain = NULL;
    hMainMenu = NULL;
    hInstApp = NULL;
    dwVideoWidth = dwVideoHeight = 0;
    pfnCopyRows = NULL;
    lpDirectDraw = NULL;
    lpVideoPortContainer = NULL;
    lpClipper = NULL;
    lpVideoPort = NULL;
    lpPrimarySurface = NULL;
    lpOverlaySurface = NULL;
    nVideoConnector = 0;
    nVideoStandard = 0;
}
