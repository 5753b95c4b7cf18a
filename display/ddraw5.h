// DirectDraw as DirectX 5 defines it (the DDCAPS of 364 bytes), with the
// video-port extension declared beside it.
#pragma once

#ifndef DIRECTDRAW_VERSION
#define DIRECTDRAW_VERSION 0x0500
#endif
#include <windows.h>
#include <ddraw.h>

#include "display/ddvideoport.h"
