// The frame grab: the picture standing in the overlay surface, copied into
// a packed UYVY buffer of dwVideoWidth x dwVideoHeight in step with the
// graphics chip's vertical-sync status.
#pragma once

#include <windows.h>

enum {
    VSYNC_STATUS_REGISTER = 0x200418,
    VSYNC_STATUS_BIT = 0x01000000,
    VSYNC_POLL_LIMIT = 0x10000000,
};

// 1 once the vertical-sync status bit has changed (either way), 0 when it
// did not within the polling bound or there is no register window.
int WaitForVSync(void);

typedef enum GrabResult { GRAB_OK, GRAB_NO_VSYNC, GRAB_LOCK_REFUSED } GrabResult;

// One grab into lpUYVY, the overlay locked with dwLockFlags. Without an
// overlay surface (live video never started) the lock counts as refused.
GrabResult GrabOverlayFrame(BYTE *lpUYVY, DWORD dwLockFlags);

// The message for a failed grab: "Fail to wait for VSYNC." or
// "Unable to lock overlay surface.".
const char *GrabFailureText(GrabResult result);
