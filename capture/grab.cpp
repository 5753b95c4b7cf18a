#include "capture/grab.h"

#include "capture/chipwindow.h"
#include "common/state.h"

enum {
    OVERLAY_FIRST_ROW = 11,     // the field's blanking lines
    OVERLAY_FIRST_BYTE = 8,     // four pixels in from the left
};

int WaitForVSync(void)
{
    void *lpRegisters = MapChipRegisters();
    if (!lpRegisters)
        return 0;
    DWORD dwReference = ReadChipRegister(lpRegisters, VSYNC_STATUS_REGISTER) & VSYNC_STATUS_BIT;
    for (DWORD dwCount = 0; dwCount <= VSYNC_POLL_LIMIT; dwCount++) {
        if ((ReadChipRegister(lpRegisters, VSYNC_STATUS_REGISTER) & VSYNC_STATUS_BIT) != dwReference)
            return 1;
    }
    return 0;
}

GrabResult GrabOverlayFrame(BYTE *lpUYVY, DWORD dwLockFlags)
{
    if (!lpOverlaySurface)
        return GRAB_LOCK_REFUSED;
    if (!WaitForVSync())
        return GRAB_NO_VSYNC;
    DDSURFACEDESC ddsd;
    ZeroMemory(&ddsd, sizeof(ddsd));
    ddsd.dwSize = sizeof(ddsd);
    if (lpOverlaySurface->Lock(NULL, &ddsd, dwLockFlags, NULL) != DD_OK)
        return GRAB_LOCK_REFUSED;
    const BYTE *lpSource = (const BYTE *)ddsd.lpSurface + OVERLAY_FIRST_ROW * ddsd.lPitch + OVERLAY_FIRST_BYTE;
    pfnCopyRows(lpSource, lpUYVY, ddsd.lPitch - 2 * (LONG)dwVideoWidth);
    lpOverlaySurface->Unlock(NULL);
    return GRAB_OK;
}

const char *GrabFailureText(GrabResult result)
{
    return result == GRAB_NO_VSYNC ? "Fail to wait for VSYNC." : "Unable to lock overlay surface.";
}
