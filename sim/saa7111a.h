// The SAA7111A video decoder: 32 registers, and a status register worked
// out from which connector carries a signal against the input and field
// rate the decoder was told to use.
#pragma once

#include <functional>

#include "sim/regdevice.h"

namespace sim {

enum class Connector { None, Composite, SVideo };

struct VideoSource {
    Connector connector = Connector::Composite;
    int fieldRate = 60;     // 50 or 60
};

class Saa7111a : public RegisterDevice {
public:
    static constexpr uint8_t kAddress = 0x48;
    static constexpr int kStatus = 0x1F;

    Saa7111a();

    void SetSource(const VideoSource &source) { source_ = source; }
    const VideoSource &source() const { return source_; }

    // Back door for tests: a decoder whose status register reads whatever
    // the function makes of its registers (empty: the decoder's own status).
    void OverrideStatus(std::function<uint8_t(const Saa7111a &)> status) { statusOverride_ = status; }
    int statusReads() const { return statusReads_; }

    // Which connector register 0x02 selects (mode 3: composite, mode 4: S-Video).
    Connector SelectedInput() const;
    bool Locked() const;
    uint8_t Status() const;
    // Output control 0x11 at 0x84 turns the video output off.
    bool OutputEnabled() const { return regs_[0x11] != 0x84; }

    uint8_t brightness() const { return regs_[0x0A]; }
    uint8_t contrast() const { return regs_[0x0B]; }
    uint8_t saturation() const { return regs_[0x0C]; }
    uint8_t hue() const { return regs_[0x0D]; }

protected:
    uint8_t ReadRegister(int subaddress) override;
    bool Writable(int subaddress) const override;

private:
    VideoSource source_;
    std::function<uint8_t(const Saa7111a &)> statusOverride_;
    int statusReads_ = 0;
};

}  // namespace sim
