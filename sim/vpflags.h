// The video-port flags and connection types the card's driver understands,
// with the values the DirectDraw video-port documentation gives them.
#pragma once

#include "display/ddraw5.h"

namespace sim {

// DDVIDEOPORTINFO.dwVPFlags
constexpr DWORD kVpAutoflip = DDVP_AUTOFLIP;
constexpr DWORD kVpConvert = DDVP_CONVERT;
constexpr DWORD kVpCrop = 0x00000004;
constexpr DWORD kVpInterleave = DDVP_INTERLEAVE;
constexpr DWORD kVpPrescale = DDVP_PRESCALE;

// Connection types besides DDVPTYPE_CCIR656.
// {332CF160-DA61-11CF-9B06-00A0C903A3B8}
constexpr GUID kVpTypePhilips = { 0x332CF160, 0xDA61, 0x11CF, { 0x9B, 0x06, 0x00, 0xA0, 0xC9, 0x03, 0xA3, 0xB8 } };
// {1352A560-DA61-11CF-9B06-00A0C903A3B8}
constexpr GUID kVpTypeBrooktree = { 0x1352A560, 0xDA61, 0x11CF, { 0x9B, 0x06, 0x00, 0xA0, 0xC9, 0x03, 0xA3, 0xB8 } };

}  // namespace sim
