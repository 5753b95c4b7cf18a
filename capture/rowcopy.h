// The row copiers of the frame grab: dwVideoHeight rows of 2 x dwVideoWidth
// bytes, packed into the destination.
#pragma once

#include <windows.h>

void CopyRows(const BYTE *lpSource, BYTE *lpDest, LONG lSkip);      // width a multiple of 2
void CopyRowsMMX(const BYTE *lpSource, BYTE *lpDest, LONG lSkip);   // width a multiple of 4
