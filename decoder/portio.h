// The card's I/O ports, and the pauses the bus code takes on the card's time.
// The real backend uses the processor's in/out instructions where the system
// allows them; the simulated card installs its own.
#pragma once

#include <windows.h>

typedef struct PortIoBackend {
    BYTE (*pfnIn8)(WORD wPort);
    void (*pfnOut8)(WORD wPort, BYTE bValue);
    void (*pfnSleep)(DWORD dwMilliseconds);
} PortIoBackend;

// The real card: direct port I/O on the Windows 95 family; on any other
// system user-mode port I/O is not allowed, and every port reads 0 (no
// device pulls a line high), writes go nowhere.
void UseRealPortIo(void);
void UsePortIo(const PortIoBackend *lpBackend);

BYTE in8(WORD wPort);
void out8(WORD wPort, BYTE bValue);
void CardSleep(DWORD dwMilliseconds);
