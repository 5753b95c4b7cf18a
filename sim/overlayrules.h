// What the overlay hardware takes: the overlay surfaces video memory holds,
// and the rectangles it can show (inside both surfaces, aligned as GetCaps
// says).
#pragma once

#include "sim/chain.h"
#include "sim/displayconfig.h"
#include "sim/driver.h"

namespace sim {

// Whether an overlay surface as desc asks for can be made.
HRESULT CheckOverlayRequest(const DisplayConfig &config, const DDSURFACEDESC &desc);
// The source and destination rectangles (null: the whole surface), checked.
HRESULT PlaceOverlay(const DisplayConfig &config, const SurfaceChain &overlay, const SurfaceChain &primary,
                     const RECT *lpSrc, const RECT *lpDest, OverlayPlacement *placement);

}  // namespace sim
