// The per-frame conversions of the AVI captures in Windows types, for the
// conversion run and its tests: each forwards to its kernel in
// avifile/kernels.h (DWORD and uint32_t are different types under MinGW, so
// the kernels cannot stand in for these directly).
#pragma once

#include <windows.h>

#include "avifile/kernels.h"

inline void ConvertFrameToRgb24(const BYTE *lpUYVY, BYTE *lpRGB24, DWORD dwWidth, DWORD dwHeight)
{
    Rgb24FrameFromUyvy(lpUYVY, lpRGB24, dwWidth, dwHeight);
}

inline void ConvertFrameToRgb24Reference(const BYTE *lpUYVY, BYTE *lpRGB24, DWORD dwWidth, DWORD dwHeight)
{
    Rgb24FrameFromUyvyReference(lpUYVY, lpRGB24, dwWidth, dwHeight);
}

inline void ConvertFrameToYvu9(const BYTE *lpUYVY, BYTE *lpYVU9, DWORD dwWidth, DWORD dwHeight)
{
    Yvu9FrameFromUyvy(lpUYVY, lpYVU9, dwWidth, dwHeight);
}

inline void ConvertFrameToYvu9Reference(const BYTE *lpUYVY, BYTE *lpYVU9, DWORD dwWidth, DWORD dwHeight)
{
    Yvu9FrameFromUyvyReference(lpUYVY, lpYVU9, dwWidth, dwHeight);
}
