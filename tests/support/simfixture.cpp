#include "tests/support/simfixture.h"

#include "app/cpu.h"
#include "common/state.h"
#include "common/sysio.h"

void SimCardTest::SetUp()
{
    ResetSharedState();
    ResetSysFaults();
    OverrideCpuFeatures(-1, -1);
}

void SimCardTest::TearDown()
{
    ResetSysFaults();
    sim::Sim_Detach();
    card_ = nullptr;
}

sim::SimCard &SimCardTest::Attach(const std::string &config)
{
    sim::SimConfig parsed;
    std::string error;
    EXPECT_TRUE(sim::ParseSimConfig("clock=stepped," + config, &parsed, &error)) << error;
    return Attach(parsed);
}

sim::SimCard &SimCardTest::Attach(const sim::SimConfig &config)
{
    card_ = sim::Sim_AttachConfig(config);
    return *card_;
}

// The master's view: a bit is SDA at a write that raises SCL; START and STOP
// are SDA edges while SCL stays high.
std::vector<BusTransfer> DecodeMasterWrites(const std::vector<uint8_t> &writes)
{
    std::vector<BusTransfer> transfers;
    bool scl = true, sda = true;
    int bits = 0;
    uint16_t word = 0;
    for (uint8_t value : writes) {
        bool newSda = value & 0x10, newScl = value & 0x20;
        if (scl && newScl && sda != newSda) {
            if (!newSda) {
                transfers.push_back(BusTransfer());
            } else if (!transfers.empty()) {
                transfers.back().stop = true;
            }
            bits = 0;
            word = 0;
        } else if (!scl && newScl && !transfers.empty()) {
            word = (uint16_t)(word << 1 | (newSda ? 1 : 0));
            if (++bits == 9) {
                transfers.back().bytes.push_back((uint8_t)(word >> 1));
                bits = 0;
                word = 0;
            }
        }
        scl = newScl;
        sda = newSda;
    }
    return transfers;
}

std::vector<std::vector<uint8_t>> WriteTransactions(const std::vector<uint8_t> &writes)
{
    std::vector<std::vector<uint8_t>> result;
    for (const BusTransfer &transfer : DecodeMasterWrites(writes))
        if (transfer.stop && !transfer.bytes.empty() && !(transfer.bytes[0] & 1))
            result.push_back(transfer.bytes);
    return result;
}
