// UYVY to YVU9 planar: the luma plane as it is, then one V and one U per
// 4 x 4 block, the mean of the block's eight samples rounded down.
#include "avifile/convertframe.h"

#include <string.h>

// Byte dwOffset of each of the four rows from lpRow (cbRow bytes apart),
// and the byte 4 further on: the eight samples of one block.
static DWORD SumBlockSamples(const BYTE *lpRow, SIZE_T cbRow, DWORD dwOffset)
{
    DWORD dwSum = 0;
    for (int r = 0; r < 4; r++, lpRow += cbRow)
        dwSum += lpRow[dwOffset] + lpRow[dwOffset + 4];
    return dwSum;
}

void ConvertFrameToYvu9Reference(const BYTE *lpUYVY, BYTE *lpYVU9, DWORD dwWidth, DWORD dwHeight)
{
    SIZE_T cbRow = 2 * (SIZE_T)dwWidth, cbPlane = (SIZE_T)dwWidth * dwHeight;
    SIZE_T cbChroma = (SIZE_T)(dwWidth / 4) * (dwHeight / 4);
    BYTE *lpV = lpYVU9 + cbPlane, *lpU = lpV + cbChroma;
    for (SIZE_T i = 0; i < cbPlane; i++)
        lpYVU9[i] = lpUYVY[2 * i + 1];
    for (DWORD r = 0; r < dwHeight / 4; r++) {
        for (DWORD c = 0; c < dwWidth / 4; c++) {
            const BYTE *lpBlock = lpUYVY + 4 * r * cbRow;
            *lpV++ = (BYTE)(SumBlockSamples(lpBlock, cbRow, 8 * c + 2) >> 3);
            *lpU++ = (BYTE)(SumBlockSamples(lpBlock, cbRow, 8 * c) >> 3);
        }
    }
}

// The U and V of the two groups at lpGroup as two 16-bit lanes: the U sum
// low, the V sum high (a group U Y0 V Y1 read as a little-endian word).
static DWORD ChromaLanes(const BYTE *lpGroup)
{
    DWORD dwFirst, dwSecond;
    memcpy(&dwFirst, lpGroup, 4);
    memcpy(&dwSecond, lpGroup + 4, 4);
    return (dwFirst & 0x00FF00FF) + (dwSecond & 0x00FF00FF);
}

// One row of each chroma plane from the four source rows at lpRow.
static void AverageBlockRow(const BYTE *lpRow, BYTE *lpV, BYTE *lpU, DWORD dwWidth)
{
    SIZE_T cbRow = 2 * (SIZE_T)dwWidth;
    for (DWORD c = 0; c < dwWidth / 4; c++, lpRow += 8) {
        DWORD dwLanes = ChromaLanes(lpRow) + ChromaLanes(lpRow + cbRow) +
                        ChromaLanes(lpRow + 2 * cbRow) + ChromaLanes(lpRow + 3 * cbRow);
        lpU[c] = (BYTE)((dwLanes & 0xFFFF) >> 3);
        lpV[c] = (BYTE)(dwLanes >> 19);
    }
}

void ConvertFrameToYvu9(const BYTE *lpUYVY, BYTE *lpYVU9, DWORD dwWidth, DWORD dwHeight)
{
    SIZE_T cbPlane = (SIZE_T)dwWidth * dwHeight, cbChromaRow = dwWidth / 4;
    BYTE *lpV = lpYVU9 + cbPlane, *lpU = lpV + cbChromaRow * (dwHeight / 4);
    for (SIZE_T i = 0; i < cbPlane; i++)
        lpYVU9[i] = lpUYVY[2 * i + 1];
    for (DWORD r = 0; r < dwHeight / 4; r++)
        AverageBlockRow(lpUYVY + 8 * (SIZE_T)dwWidth * r, lpV + r * cbChromaRow, lpU + r * cbChromaRow, dwWidth);
}
