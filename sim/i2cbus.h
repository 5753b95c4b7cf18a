// The card's two-wire bus: open-drain lines, each the AND of the master's
// drive, every device's drive and the line faults.
#pragma once

#include <cstdint>
#include <vector>

namespace sim {

class Clock;
class VcdTrace;

class I2cDevice {
public:
    virtual ~I2cDevice() = default;
    // The bus levels changed from (wasScl, wasSda) to (scl, sda).
    virtual void OnLines(bool scl, bool sda, bool wasScl, bool wasSda) = 0;
    // The master read the input register once (after its value was taken).
    virtual void OnInputRead() {}

    bool pullsScl() const { return pullsScl_; }
    bool pullsSda() const { return pullsSda_; }

protected:
    void PullSda(bool low) { pullsSda_ = low; }
    void PullScl(bool low) { pullsScl_ = low; }

private:
    bool pullsScl_ = false;
    bool pullsSda_ = false;
};

class I2cBus {
public:
    explicit I2cBus(Clock &clock) : clock_(clock) {}

    void Attach(I2cDevice *device) { devices_.push_back(device); }
    void SetTrace(VcdTrace *trace) { trace_ = trace; }
    void HoldSclLow(bool stuck);

    // One write of the output register by the master. Data is set up while
    // the clock is low: a write that raises SCL changes SDA first, one that
    // lowers SCL changes SDA after.
    void MasterWrite(bool sda, bool scl);
    // One read of the input register went by.
    void InputRead();

    bool scl() const { return scl_; }
    bool sda() const { return sda_; }

    // Every value the master wrote to the output register, in order (bit 4
    // SDA, bit 5 SCL, bit 0 set), for tests.
    const std::vector<uint8_t> &writes() const { return writes_; }
    void ClearWrites() { writes_.clear(); }
    uint64_t inputReads() const { return inputReads_; }

private:
    void Settle();

    Clock &clock_;
    VcdTrace *trace_ = nullptr;
    std::vector<I2cDevice *> devices_;
    bool masterScl_ = true, masterSda_ = true;
    bool sclStuck_ = false;
    bool scl_ = true, sda_ = true;
    std::vector<uint8_t> writes_;
    uint64_t inputReads_ = 0;
};

}  // namespace sim
