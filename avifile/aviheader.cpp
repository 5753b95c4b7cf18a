// The 224-byte AVI header of the temporary and the final capture files, the
// "00db" frame chunk and the final files' "idx1" index. Every field is one
// named little-endian write into the header block, which goes out in one
// request.
#include "avifile/avifile.h"
#include "avifile/aviwrite.h"
#include "common/state.h"
#include "common/sysio.h"

const char szTempAviFile[] = "c:\\temp.avi";

enum {
    AVIF_HASINDEX = 0x10,
    AVIF_TRUSTCKTYPE = 0x800,
    AVIIF_KEYFRAME = 0x10,
    INDEX_ENTRY_SIZE = 16,
    INDEX_BLOCK_ENTRIES = 256,      // entries gathered into one write
};

// The values in which the three headers differ.
typedef struct AviHeaderValues {
    DWORD dwRiffSize;
    DWORD dwMicroSecPerFrame;
    DWORD dwFrames;             // dwTotalFrames and dwLength
    DWORD dwFrameSize;          // both suggested buffer sizes and biSizeImage
    DWORD fccHandler;
    DWORD dwScale, dwRate;
    WORD wBitCount;
    DWORD dwCompression;
    DWORD dwMoviSize;
} AviHeaderValues;

static DWORD Fourcc(const char *lpCode)
{
    return (DWORD)(BYTE)lpCode[0] | (DWORD)(BYTE)lpCode[1] << 8 |
           (DWORD)(BYTE)lpCode[2] << 16 | (DWORD)(BYTE)lpCode[3] << 24;
}

static BYTE *Put16(BYTE *p, WORD wValue)
{
    p[0] = (BYTE)wValue;
    p[1] = (BYTE)(wValue >> 8);
    return p + 2;
}

static BYTE *Put32(BYTE *p, DWORD dwValue)
{
    return Put16(Put16(p, LOWORD(dwValue)), HIWORD(dwValue));
}

static BYTE *PutFourcc(BYTE *p, const char *lpCode)
{
    return Put32(p, Fourcc(lpCode));
}

static BYTE *PutMainHeader(BYTE *p, const AviHeaderValues *v)
{
    p = PutFourcc(p, "avih");
    p = Put32(p, 56);                       // chunk size
    p = Put32(p, v->dwMicroSecPerFrame);    // dwMicroSecPerFrame
    p = Put32(p, 0);                        // dwMaxBytesPerSec
    p = Put32(p, 0);                        // dwPaddingGranularity
    p = Put32(p, AVIF_HASINDEX | AVIF_TRUSTCKTYPE);  // dwFlags
    p = Put32(p, v->dwFrames);              // dwTotalFrames
    p = Put32(p, 0);                        // dwInitialFrames
    p = Put32(p, 1);                        // dwStreams
    p = Put32(p, v->dwFrameSize);           // dwSuggestedBufferSize
    p = Put32(p, dwVideoWidth);             // dwWidth
    p = Put32(p, dwVideoHeight);            // dwHeight
    for (int i = 0; i < 4; i++)
        p = Put32(p, 0);                    // dwReserved
    return p;
}

static BYTE *PutStreamHeader(BYTE *p, const AviHeaderValues *v)
{
    p = PutFourcc(p, "strh");
    p = Put32(p, 56);                       // chunk size
    p = PutFourcc(p, "vids");               // fccType
    p = Put32(p, v->fccHandler);            // fccHandler
    p = Put32(p, 0);                        // dwFlags
    p = Put16(p, 0);                        // wPriority
    p = Put16(p, 0);                        // wLanguage
    p = Put32(p, 0);                        // dwInitialFrames
    p = Put32(p, v->dwScale);               // dwScale
    p = Put32(p, v->dwRate);                // dwRate
    p = Put32(p, 0);                        // dwStart
    p = Put32(p, v->dwFrames);              // dwLength
    p = Put32(p, v->dwFrameSize);           // dwSuggestedBufferSize
    p = Put32(p, 0xFFFFFFFF);               // dwQuality
    p = Put32(p, 0);                        // dwSampleSize
    p = Put16(p, 0);                        // rcFrame left
    p = Put16(p, 0);                        // rcFrame top
    p = Put16(p, (WORD)dwVideoWidth);       // rcFrame right
    p = Put16(p, (WORD)dwVideoHeight);      // rcFrame bottom
    return p;
}

static BYTE *PutStreamFormat(BYTE *p, const AviHeaderValues *v)
{
    p = PutFourcc(p, "strf");
    p = Put32(p, 40);                       // chunk size
    p = Put32(p, 40);                       // biSize
    p = Put32(p, dwVideoWidth);             // biWidth
    p = Put32(p, dwVideoHeight);            // biHeight
    p = Put16(p, 1);                        // biPlanes
    p = Put16(p, v->wBitCount);             // biBitCount
    p = Put32(p, v->dwCompression);         // biCompression
    p = Put32(p, v->dwFrameSize);           // biSizeImage
    p = Put32(p, 0);                        // biXPelsPerMeter
    p = Put32(p, 0);                        // biYPelsPerMeter
    p = Put32(p, 0);                        // biClrUsed
    p = Put32(p, 0);                        // biClrImportant
    return p;
}

static int WriteAviHeader(HANDLE hFile, const AviHeaderValues *v)
{
    BYTE header[AVI_HEADER_SIZE];
    BYTE *p = header;
    p = PutFourcc(p, "RIFF");
    p = Put32(p, v->dwRiffSize);            // RIFF size
    p = PutFourcc(p, "AVI ");               // form type
    p = PutFourcc(p, "LIST");
    p = Put32(p, 192);                      // "hdrl" list size
    p = PutFourcc(p, "hdrl");
    p = PutMainHeader(p, v);
    p = PutFourcc(p, "LIST");
    p = Put32(p, 116);                      // "strl" list size
    p = PutFourcc(p, "strl");
    p = PutStreamHeader(p, v);
    p = PutStreamFormat(p, v);
    p = PutFourcc(p, "LIST");
    p = Put32(p, v->dwMoviSize);            // "movi" list size
    p = PutFourcc(p, "movi");
    return SysWriteAll(hFile, header, (DWORD)(p - header));
}

int WriteTempAviHeader(HANDLE hFile)
{
    AviHeaderValues values = {};
    values.dwFrameSize = 2 * dwVideoWidth * dwVideoHeight;
    values.wBitCount = 16;
    values.dwCompression = Fourcc("UYVY");
    WriteAviHeader(hFile, &values);
    return 1;
}

// The final columns, for nFramesCaptured frames of dwPayload bytes over
// dwDuration milliseconds. The frame period is worked out in 64 bits and
// held at the largest 32-bit value.
static int WriteFinalAviHeader(HANDLE hFile, DWORD dwDuration, DWORD dwPayload, WORD wBitCount, DWORD fcc)
{
    DWORD n = nFramesCaptured;
    ULONGLONG qwPeriod = n ? (ULONGLONG)dwDuration * 1000 / n : 0;
    AviHeaderValues values;
    values.dwRiffSize = AVI_HEADER_SIZE + n * (dwPayload + 24);
    values.dwMicroSecPerFrame = qwPeriod > 0xFFFFFFFF ? 0xFFFFFFFF : (DWORD)qwPeriod;
    values.dwFrames = n;
    values.dwFrameSize = dwPayload;
    values.fccHandler = fcc;
    values.dwScale = dwDuration;
    values.dwRate = n * 1000;
    values.wBitCount = wBitCount;
    values.dwCompression = fcc;
    values.dwMoviSize = n * (dwPayload + 8) + 4;
    return WriteAviHeader(hFile, &values);
}

int WriteRgb24AviHeader(HANDLE hFile, DWORD dwDuration)
{
    return WriteFinalAviHeader(hFile, dwDuration, 3 * dwVideoWidth * dwVideoHeight, 24, BI_RGB);
}

int WriteYvu9AviHeader(HANDLE hFile, DWORD dwDuration)
{
    return WriteFinalAviHeader(hFile, dwDuration, (dwVideoWidth * dwVideoHeight * 9) >> 3, 9, Fourcc("YVU9"));
}

int WriteFrameChunk(HANDLE hFile, const BYTE *lpFrame, DWORD dwFrameSize)
{
    BYTE size[4];
    Put32(size, dwFrameSize);
    return SysWriteAll(hFile, "00db", 4) && SysWriteAll(hFile, size, 4) && SysWriteAll(hFile, lpFrame, dwFrameSize);
}

int AppendFrameChunk(HANDLE hFile, const BYTE *lpFrame, DWORD dwFrameSize)
{
    LONG lStartHigh = 0;
    DWORD dwStartLow = SetFilePointer(hFile, 0, &lStartHigh, FILE_CURRENT);
    if (!WriteFrameChunk(hFile, lpFrame, dwFrameSize)) {
        SetFilePointer(hFile, (LONG)dwStartLow, &lStartHigh, FILE_BEGIN);
        SetEndOfFile(hFile);
        return 0;
    }
    nFramesCaptured++;
    return 1;
}

int WriteAviIndex(HANDLE hFile, DWORD dwPayload)
{
    BYTE block[INDEX_BLOCK_ENTRIES * INDEX_ENTRY_SIZE];
    BYTE *p = PutFourcc(block, "idx1");
    p = Put32(p, INDEX_ENTRY_SIZE * nFramesCaptured);  // chunk size
    if (!SysWriteAll(hFile, block, (DWORD)(p - block)))
        return 0;
    DWORD dwOffset = 4;             // from the "movi" list type
    for (DWORD i = 0; i < nFramesCaptured;) {
        for (p = block; i < nFramesCaptured && p < block + sizeof(block); i++) {
            p = PutFourcc(p, "00db");       // ckid
            p = Put32(p, AVIIF_KEYFRAME);   // dwFlags
            p = Put32(p, dwOffset);         // dwChunkOffset
            p = Put32(p, dwPayload);        // dwChunkLength
            dwOffset += dwPayload + 8;
        }
        if (!SysWriteAll(hFile, block, (DWORD)(p - block)))
            return 0;
    }
    return 1;
}
