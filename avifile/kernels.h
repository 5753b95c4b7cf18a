// The frame conversions of the AVI captures as plain kernels: fixed-width
// integer types and no Windows header, so that the same sources build into
// the program and into the native benchmark in bench/. Each takes one UYVY
// frame of dwWidth x dwHeight (rows top first, U Y0 V Y1 groups). Each fast
// routine has a plain reference routine beside it that is its definition.
#pragma once

#include <stdint.h>

// 24-bit RGB, bottom row first, blue green red: the table-driven integer
// conversion with the JFIF coefficients. Width even.
void Rgb24FrameFromUyvy(const uint8_t *lpUYVY, uint8_t *lpRGB24, uint32_t dwWidth, uint32_t dwHeight);
void Rgb24FrameFromUyvyReference(const uint8_t *lpUYVY, uint8_t *lpRGB24, uint32_t dwWidth, uint32_t dwHeight);

// The paths Rgb24FrameFromUyvy can take, each callable on its own and each
// giving the reference's bytes: "plain" (portable C) first, then those of
// "ssse3" and "avx2" that this processor runs, best last.
// Rgb24FrameFromUyvy takes the last, picked at its first call.
typedef void (*Rgb24FrameProc)(const uint8_t *lpUYVY, uint8_t *lpRGB24, uint32_t dwWidth, uint32_t dwHeight);
typedef struct {
    const char *lpName;
    Rgb24FrameProc lpConvert;
} Rgb24FramePath;
const Rgb24FramePath *Rgb24FramePaths(uint32_t *lpCount);

// The four chroma tables: entry c = (c - 128) x coefficient x 1024,
// rounded toward zero.
extern const int redV[256], greenV[256], blueU[256], greenU[256];

// YVU9 planar: the luma plane, then V and U with one mean (rounded down)
// per 4 x 4 block. Width and height multiples of 4.
void Yvu9FrameFromUyvy(const uint8_t *lpUYVY, uint8_t *lpYVU9, uint32_t dwWidth, uint32_t dwHeight);
void Yvu9FrameFromUyvyReference(const uint8_t *lpUYVY, uint8_t *lpYVU9, uint32_t dwWidth, uint32_t dwHeight);

// The paths Yvu9FrameFromUyvy can take, each callable on its own: "plain"
// (portable C) first, then those of "sse2" and "avx2" that this processor
// runs, best last. Yvu9FrameFromUyvy takes the last, picked at its first call.
typedef void (*Yvu9FrameProc)(const uint8_t *lpUYVY, uint8_t *lpYVU9, uint32_t dwWidth, uint32_t dwHeight);
typedef struct {
    const char *lpName;
    Yvu9FrameProc lpConvert;
} Yvu9FramePath;
const Yvu9FramePath *Yvu9FramePaths(uint32_t *lpCount);
