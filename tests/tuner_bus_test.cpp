// The tuner and the audio switch on the simulated card: the channel words,
// the mute and unmute sequences, the scan and the selection of a channel.
#include "decoder/i2c.h"
#include "tests/support/tunerfixture.h"

namespace {

// The cable plan's picture carrier of a channel, in MHz.
double PictureCarrier(int n)
{
    if (n == 1)
        return 73.25;
    if (n <= 4)
        return 55.25 + 6 * (n - 2);
    if (n <= 6)
        return 77.25 + 6 * (n - 5);
    if (n <= 13)
        return 175.25 + 6 * (n - 7);
    if (n <= 22)
        return 121.25 + 6 * (n - 14);
    if (n <= 94)
        return 217.25 + 6 * (n - 23);
    if (n <= 99)
        return 91.25 + 6 * (n - 95);
    return 649.25;
}

TEST(ChannelTable, WordsFollowTheCablePlan)
{
    EXPECT_EQ(0u, dwChannelTable[0]);
    const struct { int n; DWORD word; } examples[] = {
        { 2, 0x06508EA0 }, { 13, 0x10108E90 }, { 62, 0x1F108E90 },
        { 63, 0x1F708E30 }, { 99, 0x0A108EA0 }, { 100, 0x2B708E30 },
    };
    for (const auto &example : examples)
        EXPECT_EQ(example.word, dwChannelTable[example.n]) << example.n;
    for (int n = 1; n <= 100; n++) {
        double carrier = PictureCarrier(n);
        DWORD band = carrier <= 157.25 ? 0xA0 : carrier <= 451.25 ? 0x90 : 0x30;
        DWORD divider = (DWORD)(16 * (carrier + 45.75));
        EXPECT_EQ(divider << 16 | 0x8E00 | band, dwChannelTable[n]) << n;
    }
}

TEST(TunerStatus, OnlyLowBitsOneToThreeMeanASignal)
{
    const struct { BYTE status; int signal; } cases[] = {
        { 0x40, 0 }, { 0x41, 1 }, { 0x42, 1 }, { 0x43, 1 }, { 0x44, 0 },
        { 0x47, 0 }, { 0xFC, 0 }, { 0xF8, 0 }, { 0xB9, 1 }, { 0x02, 1 },
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.signal, Tuner_StatusHasSignal(c.status)) << std::hex << (int)c.status;
}

using TunerBusTest = TunerTest;

TEST_F(TunerBusTest, TuneSendsTheWordMostSignificantByteFirst)
{
    sim::SimCard &card = Open();
    Tuner_Tune(0);
    Tuner_Tune(2);
    Tuner_Tune(100);
    EXPECT_EQ((Decoded{ "S C0 00 00 00 00 P", "S C0 06 50 8E A0 P", "S C0 2B 70 8E 30 P" }), Bus());
    EXPECT_EQ(3, card.tuner().words());
    EXPECT_DOUBLE_EQ(649.25, card.tuner().TunedCarrierMhz());
    EXPECT_EQ(0x30, card.tuner().band());
}

TEST_F(TunerBusTest, ChannelOutsideTheTableIsNotSent)
{
    Open();
    Tuner_Tune(101);
    Tuner_Tune(-1);
    Tuner_SelectChannel(101);
    EXPECT_TRUE(Bus().empty());
    EXPECT_EQ(1, nCurrentChannel);
}

TEST_F(TunerBusTest, MuteAndUnmuteOnTheAudioSwitch)
{
    sim::SimCard &card = Open();
    Audio_Mute();
    EXPECT_EQ((Decoded{ kMuteText }), Bus());
    EXPECT_TRUE(card.audio().Muted());
    card.bus().ClearWrites();
    Audio_Unmute();
    EXPECT_EQ(kUnmuteTexts, Bus());     // one STOP, after the fifth write
    EXPECT_FALSE(card.audio().Muted());
    EXPECT_EQ(0xFC, card.audio().reg(0x00));
    EXPECT_EQ(0xFC, card.audio().reg(0x01));
    EXPECT_EQ(0xF6, card.audio().reg(0x02));
    EXPECT_EQ(0xF6, card.audio().reg(0x03));
    EXPECT_EQ(0xCF, card.audio().reg(0x08));
}

// The whole scan on the bus: muted throughout, each tune followed by its
// status read, the lowest channel with a signal tuned again at the end.
Decoded ScanTexts(int nEndChannel)
{
    Decoded texts = { kMuteText };
    for (int n = 1; n <= 100; n++) {
        texts.push_back(TuneText(n));
        texts.push_back(kStatusText);
    }
    texts.push_back(TuneText(nEndChannel));
    return Concat({ texts, kUnmuteTexts });
}

TEST_F(TunerBusTest, ScanKeepsTheChannelsWithAStationAndEndsOnTheLowest)
{
    // 187.25 MHz is channel 9, 77.25 channel 5; 193.375 lies two steps above channel 10.
    sim::SimCard &card = Open("stations=187.25+77.25+193.375");
    uint64_t start = card.clock().NowNs();
    Tuner_ScanChannels();
    EXPECT_EQ(ScanTexts(5), Bus());
    for (int n = 0; n <= 100; n++)
        EXPECT_EQ(n == 5 || n == 9, bChannelValid[n] == 1) << n;
    EXPECT_EQ(5, nCurrentChannel);
    EXPECT_DOUBLE_EQ(77.25, card.tuner().TunedCarrierMhz());
    EXPECT_FALSE(card.audio().Muted());
    EXPECT_EQ(5, nLastChannelShown);
    EXPECT_GE(card.clock().NowNs() - start, 100 * 400 * 1000000ull);
}

TEST_F(TunerBusTest, StationOneStepOffTheCarrierStillCounts)
{
    Open("stations=77.3125+187.1875");   // a step above channel 5, a step below channel 9
    Tuner_ScanChannels();
    EXPECT_EQ(1, bChannelValid[5]);
    EXPECT_EQ(1, bChannelValid[9]);
    EXPECT_EQ(0, bChannelValid[6]);
}

TEST_F(TunerBusTest, ScanWithoutStationsEndsOnChannelZero)
{
    sim::SimCard &card = Open();
    Tuner_ScanChannels();
    EXPECT_EQ(ScanTexts(0), Bus());
    for (int n = 0; n <= 100; n++)
        EXPECT_EQ(0, bChannelValid[n]) << n;
    EXPECT_EQ(0, nCurrentChannel);
    EXPECT_EQ(0, nLastChannelShown);
    EXPECT_FALSE(card.audio().Muted());
}

struct SelectCase {
    std::vector<int> valid;
    int asked;
    int current;            // nCurrentChannel afterwards (starts at 42)
};

class SelectChannelTest : public TunerTest, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(SelectChannelTest, TunesTheNumberAskedAndKeepsTheNearestValidBelow)
{
    Open();
    OnlyValid(GetParam().valid);
    nCurrentChannel = 42;
    Tuner_SelectChannel(GetParam().asked);
    EXPECT_EQ(RetuneTexts(GetParam().asked), Bus());
    EXPECT_EQ(GetParam().asked, nLastChannelShown);
    EXPECT_EQ(GetParam().current, nCurrentChannel);
}

INSTANTIATE_TEST_SUITE_P(Tuner, SelectChannelTest,
                         ::testing::Values(SelectCase{ { 10, 60 }, 50, 10 },    // below
                                           SelectCase{ { 10, 60 }, 60, 60 },    // itself
                                           SelectCase{ { 10, 60 }, 5, 60 },     // wraps from 0 to 100
                                           SelectCase{ { 100 }, 100, 100 },
                                           SelectCase{ { 1 }, 100, 1 },
                                           SelectCase{ {}, 7, 42 }));           // none valid: kept

// A request that comes while a time-out box holds the bus waits for the
// transaction on the lines to end, and the retune stays bracketed.
TEST_F(TunerBusTest, RetuneDuringATimeOutBoxWaitsAndStaysBracketed)
{
    sim::SimCard &card = Open("decoder=absent");   // nothing acknowledges at 0x48: boxes
    bool asked = false;
    recorder.whileShown = [&](const RecordedBox &) {
        if (!asked) {
            asked = true;
            Tuner_SelectChannel(7);
            Tuner_SelectChannel(9);     // the newer request replaces the waiting one
        }
    };
    I2C_WriteReg(I2C_ADDR_DECODER, 0x0A, 0x80);
    ASSERT_TRUE(asked);
    Decoded bus = Bus();
    ASSERT_EQ(8u, bus.size());
    EXPECT_EQ("S 48 0A 80 P", bus[0]);
    EXPECT_EQ(RetuneTexts(9), Decoded(bus.begin() + 1, bus.end()));
    EXPECT_EQ(9, nCurrentChannel);
    EXPECT_FALSE(card.audio().Muted());
}

}  // namespace
