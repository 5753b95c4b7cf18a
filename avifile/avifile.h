// The capture files: the temporary UYVY AVI that captures append raw frames
// to, the frame budget from the free disk space, and the two conversions
// into the final 24-bit RGB or YVU9 planar AVI named by szAviFileName.
#pragma once

#include <windows.h>

extern const char szTempAviFile[];   // "c:\temp.avi"

enum {
    AVI_HEADER_SIZE = 224,           // RIFF "AVI " header up to the first chunk
    AVI_FIRST_PAYLOAD = 232,         // header plus the first chunk's head
    AVI_NO_FRAME_LIMIT = 0xFFFFFFFF,
};

// The 224 header bytes of the temporary file at the file's position, for
// dwVideoWidth x dwVideoHeight. Always 1.
int WriteTempAviHeader(HANDLE hFile);

// One "00db" chunk of dwFrameSize bytes, then nFramesCaptured + 1. A write
// that fails or falls short leaves the file as it was before the chunk and
// returns 0 (no message: the caller reports it).
int AppendFrameChunk(HANDLE hFile, const BYTE *lpFrame, DWORD dwFrameSize);

// The final headers (D = the capture's duration in milliseconds) and the
// "idx1" index for nFramesCaptured chunks of dwPayload bytes.
int WriteRgb24AviHeader(HANDLE hFile, DWORD dwDuration);
int WriteYvu9AviHeader(HANDLE hFile, DWORD dwDuration);
int WriteAviIndex(HANDLE hFile, DWORD dwPayload);

// Deletes the previous szAviFileName and sets dwMaxFrames for nImageFormat
// from the free space of its volume. 1 when the budget could be computed.
int ComputeFrameBudget(void);

// c:\temp.avi into szAviFileName, stepping hProgressDialog's bar a frame at
// a time. 1 when the final file is complete; 0 after a reported failure,
// with no final file left. The temporary file is the caller's to delete.
int ConvertToRgb24Avi(DWORD dwStart, DWORD dwEnd);
int ConvertToYvu9Avi(DWORD dwStart, DWORD dwEnd);
