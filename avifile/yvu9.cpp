// UYVY to YVU9 planar: the luma plane as it is, then one V and one U per
// 4 x 4 block, the mean of the block's eight samples rounded down.
#include "avifile/kernels.h"

#include <string.h>

// Byte dwOffset of each of the four rows from lpRow (cbRow bytes apart),
// and the byte 4 further on: the eight samples of one block.
static uint32_t SumBlockSamples(const uint8_t *lpRow, size_t cbRow, uint32_t dwOffset)
{
    uint32_t dwSum = 0;
    for (int r = 0; r < 4; r++, lpRow += cbRow)
        dwSum += lpRow[dwOffset] + lpRow[dwOffset + 4];
    return dwSum;
}

void Yvu9FrameFromUyvyReference(const uint8_t *lpUYVY, uint8_t *lpYVU9, uint32_t dwWidth, uint32_t dwHeight)
{
    size_t cbRow = 2 * (size_t)dwWidth, cbPlane = (size_t)dwWidth * dwHeight;
    size_t cbChroma = (size_t)(dwWidth / 4) * (dwHeight / 4);
    uint8_t *lpV = lpYVU9 + cbPlane, *lpU = lpV + cbChroma;
    for (size_t i = 0; i < cbPlane; i++)
        lpYVU9[i] = lpUYVY[2 * i + 1];
    for (uint32_t r = 0; r < dwHeight / 4; r++) {
        for (uint32_t c = 0; c < dwWidth / 4; c++) {
            const uint8_t *lpBlock = lpUYVY + 4 * r * cbRow;
            *lpV++ = (uint8_t)(SumBlockSamples(lpBlock, cbRow, 8 * c + 2) >> 3);
            *lpU++ = (uint8_t)(SumBlockSamples(lpBlock, cbRow, 8 * c) >> 3);
        }
    }
}

// The U and V of the two groups at lpGroup as two 16-bit lanes: the U sum
// low, the V sum high (a group U Y0 V Y1 read as a little-endian word).
static uint32_t ChromaLanes(const uint8_t *lpGroup)
{
    uint32_t dwFirst, dwSecond;
    memcpy(&dwFirst, lpGroup, 4);
    memcpy(&dwSecond, lpGroup + 4, 4);
    return (dwFirst & 0x00FF00FF) + (dwSecond & 0x00FF00FF);
}

// One row of each chroma plane from the four source rows at lpRow.
static void AverageBlockRow(const uint8_t *lpRow, uint8_t *lpV, uint8_t *lpU, uint32_t dwWidth)
{
    size_t cbRow = 2 * (size_t)dwWidth;
    for (uint32_t c = 0; c < dwWidth / 4; c++, lpRow += 8) {
        uint32_t dwLanes = ChromaLanes(lpRow) + ChromaLanes(lpRow + cbRow) +
                        ChromaLanes(lpRow + 2 * cbRow) + ChromaLanes(lpRow + 3 * cbRow);
        lpU[c] = (uint8_t)((dwLanes & 0xFFFF) >> 3);
        lpV[c] = (uint8_t)(dwLanes >> 19);
    }
}

void Yvu9FrameFromUyvy(const uint8_t *lpUYVY, uint8_t *lpYVU9, uint32_t dwWidth, uint32_t dwHeight)
{
    size_t cbPlane = (size_t)dwWidth * dwHeight, cbChromaRow = dwWidth / 4;
    uint8_t *lpV = lpYVU9 + cbPlane, *lpU = lpV + cbChromaRow * (dwHeight / 4);
    for (size_t i = 0; i < cbPlane; i++)
        lpYVU9[i] = lpUYVY[2 * i + 1];
    for (uint32_t r = 0; r < dwHeight / 4; r++)
        AverageBlockRow(lpUYVY + 8 * (size_t)dwWidth * r, lpV + r * cbChromaRow, lpU + r * cbChromaRow, dwWidth);
}
