#include "sim/tuner.h"

#include <cmath>

namespace sim {

enum : uint8_t {
    kPhaseLocked = 0x40,
    kAfcCentre = 2,         // the station sits on the tuned frequency
    kAfcLow = 1,            // one step below
    kAfcHigh = 3,           // one step above
    kAfcNone = 0,
};

void Tuner::OnStart(bool read)
{
    (void)read;
    count_ = 0;
}

// The divider comes first when the first byte has bit 7 clear, the control
// and band bytes first when it is set.
void Tuner::OnWrite(uint8_t value)
{
    if (count_ < 4)
        received_[count_++] = value;
    if (count_ < 4)
        return;
    bool dividerFirst = !(received_[0] & 0x80);
    const uint8_t *divider = dividerFirst ? received_ : received_ + 2;
    const uint8_t *control = dividerFirst ? received_ + 2 : received_;
    divider_ = (uint16_t)((divider[0] & 0x7F) << 8 | divider[1]);
    control_ = control[0];
    band_ = control[1];
    words_++;
    count_ = 0;
}

uint8_t Tuner::Status() const
{
    const double kStepMhz = 0.0625;
    double tuned = TunedCarrierMhz();
    for (double station : stations_) {
        double offset = (station - tuned) / kStepMhz;
        if (std::fabs(offset) < 0.5)
            return kPhaseLocked | kAfcCentre;
        if (std::fabs(offset) < 1.5)
            return kPhaseLocked | (offset < 0 ? kAfcLow : kAfcHigh);
    }
    return kPhaseLocked | kAfcNone;
}

}  // namespace sim
