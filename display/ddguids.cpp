// The one place where the video-port GUIDs get their storage.
#include <initguid.h>

#include "display/ddraw5.h"
