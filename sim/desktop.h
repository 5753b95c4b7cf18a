// The desktop's pixel formats: what the primary surface reports for each,
// and the colour a pixel value of that format shows on the screen.
//
// The 8-bit desktop's palette: index 253 is RGB(4, 4, 4), a near-black the
// driver keeps for the overlay's colour key; every other index reads as
// 3-3-2 RGB (red in bits 7-5, green in 4-2, blue in 1-0), each channel
// widened to 8 bits by repeating its bits.
#pragma once

#include <windows.h>
#include <ddraw.h>

namespace sim {

enum class DesktopFormat { Palette8, Rgb565, Rgb555, Rgb24, Rgb32 };

constexpr DWORD kKeyPaletteIndex = 253;
constexpr COLORREF kKeyPaletteColor = RGB(4, 4, 4);

DDPIXELFORMAT DesktopPixelFormat(DesktopFormat format);
// Bytes per pixel of the primary surface.
int DesktopBytesPerPixel(DesktopFormat format);
// The colour a pixel value shows: a palette index, or RGB bits in the format's masks.
COLORREF DesktopColor(DesktopFormat format, DWORD value);

}  // namespace sim
