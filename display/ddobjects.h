// The DirectDraw object, the video-port container and the clipper, the
// driver's capability checks, and the release of every DirectDraw object.
#pragma once

#include "display/ddraw5.h"

extern DDCAPS ddDriverCaps;
extern DDVIDEOPORTCAPS ddVideoPortCaps;

int CreateDirectDrawObjects(int bQuiet);
HRESULT WINAPI EnumVideoPortProc(LPDDVIDEOPORTCAPS lpCaps, LPVOID lpContext);
void ReleaseDirectDrawObjects(void);
