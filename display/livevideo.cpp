#include "display/livevideo.h"

#include "common/msgbox.h"
#include "common/state.h"
#include "display/ddobjects.h"
#include "display/placement.h"
#include "display/videoport.h"

enum { VIDEO_TIMER = 1, RETRY_MS = 2000 };

static const char szNoVideoPort[] = "Unable to create the video port object";
static const char szNoOverlay[] = "Can't play live video. Please change to other display\n"
                                  "modes or close other video players, then run again.";
static const char szNotStarted[] = "Unable to start video port ";

int bRestartPending;
RECT rcLastDest;
int nLastClipState = -1;

// The video cannot run at all: the window goes, the user is told, the
// application ends.
static void GiveUpLiveVideo(HWND hwndOwner, const char *lpText, UINT uFlags)
{
    ShowWindow(hwndMain, SW_HIDE);
    ShowMessage(hwndOwner, lpText, szAppCaption, uFlags);
    ReleaseDirectDrawObjects();
    PostQuitMessage(0);
}

void StartLiveVideo(HWND hwnd)
{
    if (!OpenVideoPort()) {
        GiveUpLiveVideo(hwnd, szNoVideoPort, MB_TOPMOST | MB_ICONERROR);
        return;
    }
    if (StartVideoPort(hwnd))
        return;
    if (bSurfaceCreateFailed)
        GiveUpLiveVideo(hwnd, szNoOverlay, MB_TOPMOST | MB_ICONWARNING);
    else
        ShowMessage(hwnd, szNotStarted, szAppCaption, MB_TOPMOST | MB_ICONERROR);
}

static void RetryLater(void)
{
    ReleaseDirectDrawObjects();
    SetTimer(hwndMain, VIDEO_TIMER, RETRY_MS, NULL);
}

// Builds the whole pipeline again, quietly; 0 while it cannot be built yet.
static int RebuildLiveVideo(void)
{
    if (!CreateDirectDrawObjects(1) || !OpenVideoPort()) {
        RetryLater();
        return 0;
    }
    if (!StartVideoPort(hwndMain)) {
        if (bSurfaceCreateFailed)
            GiveUpLiveVideo(NULL, szNoOverlay, MB_TOPMOST | MB_ICONWARNING);
        else
            RetryLater();
        return 0;
    }
    bRestartPending = 0;
    return 1;
}

static void TrackWindow(void)
{
    RECT rcDest;
    int bClipped;
    if (!GetOverlayDestRect(&rcDest, &bClipped)) {
        ApplyVideoGeometry();       // minimised: hides the overlay
        nLastClipState = -1;
        return;
    }
    if (!EqualRect(&rcDest, &rcLastDest) || bClipped != nLastClipState)
        ApplyVideoGeometry();
    rcLastDest = rcDest;
    nLastClipState = bClipped;
}

void OnVideoTimer(void)
{
    if (!lpOverlaySurface) {
        bRestartPending = 1;
    } else if (lpOverlaySurface->IsLost() != DD_OK) {
        ReleaseDirectDrawObjects();
        bRestartPending = 1;
    }
    if (bRestartPending && !RebuildLiveVideo())
        return;
    TrackWindow();
}
