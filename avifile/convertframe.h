// The per-frame conversions of the AVI captures, from one UYVY frame of
// dwWidth x dwHeight (rows top first, U Y0 V Y1 groups). Each fast routine
// has a plain reference routine beside it that is its definition.
#pragma once

#include <windows.h>

// 24-bit RGB, bottom row first, blue green red: the table-driven integer
// conversion with the JFIF coefficients.
void ConvertFrameToRgb24(const BYTE *lpUYVY, BYTE *lpRGB24, DWORD dwWidth, DWORD dwHeight);
void ConvertFrameToRgb24Reference(const BYTE *lpUYVY, BYTE *lpRGB24, DWORD dwWidth, DWORD dwHeight);

// The four chroma tables: entry c = (c - 128) x coefficient x 1024,
// rounded toward zero.
extern const int redV[256], greenV[256], blueU[256], greenU[256];

// YVU9 planar: the luma plane, then V and U with one mean (rounded down)
// per 4 x 4 block. Width and height multiples of 4.
void ConvertFrameToYvu9(const BYTE *lpUYVY, BYTE *lpYVU9, DWORD dwWidth, DWORD dwHeight);
void ConvertFrameToYvu9Reference(const BYTE *lpUYVY, BYTE *lpYVU9, DWORD dwWidth, DWORD dwHeight);
