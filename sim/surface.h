// The driver's surfaces: the primary (the desktop as it is), and overlay
// surfaces in video memory, a front buffer with one attached back buffer.
#pragma once

#include <memory>

#include "display/ddraw5.h"
#include "sim/chain.h"

namespace sim {

class DisplayDriver;

// CreateSurface as the driver answers it.
HRESULT CreateDriverSurface(DisplayDriver &driver, const DDSURFACEDESC *lpDesc, LPDIRECTDRAWSURFACE *lplpSurface);

// The memory of the driver's overlay front surface, or null for any other surface.
std::shared_ptr<SurfaceChain> OverlayChainOf(LPDIRECTDRAWSURFACE lpSurface);

}  // namespace sim
