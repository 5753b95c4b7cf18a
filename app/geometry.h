// Window geometry around a wanted client size.
#pragma once

#include <windows.h>

// Gives hwnd a client area of cw x ch pixels, centred on the screen (never
// at a negative position).
void SizeWindowToClient(HWND hwnd, int cw, int ch);
