// What the decoder is told, and source detection, on the simulated SAA7111A.
#include <gtest/gtest.h>

#include "common/state.h"
#include "decoder/saa7111a.h"
#include "tests/support/simfixture.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Transactions = std::vector<Bytes>;

const Transactions kInitialTable = {
    { 0x48, 0x01, 0x00 }, { 0x48, 0x02, 0xD3 }, { 0x48, 0x03, 0x23 }, { 0x48, 0x04, 0x00 },
    { 0x48, 0x05, 0x00 }, { 0x48, 0x08, 0x48 }, { 0x48, 0x09, 0x10 }, { 0x48, 0x0A, 0x80 },
    { 0x48, 0x0B, 0x47 }, { 0x48, 0x0C, 0x40 }, { 0x48, 0x0D, 0x00 }, { 0x48, 0x0E, 0x01 },
    { 0x48, 0x0F, 0x00 }, { 0x48, 0x10, 0xC8 }, { 0x48, 0x11, 0x0C }, { 0x48, 0x12, 0x80 },
};

class DecoderTest : public SimCardTest {
protected:
    Transactions Written() { return WriteTransactions(card().bus().writes()); }
};

TEST_F(DecoderTest, InitialTableIsSixteenWritesInOrder)
{
    sim::SimCard &card = Attach();
    SAA7111A_Init();
    EXPECT_EQ(kInitialTable, Written());
    EXPECT_EQ(sim::Connector::Composite, card.decoder().SelectedInput());
    EXPECT_TRUE(card.decoder().OutputEnabled());
    for (int sub : { 0x00, 0x06, 0x07, 0x13, 0x1F })
        EXPECT_EQ(0, card.decoder().writesTo(sub)) << sub;
}

TEST_F(DecoderTest, ShutdownTurnsTheOutputOff)
{
    sim::SimCard &card = Attach();
    SAA7111A_Init();
    card.bus().ClearWrites();
    SAA7111A_Shutdown();
    EXPECT_EQ((Transactions{ { 0x48, 0x11, 0x84 } }), Written());
    EXPECT_FALSE(card.decoder().OutputEnabled());
}

TEST_F(DecoderTest, ColourAndInputRegisters)
{
    sim::SimCard &card = Attach();
    SAA7111A_SetBrightness(0x81);
    SAA7111A_SetContrast(0x22);
    SAA7111A_SetSaturation(0x7F);
    SAA7111A_SetHue(0xC0);
    SAA7111A_SelectSVideo();
    EXPECT_EQ(sim::Connector::SVideo, card.decoder().SelectedInput());
    SAA7111A_SelectComposite();
    EXPECT_EQ((Transactions{ { 0x48, 0x0A, 0x81 }, { 0x48, 0x0B, 0x22 }, { 0x48, 0x0C, 0x7F },
                             { 0x48, 0x0D, 0xC0 }, { 0x48, 0x02, 0xD4 }, { 0x48, 0x02, 0xD3 } }),
              Written());
}

TEST_F(DecoderTest, StandardsWriteTheirThreeRegistersAndNothingOutsideTheTable)
{
    const Bytes rows[7] = {
        { 0x48, 0x10, 0x01 }, { 0x88, 0x10, 0x31 }, { 0x88, 0x10, 0x21 }, { 0x08, 0x00, 0x01 },
        { 0x88, 0x00, 0x31 }, { 0x88, 0x00, 0x21 }, { 0x48, 0x00, 0x11 },
    };
    Attach();
    for (int index = 0; index < 7; index++) {
        card().bus().ClearWrites();
        SAA7111A_SetStandard(index);
        EXPECT_EQ((Transactions{ { 0x48, 0x08, rows[index][0] }, { 0x48, 0x09, rows[index][1] },
                                 { 0x48, 0x0E, rows[index][2] } }),
                  Written())
            << index;
    }
    card().bus().ClearWrites();
    SAA7111A_SetStandard(7);
    SAA7111A_SetStandard(-1);
    EXPECT_TRUE(card().bus().writes().empty());
}

struct DetectionCase {
    const char *source;
    int result;
    int standard;
    int connector;
    int statusReads;
};

class DetectionTest : public SimCardTest, public ::testing::WithParamInterface<DetectionCase> {};

TEST_P(DetectionTest, FindsTheConnectorAndStandard)
{
    const DetectionCase &c = GetParam();
    sim::SimCard &card = Attach(std::string("source=") + c.source);
    SAA7111A_Init();
    EXPECT_EQ(c.result, SAA7111A_AutoDetect());
    EXPECT_EQ(c.standard, nVideoStandard);
    EXPECT_EQ(c.connector, nVideoConnector);
    EXPECT_EQ(c.statusReads, card.decoder().statusReads());
    EXPECT_TRUE(recorder.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Decoder, DetectionTest,
                         ::testing::Values(DetectionCase{ "composite:60", 1, 0, CONNECTOR_COMPOSITE, 1 },
                                           DetectionCase{ "svideo:60", 1, 0, CONNECTOR_SVIDEO, 6 },
                                           DetectionCase{ "composite:50", 1, 3, CONNECTOR_COMPOSITE, 11 },
                                           DetectionCase{ "svideo:50", 1, 3, CONNECTOR_SVIDEO, 12 },
                                           DetectionCase{ "none", 0, 0, CONNECTOR_COMPOSITE, 14 }));

TEST_F(DecoderTest, FailedDetectionRewritesTheInitialTable)
{
    Attach("source=none");
    nVideoConnector = CONNECTOR_SVIDEO;
    nVideoStandard = 5;
    EXPECT_EQ(0, SAA7111A_AutoDetect());
    Transactions written = Written();
    ASSERT_GE(written.size(), kInitialTable.size());
    EXPECT_EQ(kInitialTable, Transactions(written.end() - kInitialTable.size(), written.end()));
    EXPECT_EQ(CONNECTOR_COMPOSITE, nVideoConnector);
    EXPECT_EQ(0, nVideoStandard);
}

TEST_F(DecoderTest, EachStepWritesItsStandardThenItsInput)
{
    Attach("source=none");
    SAA7111A_AutoDetect();
    Transactions written = Written();
    // Six steps of four writes, then the initial table.
    ASSERT_EQ(6u * 4 + 16, written.size());
    const uint8_t fieldRates[6] = { 0x48, 0x48, 0x08, 0x08, 0x48, 0x48 };
    for (int step = 0; step < 6; step++) {
        EXPECT_EQ(0x08, written[step * 4][1]);
        EXPECT_EQ(fieldRates[step], written[step * 4][2]);
        EXPECT_EQ(0x0E, written[step * 4 + 2][1]);
        EXPECT_EQ((Bytes{ 0x48, 0x02, (uint8_t)(step % 2 ? 0xD4 : 0xD3) }), written[step * 4 + 3]);
    }
}

// A decoder reporting a lock at a field rate the step does not accept.
TEST_F(DecoderTest, LockAtTheWrongFieldRateIsRejected)
{
    sim::SimCard &card = Attach();
    // Locked, at 60 Hz, only while forced to 50 Hz (steps 3 and 4).
    card.decoder().OverrideStatus([](const sim::Saa7111a &d) { return d.reg(0x08) == 0x08 ? 0x21 : 0x00; });
    EXPECT_EQ(0, SAA7111A_AutoDetect());
    // Locked, at 50 Hz, only in steps 5 and 6.
    card.decoder().OverrideStatus([](const sim::Saa7111a &d) { return d.reg(0x0E) == 0x11 ? 0x01 : 0x00; });
    EXPECT_EQ(0, SAA7111A_AutoDetect());
    // The same steps accept the right rate.
    card.decoder().OverrideStatus([](const sim::Saa7111a &d) { return d.reg(0x0E) == 0x11 ? 0x21 : 0x00; });
    EXPECT_EQ(1, SAA7111A_AutoDetect());
    EXPECT_EQ(6, nVideoStandard);
    EXPECT_EQ(CONNECTOR_COMPOSITE, nVideoConnector);
}

}  // namespace
