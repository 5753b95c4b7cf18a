// The display driver of the simulated card, as DirectDraw objects: the
// DirectDraw object with its capabilities, the video-port container and the
// clipper.
#pragma once

#include <vector>

#include "display/ddraw5.h"

namespace sim {

struct DisplayConfig {
    bool ddraw = true;          // DirectDrawCreate succeeds
    bool videoport = true;      // the driver reports DDCAPS2_VIDEOPORT and has the container
    bool overlay = true;        // the driver reports DDCAPS_OVERLAY
    bool container = true;      // QueryInterface hands out the video-port container
    bool clipper = true;        // DirectDrawCreateClipper succeeds
    std::vector<DDVIDEOPORTCAPS> ports;     // reported by EnumVideoPorts, in this order
};

// The card's one video port: 720 pixels, autoflip and interleave.
DDVIDEOPORTCAPS DefaultVideoPortCaps();

HRESULT WINAPI SimDirectDrawCreate(GUID *lpGuid, LPDIRECTDRAW *lplpDD, IUnknown *pUnkOuter);
HRESULT WINAPI SimDirectDrawCreateClipper(DWORD dwFlags, LPDIRECTDRAWCLIPPER *lplpClipper, IUnknown *pUnkOuter);

}  // namespace sim
