// The two entry points of DirectDraw, looked up once at start-up: from
// ddraw.dll on the real card, or from the simulated card.
#pragma once

#include "display/ddraw5.h"

typedef HRESULT (WINAPI *DirectDrawCreateProc)(GUID *lpGuid, LPDIRECTDRAW *lplpDD, IUnknown *pUnkOuter);
typedef HRESULT (WINAPI *DirectDrawCreateClipperProc)(DWORD dwFlags, LPDIRECTDRAWCLIPPER *lplpClipper,
                                                      IUnknown *pUnkOuter);

typedef struct DirectDrawEntry {
    DirectDrawCreateProc pfnCreate;
    DirectDrawCreateClipperProc pfnCreateClipper;
} DirectDrawEntry;

// Looks the entries up in ddraw.dll; where it is missing, both calls fail.
void UseRealDirectDraw(void);
void UseDirectDraw(const DirectDrawEntry *lpEntry);

HRESULT CallDirectDrawCreate(GUID *lpGuid, LPDIRECTDRAW *lplpDD, IUnknown *pUnkOuter);
HRESULT CallDirectDrawCreateClipper(DWORD dwFlags, LPDIRECTDRAWCLIPPER *lplpClipper, IUnknown *pUnkOuter);
