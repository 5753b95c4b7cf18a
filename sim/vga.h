// The graphics chip's VGA sequencer and CRTC ports. The extended CRTC
// registers answer only while sequencer register 6 holds 0x57; two of them
// carry the bus lines: CR3F drives them (bit 4 SDA, bit 5 SCL), CR3E reads
// them back (bit 2 SCL, bit 3 SDA).
#pragma once

#include <cstdint>

namespace sim {

class Clock;
class I2cBus;

class VgaPorts {
public:
    VgaPorts(Clock &clock, I2cBus &bus) : clock_(clock), bus_(bus) {}

    uint8_t In(uint16_t port);
    void Out(uint16_t port, uint8_t value);

    bool unlocked() const { return seqLock_ == kUnlock; }

private:
    static constexpr uint8_t kUnlock = 0x57;

    uint8_t ReadCrtc();
    void WriteCrtc(uint8_t value);

    Clock &clock_;
    I2cBus &bus_;
    uint8_t seqIndex_ = 0;
    uint8_t seqLock_ = 0;       // sequencer register 6
    uint8_t crtcIndex_ = 0;
    uint8_t crtc_[256] = {};
};

}  // namespace sim
