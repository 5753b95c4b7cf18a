// A chip that is a register file behind a subaddress pointer: the first byte
// written sets the pointer, every further byte written or read moves it on.
#pragma once

#include <cstdint>

#include "sim/i2cslave.h"

namespace sim {

class RegisterDevice : public I2cSlave {
public:
    RegisterDevice(uint8_t writeAddress, int registerCount)
        : I2cSlave(writeAddress), count_(registerCount) {}

    uint8_t reg(int subaddress) const { return regs_[subaddress % count_]; }
    // How many bytes the master has written into each register, for tests.
    int writesTo(int subaddress) const { return writes_[subaddress % count_]; }

protected:
    virtual uint8_t ReadRegister(int subaddress) { return regs_[subaddress]; }
    virtual bool Writable(int subaddress) const { (void)subaddress; return true; }

    void OnStart(bool read) override;
    void OnWrite(uint8_t value) override;
    uint8_t OnRead() override;

    uint8_t regs_[256] = {};

private:
    int count_;
    int writes_[256] = {};
    int pointer_ = 0;
    bool pointerNext_ = false;
};

}  // namespace sim
