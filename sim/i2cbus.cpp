#include "sim/i2cbus.h"

#include "sim/clock.h"
#include "sim/vcd.h"

namespace sim {

void I2cBus::HoldSclLow(bool stuck)
{
    sclStuck_ = stuck;
    Settle();
}

// Recomputes the wired-AND levels and lets the devices react, until nothing
// changes any more.
void I2cBus::Settle()
{
    for (int round = 0; round < 16; round++) {
        bool scl = masterScl_ && !sclStuck_;
        bool sda = masterSda_;
        for (const I2cDevice *device : devices_) {
            scl = scl && !device->pullsScl();
            sda = sda && !device->pullsSda();
        }
        if (scl == scl_ && sda == sda_)
            return;
        bool wasScl = scl_, wasSda = sda_;
        scl_ = scl;
        sda_ = sda;
        for (I2cDevice *device : devices_)
            device->OnLines(scl, sda, wasScl, wasSda);
    }
}

void I2cBus::MasterWrite(bool sda, bool scl)
{
    writes_.push_back((uint8_t)((sda ? 0x10 : 0) | (scl ? 0x20 : 0) | 0x01));
    if (!scl) {
        masterScl_ = scl;
        Settle();
        masterSda_ = sda;
    } else {
        masterSda_ = sda;
        Settle();
        masterScl_ = scl;
    }
    Settle();
    if (trace_)
        trace_->Write(clock_.NowNs(), scl_, sda_);
}

void I2cBus::InputRead()
{
    inputReads_++;
    for (I2cDevice *device : devices_)
        device->OnInputRead();
    Settle();
    if (trace_)
        trace_->Change(clock_.NowNs(), scl_, sda_);
}

}  // namespace sim
