// A test on the simulated card: a fresh card on a stepped clock for each
// test, the globals as at process start, and every message box recorded.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/card.h"
#include "tests/support/recorder.h"

class SimCardTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A card configured as VIDMORA_SIM would (the clock is stepped unless the text says otherwise).
    sim::SimCard &Attach(const std::string &config = "");
    sim::SimCard &Attach(const sim::SimConfig &config);
    sim::SimCard &card() { return *card_; }

    MessageRecorder recorder;

private:
    sim::SimCard *card_ = nullptr;
};

// The bus as the master drove it, decoded from its output writes alone:
// one entry per transaction from START (or repeated START) to the next,
// each byte with the ninth clock's SDA as the master left it.
struct BusTransfer {
    std::vector<uint8_t> bytes;
    bool stop = false;      // ended by a STOP
};
std::vector<BusTransfer> DecodeMasterWrites(const std::vector<uint8_t> &writes);
// The bytes of the complete write transactions (START ... STOP, no repeated
// START), address first.
std::vector<std::vector<uint8_t>> WriteTransactions(const std::vector<uint8_t> &writes);

// Line writes: (SDA, SCL) as the output register's value.
constexpr uint8_t Lines(int sda, int scl)
{
    return (uint8_t)((sda ? 0x10 : 0) | (scl ? 0x20 : 0) | 0x01);
}
