// UYVY to bottom-up 24-bit RGB with the JFIF coefficients, in 1/1024 steps.
#include "avifile/kernels.h"

#include <stddef.h>

// Entry c of a chroma table, the coefficient given in 1/100000:
// (c - 128) x coefficient x 1024, rounded toward zero.
static constexpr int ChromaEntry(int c, long long llCoefficient)
{
    return (int)((c - 128) * 1024 * llCoefficient / 100000);
}

#define ENTRIES4(f, c) f(c), f(c + 1), f(c + 2), f(c + 3)
#define ENTRIES16(f, c) ENTRIES4(f, c), ENTRIES4(f, c + 4), ENTRIES4(f, c + 8), ENTRIES4(f, c + 12)
#define ENTRIES64(f, c) ENTRIES16(f, c), ENTRIES16(f, c + 16), ENTRIES16(f, c + 32), ENTRIES16(f, c + 48)
#define ENTRIES256(f) ENTRIES64(f, 0), ENTRIES64(f, 64), ENTRIES64(f, 128), ENTRIES64(f, 192)

#define RED_V(c) ChromaEntry(c, 140200)
#define GREEN_V(c) ChromaEntry(c, 71414)
#define BLUE_U(c) ChromaEntry(c, 177200)
#define GREEN_U(c) ChromaEntry(c, 34414)

const int redV[256] = { ENTRIES256(RED_V) };
const int greenV[256] = { ENTRIES256(GREEN_V) };
const int blueU[256] = { ENTRIES256(BLUE_U) };
const int greenU[256] = { ENTRIES256(GREEN_U) };

static uint8_t Clamp(int nValue)
{
    return (uint8_t)(nValue < 0 ? 0 : nValue > 255 ? 255 : nValue);
}

void Rgb24FrameFromUyvyReference(const uint8_t *lpUYVY, uint8_t *lpRGB24, uint32_t dwWidth, uint32_t dwHeight)
{
    for (uint32_t k = 0; k < dwHeight; k++) {
        const uint8_t *lpRow = lpUYVY + 2 * (size_t)dwWidth * (dwHeight - 1 - k);
        for (uint32_t x = 0; x < dwWidth; x++) {
            const uint8_t *lpGroup = lpRow + 4 * (x / 2);
            int u = lpGroup[0], v = lpGroup[2];
            int y = 1024 * (x % 2 ? lpGroup[3] : lpGroup[1]);
            *lpRGB24++ = Clamp((y + blueU[u]) >> 10);
            *lpRGB24++ = Clamp((y - greenU[u] - greenV[v]) >> 10);
            *lpRGB24++ = Clamp((y + redV[v]) >> 10);
        }
    }
}

// Y + (chroma term >> 10) is never below -227 nor above 480: the table
// clamps by lookup around its zero.
struct ClampTable {
    uint8_t value[768];
};
static constexpr ClampTable MakeClampTable(void)
{
    ClampTable table = {};
    for (int i = 0; i < 768; i++)
        table.value[i] = (uint8_t)(i < 256 ? 0 : i > 511 ? 255 : i - 256);
    return table;
}
static constexpr ClampTable clampTable = MakeClampTable();
static const uint8_t *const clamp = clampTable.value + 256;

// One row of pixel pairs. (1024 Y + t) >> 10 is Y + (t >> 10), so each
// pair's three chroma terms are shifted once and added to either luma.
static void ConvertRowToRgb24(const uint8_t *lpGroup, uint8_t *lpOut, uint32_t dwPairs)
{
    for (uint32_t i = 0; i < dwPairs; i++, lpGroup += 4, lpOut += 6) {
        int u = lpGroup[0], y0 = lpGroup[1], v = lpGroup[2], y1 = lpGroup[3];
        int nBlue = blueU[u] >> 10;
        int nGreen = (-greenU[u] - greenV[v]) >> 10;
        int nRed = redV[v] >> 10;
        lpOut[0] = clamp[y0 + nBlue];
        lpOut[1] = clamp[y0 + nGreen];
        lpOut[2] = clamp[y0 + nRed];
        lpOut[3] = clamp[y1 + nBlue];
        lpOut[4] = clamp[y1 + nGreen];
        lpOut[5] = clamp[y1 + nRed];
    }
}

void Rgb24FrameFromUyvy(const uint8_t *lpUYVY, uint8_t *lpRGB24, uint32_t dwWidth, uint32_t dwHeight)
{
    size_t cbSourceRow = 2 * (size_t)dwWidth, cbOutRow = 3 * (size_t)dwWidth;
    const uint8_t *lpRow = lpUYVY + cbSourceRow * dwHeight;
    for (uint32_t k = 0; k < dwHeight; k++, lpRGB24 += cbOutRow) {
        lpRow -= cbSourceRow;
        ConvertRowToRgb24(lpRow, lpRGB24, dwWidth / 2);
    }
}
