// The clipper: the visible part of a window's client area, in screen
// coordinates, as the window manager has it now.
#pragma once

#include "display/ddraw5.h"

namespace sim {

// The client area of hwnd (ClientToScreen), less every visible top-level
// window above it in Z order, inside the screen; empty while the window is
// minimised or hidden. The caller deletes the region.
HRGN VisibleClientRegion(HWND hwnd);

IDirectDrawClipper *NewClipper();

}  // namespace sim
