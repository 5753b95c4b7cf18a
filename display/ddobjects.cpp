#include "display/ddobjects.h"

#include "common/msgbox.h"
#include "common/state.h"
#include "display/ddentry.h"

static_assert(sizeof(DDCAPS) == 364, "DDCAPS has the DirectX 5 layout");

enum { VIDEO_TIMER = 1 };

DDCAPS ddDriverCaps;
DDVIDEOPORTCAPS ddVideoPortCaps;

static int Fail(int bQuiet, const char *lpText)
{
    if (!bQuiet)
        ShowMessage(NULL, lpText, szAppCaption, MB_ICONWARNING);
    return 0;
}

HRESULT WINAPI EnumVideoPortProc(LPDDVIDEOPORTCAPS lpCaps, LPVOID)
{
    CopyMemory(&ddVideoPortCaps, lpCaps, sizeof(ddVideoPortCaps));
    return DDENUMRET_OK;
}

static void RecordVideoPortCaps(void)
{
    DDVIDEOPORTCAPS ddWanted;
    ZeroMemory(&ddWanted, sizeof(ddWanted));
    ddWanted.dwSize = sizeof(ddWanted);
    lpVideoPortContainer->EnumVideoPorts(0, &ddWanted, NULL, EnumVideoPortProc);
}

int CreateDirectDrawObjects(int bQuiet)
{
    if (FAILED(CallDirectDrawCreate(NULL, &lpDirectDraw, NULL)))
        return Fail(bQuiet, "Unable to create the DirectDraw object");

    ddDriverCaps.dwSize = sizeof(ddDriverCaps);
    lpDirectDraw->GetCaps(&ddDriverCaps, NULL);
    if (!(ddDriverCaps.dwCaps2 & DDCAPS2_VIDEOPORT))
        return Fail(bQuiet, "Your display device (or driver) does not support a video port.  "
                            "A video port is required for this application to run.");
    if (!(ddDriverCaps.dwCaps & DDCAPS_OVERLAY))
        return Fail(bQuiet, "Your display device (or driver) does not support an overlay. "
                            "Hardware overlay support is required for this application to run.");

    if (lpDirectDraw->QueryInterface(IID_IDDVideoPortContainer, (void **)&lpVideoPortContainer) != DD_OK
        || !lpVideoPortContainer)
        return Fail(bQuiet, "Unable to create the VideoPort object");
    RecordVideoPortCaps();

    CallDirectDrawCreateClipper(0, &lpClipper, NULL);
    if (!lpClipper)
        return Fail(bQuiet, "Unable to create the Clipper object");
    return 1;
}

template <typename Interface>
static void ReleaseObject(Interface *&lpObject)
{
    if (lpObject) {
        lpObject->Release();
        lpObject = NULL;
    }
}

void ReleaseDirectDrawObjects(void)
{
    KillTimer(hwndMain, VIDEO_TIMER);
    ReleaseObject(lpVideoPort);
    ReleaseObject(lpOverlaySurface);
    ReleaseObject(lpPrimarySurface);
    ReleaseObject(lpVideoPortContainer);
    ReleaseObject(lpDirectDraw);
    ReleaseObject(lpClipper);
}
