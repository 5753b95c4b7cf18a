// The graphics chip's register window, where the vertical-sync status is
// read: mapped by the chip vendor's library (NV3API.dll, ordinal 35) on the
// real card, provided by the simulated card otherwise.
#pragma once

#include <windows.h>

typedef struct ChipWindowBackend {
    void *(*pfnMapRegisters)(DWORD dwArgument);           // NULL: no window
    DWORD (*pfnReadRegister)(void *lpBase, DWORD dwOffset);  // a fresh read every time
} ChipWindowBackend;

// Loads NV3API.dll by name and its entry by ordinal; where either is
// missing, there is no register window.
void UseRealChipWindow(void);
void UseChipWindow(const ChipWindowBackend *lpBackend);

void *MapChipRegisters(void);
DWORD ReadChipRegister(void *lpBase, DWORD dwOffset);
