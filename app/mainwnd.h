// The main window's procedure and its command table.
#pragma once

#include <windows.h>

enum { WM_STARTVIDEO = WM_USER + 100 };

extern const char szLiveVideoCaption[];   // "Zentrik Vidmora   (LiveVideo mode)"

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
