// The tuner's frequency synthesizer (0xC0 to write, 0xC1 to read) and the
// audio device (0x82) that silences the tuner sound.
#pragma once

#include <vector>

#include "sim/regdevice.h"

namespace sim {

class Tuner : public I2cSlave {
public:
    static constexpr uint8_t kAddress = 0xC0;

    Tuner() : I2cSlave(kAddress) {}

    // Picture carriers, in MHz, on which a station is received.
    void SetStations(const std::vector<double> &mhz) { stations_ = mhz; }

    uint16_t divider() const { return divider_; }
    uint8_t control() const { return control_; }
    uint8_t band() const { return band_; }
    int words() const { return words_; }        // complete words received
    // The picture carrier the synthesizer is tuned to: 62.5 kHz steps, 45.75 MHz above.
    double TunedCarrierMhz() const { return divider_ / 16.0 - 45.75; }
    uint8_t Status() const;

protected:
    void OnStart(bool read) override;
    void OnWrite(uint8_t value) override;
    uint8_t OnRead() override { return Status(); }

private:
    std::vector<double> stations_;
    uint8_t received_[4] = {};
    int count_ = 0;
    uint16_t divider_ = 0;
    uint8_t control_ = 0, band_ = 0;
    int words_ = 0;
};

class AudioSwitch : public RegisterDevice {
public:
    static constexpr uint8_t kAddress = 0x82;

    AudioSwitch() : RegisterDevice(kAddress, 16) {}

    // Bit 5 of register 0x08 silences the tuner sound.
    bool Muted() const { return (regs_[0x08] & 0x20) != 0; }
};

}  // namespace sim
