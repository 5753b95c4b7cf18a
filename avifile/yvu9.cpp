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

// One block row from pixel column dwFrom (a multiple of 4) to the end: the
// luma of the four source rows at lpRow into the four rows at lpY, and the
// block means into lpV and lpU (the block row's first entries).
static void BlockRowFrom(const uint8_t *lpRow, uint8_t *lpY, uint8_t *lpV, uint8_t *lpU, uint32_t dwWidth,
                         uint32_t dwFrom)
{
    size_t cbRow = 2 * (size_t)dwWidth;
    for (int r = 0; r < 4; r++)
        for (uint32_t x = dwFrom; x < dwWidth; x++)
            lpY[r * (size_t)dwWidth + x] = lpRow[r * cbRow + 2 * x + 1];
    for (uint32_t c = dwFrom / 4; c < dwWidth / 4; c++) {
        const uint8_t *lpGroup = lpRow + 8 * (size_t)c;
        uint32_t dwLanes = ChromaLanes(lpGroup) + ChromaLanes(lpGroup + cbRow) +
                           ChromaLanes(lpGroup + 2 * cbRow) + ChromaLanes(lpGroup + 3 * cbRow);
        lpU[c] = (uint8_t)((dwLanes & 0xFFFF) >> 3);
        lpV[c] = (uint8_t)(dwLanes >> 19);
    }
}

// Every path walks the frame one block row (four source rows) at a time,
// luma and chroma in the one pass; lpBlockRow converts one block row.
typedef void (*BlockRowProc)(const uint8_t *lpRow, uint8_t *lpY, uint8_t *lpV, uint8_t *lpU, uint32_t dwWidth);

static inline void ConvertBlockRows(BlockRowProc lpBlockRow, const uint8_t *lpUYVY, uint8_t *lpYVU9,
                                    uint32_t dwWidth, uint32_t dwHeight)
{
    size_t cbPlane = (size_t)dwWidth * dwHeight, cbChromaRow = dwWidth / 4;
    uint8_t *lpV = lpYVU9 + cbPlane, *lpU = lpV + cbChromaRow * (dwHeight / 4);
    for (uint32_t r = 0; r < dwHeight / 4; r++)
        lpBlockRow(lpUYVY + 8 * (size_t)dwWidth * r, lpYVU9 + 4 * (size_t)dwWidth * r, lpV + r * cbChromaRow,
                   lpU + r * cbChromaRow, dwWidth);
}

static void PlainBlockRow(const uint8_t *lpRow, uint8_t *lpY, uint8_t *lpV, uint8_t *lpU, uint32_t dwWidth)
{
    BlockRowFrom(lpRow, lpY, lpV, lpU, dwWidth, 0);
}

static void Yvu9FrameFromUyvyPlain(const uint8_t *lpUYVY, uint8_t *lpYVU9, uint32_t dwWidth, uint32_t dwHeight)
{
    ConvertBlockRows(PlainBlockRow, lpUYVY, lpYVU9, dwWidth, dwHeight);
}

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

// How far ahead the SIMD paths fetch the source, in rows: two block rows,
// the best distance measured at 352 x 240 with frames from main memory.
#ifndef YVU9_PREFETCH
#define YVU9_PREFETCH 8
#endif

// On i686 Windows the stack is only 4-byte aligned on entry; the SIMD paths
// realign it for their spills.
#if defined(__i386__)
#define SIMD_ENTRY __attribute__((force_align_arg_pointer))
#else
#define SIMD_ENTRY
#endif

// Chroma sums of four groups (words U V U V ..., each over the four rows) to
// the two block sums, U | V << 16, in the low two dwords.
__attribute__((target("sse2"))) static inline __m128i BlockPairSums(__m128i xGroups)
{
    __m128i xPairs = _mm_add_epi16(xGroups, _mm_srli_epi64(xGroups, 32));
    return _mm_shuffle_epi32(xPairs, _MM_SHUFFLE(3, 1, 2, 0));
}

// Eight blocks' means from the group sums of their 32 pixels: the U means
// in the low 8 bytes, the V means in the high 8.
__attribute__((target("sse2"))) static inline __m128i EightBlockMeans(__m128i x0, __m128i x1, __m128i x2, __m128i x3)
{
    __m128i xLow = _mm_srli_epi16(_mm_unpacklo_epi64(BlockPairSums(x0), BlockPairSums(x1)), 3);
    __m128i xHigh = _mm_srli_epi16(_mm_unpacklo_epi64(BlockPairSums(x2), BlockPairSums(x3)), 3);
    __m128i xWord = _mm_set1_epi32(0xFFFF);
    __m128i xU = _mm_packs_epi32(_mm_and_si128(xLow, xWord), _mm_and_si128(xHigh, xWord));
    __m128i xV = _mm_packs_epi32(_mm_srli_epi32(xLow, 16), _mm_srli_epi32(xHigh, 16));
    return _mm_packus_epi16(xU, xV);
}

__attribute__((target("sse2"))) static inline void StoreEightMeans(__m128i xMeans, uint8_t *lpV, uint8_t *lpU)
{
    _mm_storel_epi64((__m128i *)lpU, xMeans);
    _mm_storel_epi64((__m128i *)lpV, _mm_srli_si128(xMeans, 8));
}

// 32 pixels a step from pixel column x, as far as whole steps go; returns
// the column where they stop. Per row four 16-byte loads, the odd bytes
// packed to luma, the even bytes (U V as words) summed over the four rows.
// The same place of the block row YVU9_PREFETCH rows further down is
// fetched ahead, so that a frame from main memory streams in.
__attribute__((target("sse2"))) static inline uint32_t Sse2Steps(const uint8_t *lpRow, uint8_t *lpY, uint8_t *lpV,
                                                                 uint8_t *lpU, uint32_t dwWidth, uint32_t x)
{
    size_t cbRow = 2 * (size_t)dwWidth;
    const __m128i xLow = _mm_set1_epi16(0x00FF);
    for (; x + 32 <= dwWidth; x += 32) {
        __m128i xSum0 = _mm_setzero_si128(), xSum1 = xSum0, xSum2 = xSum0, xSum3 = xSum0;
        for (int r = 0; r < 4; r++) {
            const __m128i *lpSrc = (const __m128i *)(lpRow + r * cbRow + 2 * (size_t)x);
            _mm_prefetch((const char *)lpSrc + YVU9_PREFETCH * cbRow, _MM_HINT_T0);
            __m128i x0 = _mm_loadu_si128(lpSrc), x1 = _mm_loadu_si128(lpSrc + 1);
            __m128i x2 = _mm_loadu_si128(lpSrc + 2), x3 = _mm_loadu_si128(lpSrc + 3);
            __m128i *lpDst = (__m128i *)(lpY + r * (size_t)dwWidth + x);
            _mm_storeu_si128(lpDst, _mm_packus_epi16(_mm_srli_epi16(x0, 8), _mm_srli_epi16(x1, 8)));
            _mm_storeu_si128(lpDst + 1, _mm_packus_epi16(_mm_srli_epi16(x2, 8), _mm_srli_epi16(x3, 8)));
            xSum0 = _mm_add_epi16(xSum0, _mm_and_si128(x0, xLow));
            xSum1 = _mm_add_epi16(xSum1, _mm_and_si128(x1, xLow));
            xSum2 = _mm_add_epi16(xSum2, _mm_and_si128(x2, xLow));
            xSum3 = _mm_add_epi16(xSum3, _mm_and_si128(x3, xLow));
        }
        StoreEightMeans(EightBlockMeans(xSum0, xSum1, xSum2, xSum3), lpV + x / 4, lpU + x / 4);
    }
    return x;
}

__attribute__((target("sse2"))) static void Sse2BlockRow(const uint8_t *lpRow, uint8_t *lpY, uint8_t *lpV,
                                                         uint8_t *lpU, uint32_t dwWidth)
{
    BlockRowFrom(lpRow, lpY, lpV, lpU, dwWidth, Sse2Steps(lpRow, lpY, lpV, lpU, dwWidth, 0));
}

SIMD_ENTRY __attribute__((target("sse2"))) static void Yvu9FrameFromUyvySse2(const uint8_t *lpUYVY, uint8_t *lpYVU9,
                                                                            uint32_t dwWidth, uint32_t dwHeight)
{
    ConvertBlockRows(Sse2BlockRow, lpUYVY, lpYVU9, dwWidth, dwHeight);
}

// 64 pixels a step with 32-byte loads, then a 32-pixel step where one fits;
// the in-lane packs leave the luma's 8-byte quarters in the order 0 2 1 3,
// put right by one permute.
__attribute__((target("avx2"))) static void Avx2BlockRow(const uint8_t *lpRow, uint8_t *lpY, uint8_t *lpV,
                                                         uint8_t *lpU, uint32_t dwWidth)
{
    size_t cbRow = 2 * (size_t)dwWidth;
    const __m256i yLow = _mm256_set1_epi16(0x00FF);
    uint32_t x = 0;
    for (; x + 64 <= dwWidth; x += 64) {
        __m256i ySum0 = _mm256_setzero_si256(), ySum1 = ySum0, ySum2 = ySum0, ySum3 = ySum0;
        for (int r = 0; r < 4; r++) {
            const __m256i *lpSrc = (const __m256i *)(lpRow + r * cbRow + 2 * (size_t)x);
            _mm_prefetch((const char *)lpSrc + YVU9_PREFETCH * cbRow, _MM_HINT_T0);
            _mm_prefetch((const char *)lpSrc + YVU9_PREFETCH * cbRow + 64, _MM_HINT_T0);
            __m256i y0 = _mm256_loadu_si256(lpSrc), y1 = _mm256_loadu_si256(lpSrc + 1);
            __m256i y2 = _mm256_loadu_si256(lpSrc + 2), y3 = _mm256_loadu_si256(lpSrc + 3);
            __m256i *lpDst = (__m256i *)(lpY + r * (size_t)dwWidth + x);
            __m256i yLuma0 = _mm256_packus_epi16(_mm256_srli_epi16(y0, 8), _mm256_srli_epi16(y1, 8));
            __m256i yLuma1 = _mm256_packus_epi16(_mm256_srli_epi16(y2, 8), _mm256_srli_epi16(y3, 8));
            _mm256_storeu_si256(lpDst, _mm256_permute4x64_epi64(yLuma0, _MM_SHUFFLE(3, 1, 2, 0)));
            _mm256_storeu_si256(lpDst + 1, _mm256_permute4x64_epi64(yLuma1, _MM_SHUFFLE(3, 1, 2, 0)));
            ySum0 = _mm256_add_epi16(ySum0, _mm256_and_si256(y0, yLow));
            ySum1 = _mm256_add_epi16(ySum1, _mm256_and_si256(y1, yLow));
            ySum2 = _mm256_add_epi16(ySum2, _mm256_and_si256(y2, yLow));
            ySum3 = _mm256_add_epi16(ySum3, _mm256_and_si256(y3, yLow));
        }
        // Each 16-byte half holds four groups of pixels in order.
        StoreEightMeans(EightBlockMeans(_mm256_castsi256_si128(ySum0), _mm256_extracti128_si256(ySum0, 1),
                                        _mm256_castsi256_si128(ySum1), _mm256_extracti128_si256(ySum1, 1)),
                        lpV + x / 4, lpU + x / 4);
        StoreEightMeans(EightBlockMeans(_mm256_castsi256_si128(ySum2), _mm256_extracti128_si256(ySum2, 1),
                                        _mm256_castsi256_si128(ySum3), _mm256_extracti128_si256(ySum3, 1)),
                        lpV + x / 4 + 8, lpU + x / 4 + 8);
    }
    BlockRowFrom(lpRow, lpY, lpV, lpU, dwWidth, Sse2Steps(lpRow, lpY, lpV, lpU, dwWidth, x));
}

SIMD_ENTRY __attribute__((target("avx2"))) static void Yvu9FrameFromUyvyAvx2(const uint8_t *lpUYVY, uint8_t *lpYVU9,
                                                                            uint32_t dwWidth, uint32_t dwHeight)
{
    ConvertBlockRows(Avx2BlockRow, lpUYVY, lpYVU9, dwWidth, dwHeight);
}
#endif

// The paths of this processor, filled once.
struct Yvu9PathTable {
    Yvu9FramePath paths[3];
    uint32_t dwCount;
};

static Yvu9PathTable FindYvu9Paths(void)
{
    Yvu9PathTable table = { { { "plain", Yvu9FrameFromUyvyPlain } }, 1 };
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("sse2"))
        table.paths[table.dwCount++] = { "sse2", Yvu9FrameFromUyvySse2 };
    if (__builtin_cpu_supports("avx2"))
        table.paths[table.dwCount++] = { "avx2", Yvu9FrameFromUyvyAvx2 };
#endif
    return table;
}

const Yvu9FramePath *Yvu9FramePaths(uint32_t *lpCount)
{
    static const Yvu9PathTable table = FindYvu9Paths();
    *lpCount = table.dwCount;
    return table.paths;
}

void Yvu9FrameFromUyvy(const uint8_t *lpUYVY, uint8_t *lpYVU9, uint32_t dwWidth, uint32_t dwHeight)
{
    static const Yvu9FrameProc lpBest = [] {
        uint32_t dwCount;
        const Yvu9FramePath *lpPaths = Yvu9FramePaths(&dwCount);
        return lpPaths[dwCount - 1].lpConvert;
    }();
    lpBest(lpUYVY, lpYVU9, dwWidth, dwHeight);
}
