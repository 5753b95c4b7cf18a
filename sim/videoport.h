// The video port's COM face (IDirectDrawVideoPort) and the container that
// hands it out (IDDVideoPortContainer).
#pragma once

#include "display/ddraw5.h"

namespace sim {

class DisplayDriver;

// The container of the DirectDraw object owner (which it keeps alive).
IDDVideoPortContainer *NewVideoPortContainer(DisplayDriver &driver, IDirectDraw *owner);

}  // namespace sim
