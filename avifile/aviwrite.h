// The frame chunk the capture files share: its three writes.
#pragma once

#include <windows.h>

// "00db", dwFrameSize, then the frame: 1 when all three writes are whole.
int WriteFrameChunk(HANDLE hFile, const BYTE *lpFrame, DWORD dwFrameSize);
