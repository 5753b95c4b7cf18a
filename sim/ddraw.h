// The display driver of the simulated card, as DirectDraw's two entry
// points and the DirectDraw object they hand out.
#pragma once

#include "display/ddraw5.h"
#include "sim/displayconfig.h"

namespace sim {

HRESULT WINAPI SimDirectDrawCreate(GUID *lpGuid, LPDIRECTDRAW *lplpDD, IUnknown *pUnkOuter);
HRESULT WINAPI SimDirectDrawCreateClipper(DWORD dwFlags, LPDIRECTDRAWCLIPPER *lplpClipper, IUnknown *pUnkOuter);

}  // namespace sim
