#include "display/ddentry.h"

static DirectDrawEntry entry;

void UseRealDirectDraw(void)
{
    HMODULE hDDraw = LoadLibraryA("ddraw.dll");
    entry.pfnCreate = NULL;
    entry.pfnCreateClipper = NULL;
    if (!hDDraw)
        return;
    entry.pfnCreate = (DirectDrawCreateProc)(void *)GetProcAddress(hDDraw, "DirectDrawCreate");
    entry.pfnCreateClipper =
        (DirectDrawCreateClipperProc)(void *)GetProcAddress(hDDraw, "DirectDrawCreateClipper");
}

void UseDirectDraw(const DirectDrawEntry *lpEntry)
{
    entry = *lpEntry;
}

HRESULT CallDirectDrawCreate(GUID *lpGuid, LPDIRECTDRAW *lplpDD, IUnknown *pUnkOuter)
{
    *lplpDD = NULL;
    if (!entry.pfnCreate)
        return DDERR_NODIRECTDRAWSUPPORT;
    return entry.pfnCreate(lpGuid, lplpDD, pUnkOuter);
}

HRESULT CallDirectDrawCreateClipper(DWORD dwFlags, LPDIRECTDRAWCLIPPER *lplpClipper, IUnknown *pUnkOuter)
{
    *lplpClipper = NULL;
    if (!entry.pfnCreateClipper)
        return DDERR_NODIRECTDRAWSUPPORT;
    return entry.pfnCreateClipper(dwFlags, lplpClipper, pUnkOuter);
}
