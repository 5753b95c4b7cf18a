// A device on the bus, as an I2C slave state machine fed one line change at
// a time: START and STOP (SDA edges while SCL is high), the address, the
// acknowledge in the ninth clock, bytes in and bytes out. The register
// devices on top of it only see whole bytes.
#pragma once

#include <cstdint>

#include "sim/i2cbus.h"

namespace sim {

class I2cSlave : public I2cDevice {
public:
    explicit I2cSlave(uint8_t writeAddress) : address_(writeAddress) {}

    // Faults. The acknowledge comes only after this many reads of the input
    // register once the ninth clock has risen (-1: at once, when the eighth
    // clock falls, as a healthy device does).
    void SetAckDelay(int reads) { ackDelay_ = reads; }
    // After each acknowledge clock the device holds SCL low for this many reads.
    void SetStretch(int reads) { stretch_ = reads; }
    // The device ignores the first n times it is addressed (still in reset).
    void SetWakeAfter(int n) { wakeAfter_ = n; }

    int timesAddressed() const { return timesAddressed_; }

    void OnLines(bool scl, bool sda, bool wasScl, bool wasSda) override;
    void OnInputRead() override;

protected:
    virtual void OnStart(bool read) { (void)read; }   // addressed, for writing or reading
    virtual void OnWrite(uint8_t value) = 0;          // a byte after the address
    virtual uint8_t OnRead() = 0;                     // the next byte to send
    virtual void OnStop() {}

private:
    enum class State { Idle, Address, Receive, Send, Ignore };

    void OnRise(bool sda);
    void OnFall();
    void EndOfByte();
    void EndOfAckClock();
    void Acknowledge();
    void SendBit();

    uint8_t address_;
    State state_ = State::Idle;
    int bits_ = 0;
    uint8_t shift_ = 0;
    bool ackClock_ = false;     // in the ninth clock of a byte
    bool masterAcked_ = false;
    int ackDelay_ = -1;
    int ackCountdown_ = -1;     // reads left before a late acknowledge
    bool ackLate_ = false;
    int stretch_ = 0;
    int stretchLeft_ = 0;
    int wakeAfter_ = 0;
    int timesAddressed_ = 0;
};

}  // namespace sim
