// The entry point's work: the start-up checks, the decoder bring-up, the
// DirectDraw objects, the main window, the message loop and the way out.
#pragma once

#include <windows.h>

extern const char szMainWindowClass[];   // "ZENTRIKVIDMORA"

// Everything WinMain does once the card's backends are chosen. Returns 0
// after a start-up failure, else the wParam of the WM_QUIT that ended the loop.
int VidmoraMain(HINSTANCE hInstance);

int IsFirstInstance(void);
int HasDirectX5(void);
int CreateMainWindow(HINSTANCE hInstance, int nCmdShow);
