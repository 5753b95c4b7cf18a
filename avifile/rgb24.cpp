// UYVY to bottom-up 24-bit RGB with the JFIF coefficients, in 1/1024 steps.
#include "avifile/kernels.h"

#include <stddef.h>
#include <string.h>

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>
#define RGB24_X86 1
#endif

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

typedef void (*RowProc)(const uint8_t *lpGroup, uint8_t *lpOut, uint32_t dwPairs);

// Each row converted by convertRow. The source is read in its own order, top
// row first (a forward stream, as the hardware prefetcher expects), and each
// row's output goes to its bottom-up place, from the end of the output.
static void ConvertFrame(RowProc convertRow, const uint8_t *lpUYVY, uint8_t *lpRGB24, uint32_t dwWidth,
                         uint32_t dwHeight)
{
    size_t cbSourceRow = 2 * (size_t)dwWidth, cbOutRow = 3 * (size_t)dwWidth;
    uint8_t *lpOutRow = lpRGB24 + cbOutRow * dwHeight;
    for (uint32_t k = 0; k < dwHeight; k++, lpUYVY += cbSourceRow) {
        lpOutRow -= cbOutRow;
        convertRow(lpUYVY, lpOutRow, dwWidth / 2);
    }
}

static void Rgb24FramePlain(const uint8_t *lpUYVY, uint8_t *lpRGB24, uint32_t dwWidth, uint32_t dwHeight)
{
    ConvertFrame(ConvertRowToRgb24, lpUYVY, lpRGB24, dwWidth, dwHeight);
}

#ifdef RGB24_X86
// The vector rows, 4 pairs to each 128 bits. In 16-bit lanes, a UYVY load
// shifted up gives p = 256 c, c = U - 128 in the even lanes and V - 128 in
// the odd ones, and the chroma terms, each equal to its table's for all
// 256 c (the tests try every value), are
//   blueU[U] >> 10 = (p x 14516) >> 21, redV[V] >> 10 = (p x 11485) >> 21,
//   greenU[U] = 352 c + f, f = ((p x 818) >> 19) + (c < 0),
//   greenV[V] = 731 c + f, f = ((p x 572) >> 19) + (c < 0),
// the ">> 16" of each product a multiply-high; the green term
// -(greenU[U] + greenV[V]) >> 10 is summed over the lane pair in 32 bits.
// Packed to bytes, the terms' positive parts and their negative parts:
// bytes 2k and 2k + 1 the blue and red terms of pair k, byte 8 + 2k its
// green one. The output is then made in its own order, as 12-byte pieces
// of 2 pairs: the lumas where the output has them (a shuffle of the
// source), plus the positive parts and less the negative parts, with
// unsigned saturation both times: exactly the clamp of luma plus term.
#define TARGET_SSSE3 __attribute__((target("ssse3")))
#define TARGET_AVX2 __attribute__((target("avx2")))
// 32-bit Windows keeps the stack 4-byte aligned; vector spills need more.
#ifdef __i386__
#define ALIGN_STACK __attribute__((force_align_arg_pointer))
#else
#define ALIGN_STACK
#endif

// A U constant and a V constant for the four lane pairs of 128 bits.
#define LANE_PAIRS(u, v) u, v, u, v, u, v, u, v

// How far ahead of the source bytes at hand the vector rows ask for more,
// so that a frame from main memory arrives while the rows before it are
// being converted (in bytes: about three rows at the capture width).
static const uintptr_t kPrefetchAhead = 2048;

// The shuffles of the two pieces of 128 bits, twice for 256 bits: output
// byte i (i < 12) is channel i % 3 of pixel i / 3; the last 4 bytes none
// (-1), to be overwritten by the next piece.
struct PieceMasks {
    int8_t luma[2][32], term[2][32];
};
static constexpr PieceMasks MakePieceMasks(void)
{
    PieceMasks masks = {};
    for (int piece = 0; piece < 2; piece++) {
        for (int j = 0; j < 32; j++) {
            int i = j % 16, pixel = i / 3, channel = i % 3, pair = 2 * piece + pixel / 2;
            bool bUsed = i < 12;
            masks.luma[piece][j] = (int8_t)(bUsed ? 4 * pair + 1 + 2 * (pixel % 2) : -1);
            masks.term[piece][j] =
                (int8_t)(!bUsed ? -1 : channel == 0 ? 2 * pair : channel == 1 ? 8 + 2 * pair : 2 * pair + 1);
        }
    }
    return masks;
}
alignas(32) static constexpr PieceMasks pieceMasks = MakePieceMasks();

static inline TARGET_SSSE3 void TermsSsse3(__m128i x, __m128i *lpPositive, __m128i *lpNegative)
{
    const __m128i kBlueRed = _mm_setr_epi16(LANE_PAIRS(14516, 11485));
    const __m128i kFraction = _mm_setr_epi16(LANE_PAIRS(818, 572));
    const __m128i kWhole = _mm_setr_epi16(LANE_PAIRS(-352, -731));
    __m128i p = _mm_xor_si128(_mm_slli_epi16(x, 8), _mm_set1_epi16(-32768));
    __m128i blueRed = _mm_srai_epi16(_mm_mulhi_epi16(p, kBlueRed), 5);
    __m128i f = _mm_sub_epi16(_mm_srai_epi16(_mm_mulhi_epi16(p, kFraction), 3), _mm_srai_epi16(p, 15));
    __m128i green = _mm_add_epi32(_mm_madd_epi16(p, kWhole), _mm_madd_epi16(f, _mm_set1_epi16(-256)));
    green = _mm_srai_epi32(green, 18);
    __m128i zero = _mm_setzero_si128();
    *lpPositive = _mm_packus_epi16(blueRed, green);
    *lpNegative = _mm_packus_epi16(_mm_sub_epi16(zero, blueRed), _mm_sub_epi16(zero, green));
}

static inline TARGET_SSSE3 __m128i PieceSsse3(__m128i x, __m128i positive, __m128i negative, int piece)
{
    __m128i luma = _mm_shuffle_epi8(x, _mm_load_si128((const __m128i *)pieceMasks.luma[piece]));
    __m128i term = _mm_load_si128((const __m128i *)pieceMasks.term[piece]);
    return _mm_subs_epu8(_mm_adds_epu8(luma, _mm_shuffle_epi8(positive, term)), _mm_shuffle_epi8(negative, term));
}

// The 12 bytes of a last piece, and nothing after them.
static inline TARGET_SSSE3 void StoreLastPiece(uint8_t *lpOut, __m128i piece)
{
    _mm_storel_epi64((__m128i *)lpOut, piece);
    uint32_t dwLast = (uint32_t)_mm_cvtsi128_si32(_mm_srli_si128(piece, 8));
    memcpy(lpOut + 8, &dwLast, 4);
}

// 8 pixels a step, each piece stored as 16 bytes whose last 4 the next
// piece overwrites, but for the row's last piece; the rest of the row plain.
static ALIGN_STACK TARGET_SSSE3 void ConvertRowToRgb24Ssse3(const uint8_t *lpGroup, uint8_t *lpOut, uint32_t dwPairs)
{
    uint32_t i = 0;
    for (; i + 4 <= dwPairs; i += 4, lpGroup += 16, lpOut += 24) {
        _mm_prefetch((const char *)((uintptr_t)lpGroup + kPrefetchAhead), _MM_HINT_T0);
        __m128i x = _mm_loadu_si128((const __m128i *)lpGroup), positive, negative;
        TermsSsse3(x, &positive, &negative);
        __m128i a = PieceSsse3(x, positive, negative, 0), b = PieceSsse3(x, positive, negative, 1);
        _mm_storeu_si128((__m128i *)lpOut, a);
        if (i + 4 < dwPairs)
            _mm_storeu_si128((__m128i *)(lpOut + 12), b);
        else
            StoreLastPiece(lpOut + 12, b);
    }
    ConvertRowToRgb24(lpGroup, lpOut, dwPairs - i);
}

static inline TARGET_AVX2 void TermsAvx2(__m256i x, __m256i *lpPositive, __m256i *lpNegative)
{
    const __m256i kBlueRed = _mm256_setr_epi16(LANE_PAIRS(14516, 11485), LANE_PAIRS(14516, 11485));
    const __m256i kFraction = _mm256_setr_epi16(LANE_PAIRS(818, 572), LANE_PAIRS(818, 572));
    const __m256i kWhole = _mm256_setr_epi16(LANE_PAIRS(-352, -731), LANE_PAIRS(-352, -731));
    __m256i p = _mm256_xor_si256(_mm256_slli_epi16(x, 8), _mm256_set1_epi16(-32768));
    __m256i blueRed = _mm256_srai_epi16(_mm256_mulhi_epi16(p, kBlueRed), 5);
    __m256i f = _mm256_sub_epi16(_mm256_srai_epi16(_mm256_mulhi_epi16(p, kFraction), 3), _mm256_srai_epi16(p, 15));
    __m256i green = _mm256_add_epi32(_mm256_madd_epi16(p, kWhole), _mm256_madd_epi16(f, _mm256_set1_epi16(-256)));
    green = _mm256_srai_epi32(green, 18);
    __m256i zero = _mm256_setzero_si256();
    *lpPositive = _mm256_packus_epi16(blueRed, green);
    *lpNegative = _mm256_packus_epi16(_mm256_sub_epi16(zero, blueRed), _mm256_sub_epi16(zero, green));
}

static inline TARGET_AVX2 __m256i PieceAvx2(__m256i x, __m256i positive, __m256i negative, int piece)
{
    __m256i luma = _mm256_shuffle_epi8(x, _mm256_load_si256((const __m256i *)pieceMasks.luma[piece]));
    __m256i term = _mm256_load_si256((const __m256i *)pieceMasks.term[piece]);
    return _mm256_subs_epu8(_mm256_adds_epu8(luma, _mm256_shuffle_epi8(positive, term)),
                            _mm256_shuffle_epi8(negative, term));
}

// 16 pixels a step, both lanes as SSSE3 does them: the pieces of the low
// lane, then those of the high lane. The rest of the row as SSSE3 does it.
static ALIGN_STACK TARGET_AVX2 void ConvertRowToRgb24Avx2(const uint8_t *lpGroup, uint8_t *lpOut, uint32_t dwPairs)
{
    uint32_t i = 0;
    for (; i + 8 <= dwPairs; i += 8, lpGroup += 32, lpOut += 48) {
        _mm_prefetch((const char *)((uintptr_t)lpGroup + kPrefetchAhead), _MM_HINT_T0);
        __m256i x = _mm256_loadu_si256((const __m256i *)lpGroup), positive, negative;
        TermsAvx2(x, &positive, &negative);
        __m256i a = PieceAvx2(x, positive, negative, 0), b = PieceAvx2(x, positive, negative, 1);
        _mm_storeu_si128((__m128i *)lpOut, _mm256_castsi256_si128(a));
        _mm_storeu_si128((__m128i *)(lpOut + 12), _mm256_castsi256_si128(b));
        _mm_storeu_si128((__m128i *)(lpOut + 24), _mm256_extracti128_si256(a, 1));
        if (i + 8 < dwPairs)
            _mm_storeu_si128((__m128i *)(lpOut + 36), _mm256_extracti128_si256(b, 1));
        else
            StoreLastPiece(lpOut + 36, _mm256_extracti128_si256(b, 1));
    }
    ConvertRowToRgb24Ssse3(lpGroup, lpOut, dwPairs - i);
}

static void Rgb24FrameSsse3(const uint8_t *lpUYVY, uint8_t *lpRGB24, uint32_t dwWidth, uint32_t dwHeight)
{
    ConvertFrame(ConvertRowToRgb24Ssse3, lpUYVY, lpRGB24, dwWidth, dwHeight);
}

static void Rgb24FrameAvx2(const uint8_t *lpUYVY, uint8_t *lpRGB24, uint32_t dwWidth, uint32_t dwHeight)
{
    ConvertFrame(ConvertRowToRgb24Avx2, lpUYVY, lpRGB24, dwWidth, dwHeight);
}
#endif

static const Rgb24FramePath paths[] = {
    { "plain", Rgb24FramePlain },
#ifdef RGB24_X86
    { "ssse3", Rgb24FrameSsse3 },
    { "avx2", Rgb24FrameAvx2 },
#endif
};

const Rgb24FramePath *Rgb24FramePaths(uint32_t *lpCount)
{
#ifdef RGB24_X86
    __builtin_cpu_init();
    *lpCount = !__builtin_cpu_supports("ssse3") ? 1 : !__builtin_cpu_supports("avx2") ? 2 : 3;
#else
    *lpCount = 1;
#endif
    return paths;
}

static Rgb24FrameProc PickRgb24Path(void)
{
    uint32_t dwPaths;
    const Rgb24FramePath *lpPaths = Rgb24FramePaths(&dwPaths);
    return lpPaths[dwPaths - 1].lpConvert;
}

void Rgb24FrameFromUyvy(const uint8_t *lpUYVY, uint8_t *lpRGB24, uint32_t dwWidth, uint32_t dwHeight)
{
    static const Rgb24FrameProc lpConvert = PickRgb24Path();
    lpConvert(lpUYVY, lpRGB24, dwWidth, dwHeight);
}
