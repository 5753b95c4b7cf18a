// Single Frame: the picture now in the live video, as a 24-bit bitmap on
// the clipboard or in the BMP file of the capture settings.
#pragma once

#include <windows.h>

// The whole command; 1 after a capture, 0 after a failure it has shown.
int CaptureSingleFrame(void);

// UYVY (rows top first) into bitmap rows (bottom first, blue green red),
// in floating point rounded to single precision as each value is stored.
void ConvertFrameForBitmap(const BYTE *lpUYVY, BYTE *lpRGB24, DWORD dwWidth, DWORD dwHeight);
