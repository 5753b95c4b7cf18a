#include "sim/i2cslave.h"

namespace sim {

void I2cSlave::OnLines(bool scl, bool sda, bool wasScl, bool wasSda)
{
    // SDA falling under our own late acknowledge is no START to us.
    bool ownPull = !sda && pullsSda();
    if (scl && wasScl && sda != wasSda && !ownPull) {
        bool active = state_ != State::Idle && state_ != State::Ignore && state_ != State::Address;
        PullSda(false);
        ackClock_ = false;
        ackLate_ = false;
        if (!sda) {                             // START, or a repeated START
            state_ = State::Address;
            bits_ = 0;
            shift_ = 0;
        } else {                                // STOP
            state_ = State::Idle;
            if (active)
                OnStop();
        }
        return;
    }
    if (state_ == State::Idle || state_ == State::Ignore)
        return;
    if (scl && !wasScl)
        OnRise(sda);
    else if (!scl && wasScl)
        OnFall();
}

void I2cSlave::OnRise(bool sda)
{
    if (ackClock_) {
        if (state_ == State::Send)
            masterAcked_ = !sda;
        if (ackLate_) {
            ackCountdown_ = ackDelay_;
            if (ackCountdown_ == 0)
                PullSda(true);
        }
        return;
    }
    if (state_ == State::Send) {
        bits_++;
        return;
    }
    shift_ = (uint8_t)(shift_ << 1 | (sda ? 1 : 0));
    bits_++;
}

void I2cSlave::OnFall()
{
    if (ackClock_) {
        EndOfAckClock();
        return;
    }
    if (state_ == State::Send) {
        if (bits_ < 8) {
            SendBit();
        } else {
            PullSda(false);                     // the master's acknowledge clock
            ackClock_ = true;
        }
        return;
    }
    if (bits_ == 8)
        EndOfByte();
}

void I2cSlave::EndOfByte()
{
    uint8_t value = shift_;
    bits_ = 0;
    shift_ = 0;
    if (state_ == State::Address) {
        if ((value & 0xFE) != address_ || timesAddressed_++ < wakeAfter_) {
            state_ = State::Ignore;
            return;
        }
        bool read = value & 1;
        state_ = read ? State::Send : State::Receive;
        OnStart(read);
    } else {
        OnWrite(value);
    }
    Acknowledge();
}

void I2cSlave::Acknowledge()
{
    ackClock_ = true;
    if (ackDelay_ < 0) {
        PullSda(true);
    } else {
        ackLate_ = true;                        // counted from the ninth clock's rise
        ackCountdown_ = -1;
    }
}

void I2cSlave::EndOfAckClock()
{
    ackClock_ = false;
    ackLate_ = false;
    PullSda(false);
    if (stretch_ > 0) {
        PullScl(true);
        stretchLeft_ = stretch_;
    }
    if (state_ == State::Send) {
        if (bits_ == 8 && !masterAcked_) {      // the master wants no more
            state_ = State::Ignore;
            return;
        }
        shift_ = OnRead();
        bits_ = 0;
        SendBit();
    }
}

void I2cSlave::SendBit()
{
    PullSda(!((shift_ >> (7 - bits_)) & 1));
}

void I2cSlave::OnInputRead()
{
    if (ackLate_ && ackCountdown_ > 0 && --ackCountdown_ == 0)
        PullSda(true);
    if (stretchLeft_ > 0 && --stretchLeft_ == 0)
        PullScl(false);
}

}  // namespace sim
