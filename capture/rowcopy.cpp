#include "capture/rowcopy.h"

#include <string.h>

#include "common/state.h"

// Both copiers count the rows down and test at the end of a row, so at least
// one row is copied.

void CopyRows(const BYTE *lpSource, BYTE *lpDest, LONG lSkip)
{
    DWORD dwRows = dwVideoHeight;
    DWORD dwWords = dwVideoWidth / 2;
    do {
        for (DWORD i = 0; i < dwWords; i++) {
            memcpy(lpDest, lpSource, 4);
            lpSource += 4;
            lpDest += 4;
        }
        lpSource += lSkip;
    } while (--dwRows != 0);
}

void CopyRowsMMX(const BYTE *lpSource, BYTE *lpDest, LONG lSkip)
{
    DWORD dwRows = dwVideoHeight;
    DWORD dwQuads = dwVideoWidth / 4;
    do {
        for (DWORD i = 0; i < dwQuads; i++) {
            __asm__ __volatile__("movq (%0), %%mm0\n\t"
                                 "movq %%mm0, (%1)"
                                 :
                                 : "r"(lpSource), "r"(lpDest)
                                 : "mm0", "memory");
            lpSource += 8;
            lpDest += 8;
        }
        lpSource += lSkip;
    } while (--dwRows != 0);
    __asm__ __volatile__("emms" ::: "memory");
}
