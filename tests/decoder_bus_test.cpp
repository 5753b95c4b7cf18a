// The bus master against the simulated card: exact line sequences, time-out
// boxes, the silent probe, and a second request while a time-out box is up.
#include <gtest/gtest.h>

#include "common/msgbox.h"
#include "decoder/i2c.h"
#include "decoder/saa7111a.h"
#include "tests/support/simfixture.h"

namespace {

// What the output register sees for one byte, most significant bit first,
// and for the acknowledge clock after it.
void AppendByte(std::vector<uint8_t> &lines, uint8_t b)
{
    for (int bit = 7; bit >= 0; bit--) {
        int d = (b >> bit) & 1;
        lines.insert(lines.end(), { Lines(d, 0), Lines(d, 1), Lines(d, 0) });
    }
    lines.insert(lines.end(), { Lines(1, 0), Lines(1, 1), Lines(1, 0) });
}

std::vector<uint8_t> RegisterWriteLines(uint8_t address, uint8_t subaddress, uint8_t value)
{
    std::vector<uint8_t> lines = { Lines(1, 1), Lines(0, 1) };     // START
    AppendByte(lines, address);
    AppendByte(lines, subaddress);
    AppendByte(lines, value);
    lines.insert(lines.end(), { Lines(0, 1), Lines(1, 1) });       // STOP
    return lines;
}

class BusTest : public SimCardTest {};

TEST_F(BusTest, RegisterWriteIsStartThreeAcknowledgedBytesStop)
{
    sim::SimCard &card = Attach();
    I2C_WriteReg(0x48, 0x0A, 0x5C);

    std::vector<uint8_t> expected = RegisterWriteLines(0x48, 0x0A, 0x5C);
    ASSERT_EQ(85u, expected.size());
    EXPECT_EQ(expected, card.bus().writes());
    EXPECT_EQ(0x5C, card.decoder().brightness());
    EXPECT_TRUE(recorder.boxes().empty());
    // Every write ended with the lines released and settled.
    EXPECT_TRUE(card.bus().scl());
    EXPECT_TRUE(card.bus().sda());
    EXPECT_TRUE(card.vga().unlocked());
}

TEST_F(BusTest, SilentDeviceGivesOneAckBoxPerByteAndStillStops)
{
    sim::SimCard &card = Attach("decoder=absent");
    I2C_WriteReg(0x48, 0x0A, 0x5C);

    ASSERT_EQ(3u, recorder.boxes().size());
    for (const RecordedBox &box : recorder.boxes()) {
        EXPECT_EQ(NULL, box.owner);
        EXPECT_EQ("Time Out !!", box.text);
        EXPECT_EQ("I2C_WaitAck", box.caption);
        EXPECT_EQ((UINT)MB_OK, box.flags);
    }
    EXPECT_EQ(RegisterWriteLines(0x48, 0x0A, 0x5C), card.bus().writes());
}

TEST_F(BusTest, ClockHeldLowTimesOutEveryClockAfter64Reads)
{
    sim::SimCard &card = Attach("scl=stuck");
    I2C_WriteReg(0x48, 0x0A, 0x5C);

    // START, 24 data clocks, 3 acknowledge clocks and STOP each wait for SCL;
    // no device sees a clock, so each acknowledge times out too.
    std::vector<std::string> expected;
    expected.push_back("I2C_WaitClock");
    for (int byte = 0; byte < 3; byte++) {
        expected.insert(expected.end(), 8, "I2C_WaitClock");
        expected.push_back("I2C_WaitClock");
        expected.push_back("I2C_WaitAck");
    }
    expected.push_back("I2C_WaitClock");
    EXPECT_EQ(expected, recorder.captions());
    // 29 clock waits of 64 reads, 3 acknowledge polls of 63, STOP's data wait of 1.
    EXPECT_EQ(29u * 64 + 3 * 63 + 1, card.bus().inputReads());
}

TEST_F(BusTest, ProbeGivesUpSilentlyAfter128ReadsWhenTheClockIsHeldLow)
{
    sim::SimCard &card = Attach("scl=stuck");
    EXPECT_EQ(0, I2C_ProbeDevice(0x48));
    EXPECT_EQ(128u, card.bus().inputReads());
    EXPECT_EQ(1u, card.bus().writes().size());      // (1, 1), then nothing more
    EXPECT_TRUE(recorder.boxes().empty());
}

TEST_F(BusTest, ProbeAnswersOnlyForAPresentDevice)
{
    Attach();
    EXPECT_EQ(1, I2C_ProbeDevice(0x48));
    EXPECT_EQ(1, I2C_ProbeDevice(0x82));
    EXPECT_EQ(0, I2C_ProbeDevice(0x4A));
    Attach("decoder=absent");
    EXPECT_EQ(0, I2C_ProbeDevice(0x48));
    EXPECT_TRUE(recorder.boxes().empty());
}

TEST_F(BusTest, ProbeLinesAreStartAddressAckStop)
{
    sim::SimCard &card = Attach();
    ASSERT_EQ(1, I2C_ProbeDevice(0x48));
    std::vector<uint8_t> expected = { Lines(1, 1), Lines(0, 1) };
    AppendByte(expected, 0x48);
    expected.insert(expected.end(), { Lines(0, 1), Lines(1, 1) });
    EXPECT_EQ(expected, card.bus().writes());
}

TEST_F(BusTest, RegisterReadUsesTheDecodersReadAddressAndPauses)
{
    sim::SimCard &card = Attach();
    I2C_WriteReg(0x48, 0x0D, 0x6B);
    I2C_WriteReg(0x48, 0x0C, 0x5A);             // leaves the decoder's pointer at 0x0D
    card.bus().ClearWrites();
    uint64_t before = card.clock().NowNs();

    BYTE value = I2C_ReadReg(0x82, 0x1F);       // another device's write address

    std::vector<BusTransfer> transfers = DecodeMasterWrites(card.bus().writes());
    ASSERT_EQ(2u, transfers.size());
    EXPECT_EQ((std::vector<uint8_t>{ 0x82, 0x1F }), transfers[0].bytes);
    EXPECT_FALSE(transfers[0].stop);            // a repeated START follows
    ASSERT_EQ(2u, transfers[1].bytes.size());
    EXPECT_EQ(0x49, transfers[1].bytes[0]);
    EXPECT_TRUE(transfers[1].stop);
    // The subaddress went to the audio device: the decoder answered from
    // where its own pointer stood.
    EXPECT_EQ(0x6B, value);
    EXPECT_GE(card.clock().NowNs() - before, 100000000u);
    EXPECT_TRUE(recorder.boxes().empty());
}

struct LateAckCase {
    const char *config;
    size_t boxes;
};

class LateAckTest : public SimCardTest, public ::testing::WithParamInterface<LateAckCase> {};

// The acknowledge is looked for on at most 63 polls after the ninth clock;
// a clock stretched for less than 64 reads is waited for.
TEST_P(LateAckTest, SlowDevices)
{
    sim::SimCard &card = Attach(GetParam().config);
    I2C_WriteReg(0x48, 0x0C, 0x33);
    EXPECT_EQ(GetParam().boxes, recorder.boxes().size());
    EXPECT_EQ(0x33, card.decoder().saturation());
}

INSTANTIATE_TEST_SUITE_P(Bus, LateAckTest,
                         ::testing::Values(LateAckCase{ "ackdelay=62", 0 }, LateAckCase{ "ackdelay=63", 0 },
                                           LateAckCase{ "ackdelay=64", 3 }, LateAckCase{ "stretch=63", 0 },
                                           LateAckCase{ "stretch=64", 3 }));

// A time-out box runs a message loop; a scroll bar or timer handled there
// asks for the bus while the first transaction is still on the lines.
TEST_F(BusTest, RequestDuringATimeOutBoxWaitsForTheTransactionOnTheLines)
{
    sim::SimCard &card = Attach("ackdelay=100");    // every acknowledge is late, the bytes still land
    int nested = 0;
    recorder.whileShown = [&](const RecordedBox &) {
        if (nested++ == 0) {
            SAA7111A_SetBrightness(0x11);
            SAA7111A_SetBrightness(0x22);           // replaces the held 0x11
            SAA7111A_SetHue(0x33);
        }
    };

    SAA7111A_SetContrast(0x44);

    std::vector<uint8_t> expected = RegisterWriteLines(0x48, 0x0B, 0x44);
    std::vector<uint8_t> brightness = RegisterWriteLines(0x48, 0x0A, 0x22);
    std::vector<uint8_t> hue = RegisterWriteLines(0x48, 0x0D, 0x33);
    expected.insert(expected.end(), brightness.begin(), brightness.end());
    expected.insert(expected.end(), hue.begin(), hue.end());
    EXPECT_EQ(expected, card.bus().writes());
    EXPECT_EQ(0x44, card.decoder().contrast());
    EXPECT_EQ(0x22, card.decoder().brightness());
    EXPECT_EQ(1, card.decoder().writesTo(0x0A));
    EXPECT_EQ(0x33, card.decoder().hue());
    EXPECT_EQ(9u, recorder.boxes().size());
    EXPECT_FALSE(I2C_BusBusy());
}

// The same with real message boxes: a timer dispatched by the box's own
// message loop asks for the bus, then presses OK.
int timerTicks;

void CALLBACK AnswerTimeOutBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowA("#32770", "I2C_WaitAck");
    if (!box)
        return;
    if (timerTicks++ == 0)
        SAA7111A_SetHue(0x33);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(BusTest, RealTimeOutBoxLoopKeepsTheSecondRequestOffTheLines)
{
    sim::SimCard &card = Attach("ackdelay=100");
    SetMessageBoxProc(NULL);                    // MessageBoxA itself
    timerTicks = 0;
    UINT_PTR timer = SetTimer(NULL, 0, 20, AnswerTimeOutBox);
    SAA7111A_SetContrast(0x44);
    KillTimer(NULL, timer);

    std::vector<uint8_t> expected = RegisterWriteLines(0x48, 0x0B, 0x44);
    std::vector<uint8_t> hue = RegisterWriteLines(0x48, 0x0D, 0x33);
    expected.insert(expected.end(), hue.begin(), hue.end());
    EXPECT_EQ(expected, card.bus().writes());
    EXPECT_EQ(0x33, card.decoder().hue());
    EXPECT_EQ(6, timerTicks);                   // three boxes for each write
}

TEST_F(BusTest, ReadDuringATimeOutBoxIsRefusedWithoutTouchingTheLines)
{
    sim::SimCard &card = Attach("decoder=absent");
    size_t writesWhenShown = 0;
    BYTE nestedRead = 0;
    recorder.whileShown = [&](const RecordedBox &) {
        if (writesWhenShown == 0) {
            writesWhenShown = card.bus().writes().size();
            nestedRead = I2C_ReadReg(0x48, 0x1F);
            EXPECT_EQ(writesWhenShown, card.bus().writes().size());
            EXPECT_EQ(0, I2C_ProbeDevice(0x48));
            EXPECT_EQ(writesWhenShown, card.bus().writes().size());
        }
    };
    I2C_WriteReg(0x48, 0x01, 0x00);
    EXPECT_EQ(0xFF, nestedRead);
    EXPECT_EQ(RegisterWriteLines(0x48, 0x01, 0x00), card.bus().writes());
}

}  // namespace
