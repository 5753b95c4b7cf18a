#include "sim/saa7111a.h"

namespace sim {

enum : uint8_t {
    kChipVersion = 0x11,    // register 0x00, read only
    kAutoFieldDetect = 0x80,
    kField60Hz = 0x40,
    kStatusLocked = 0x01,
    kStatus60Hz = 0x20,
};

Saa7111a::Saa7111a() : RegisterDevice(kAddress, 32)
{
    regs_[0x00] = kChipVersion;
}

Connector Saa7111a::SelectedInput() const
{
    switch (regs_[0x02] & 0x07) {
    case 3:
        return Connector::Composite;
    case 4:
        return Connector::SVideo;
    default:
        return Connector::None;
    }
}

bool Saa7111a::Locked() const
{
    if (source_.connector == Connector::None || SelectedInput() != source_.connector)
        return false;
    uint8_t fieldRate = regs_[0x08];
    if (fieldRate & kAutoFieldDetect)
        return true;
    bool wants60 = (fieldRate & kField60Hz) != 0;
    return wants60 == (source_.fieldRate == 60);
}

uint8_t Saa7111a::Status() const
{
    if (!Locked())
        return 0;
    return kStatusLocked | (source_.fieldRate == 60 ? kStatus60Hz : 0);
}

uint8_t Saa7111a::ReadRegister(int subaddress)
{
    if (subaddress != kStatus)
        return regs_[subaddress];
    statusReads_++;
    return statusOverride_ ? statusOverride_(*this) : Status();
}

bool Saa7111a::Writable(int subaddress) const
{
    return subaddress != 0x00 && subaddress != kStatus;
}

}  // namespace sim
