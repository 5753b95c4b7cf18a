#include "sim/vga.h"

#include "sim/clock.h"
#include "sim/i2cbus.h"

namespace sim {

enum : uint16_t {
    kSeqIndex = 0x3C4,
    kSeqData = 0x3C5,
    kCrtcIndex = 0x3D4,
    kCrtcData = 0x3D5,
    kPostCode = 0x80,
};

enum : uint8_t {
    kSeqExtendedLock = 0x06,
    kFirstExtended = 0x19,
    kLineOutput = 0x3F,
    kLineInput = 0x3E,
};

uint8_t VgaPorts::In(uint16_t port)
{
    clock_.PortAccess();
    switch (port) {
    case kSeqIndex:
        return seqIndex_;
    case kSeqData:
        return seqIndex_ == kSeqExtendedLock ? (unlocked() ? 1 : 0) : 0;
    case kCrtcIndex:
        return crtcIndex_;
    case kCrtcData:
        return ReadCrtc();
    default:
        return 0xFF;            // nothing answers, as on port 0x80
    }
}

void VgaPorts::Out(uint16_t port, uint8_t value)
{
    clock_.PortAccess();
    switch (port) {
    case kSeqIndex:
        seqIndex_ = value;
        break;
    case kSeqData:
        if (seqIndex_ == kSeqExtendedLock)
            seqLock_ = value;
        break;
    case kCrtcIndex:
        crtcIndex_ = value;
        break;
    case kCrtcData:
        WriteCrtc(value);
        break;
    }
}

uint8_t VgaPorts::ReadCrtc()
{
    if (crtcIndex_ >= kFirstExtended && !unlocked())
        return 0;
    if (crtcIndex_ != kLineInput)
        return crtc_[crtcIndex_];
    uint8_t lines = (uint8_t)((bus_.scl() ? 0x04 : 0) | (bus_.sda() ? 0x08 : 0));
    bus_.InputRead();
    return lines;
}

void VgaPorts::WriteCrtc(uint8_t value)
{
    if (crtcIndex_ >= kFirstExtended && !unlocked())
        return;
    crtc_[crtcIndex_] = value;
    if (crtcIndex_ == kLineOutput)
        bus_.MasterWrite((value & 0x10) != 0, (value & 0x20) != 0);
}

}  // namespace sim
