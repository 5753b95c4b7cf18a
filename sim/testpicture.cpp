#include "sim/testpicture.h"

namespace sim {

const Yuv TestPicture::kBars[8] = {
    { 0xB4, 0x80, 0x80 }, { 0xA2, 0x2C, 0x8E }, { 0x83, 0x9C, 0x2C }, { 0x70, 0x48, 0x3A },
    { 0x54, 0xB8, 0xC6 }, { 0x41, 0x64, 0xD4 }, { 0x23, 0xD4, 0x72 }, { 0x10, 0x80, 0x80 },
};

// The digits 0-9, seven rows of five dots each, the leftmost dot in bit 4.
static const uint8_t kFont[10][7] = {
    { 0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E }, { 0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E },
    { 0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F }, { 0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E },
    { 0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02 }, { 0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E },
    { 0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E }, { 0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08 },
    { 0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E }, { 0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C },
};

int TestPicture::BlockLeft(int frame)
{
    return (int)((unsigned)frame * kBlockStep % (kWidth - kBlockSize));
}

static void Fill(uint8_t *uyvy, int row, int left, int right, Yuv colour)
{
    uint8_t *line = uyvy + row * TestPicture::kWidth * 2;
    for (int x = left; x < right; x++) {
        line[2 * x] = x & 1 ? colour.v : colour.u;
        line[2 * x + 1] = colour.y;
    }
}

static void DrawDigit(uint8_t *uyvy, int digit, int left)
{
    const int dot = TestPicture::kDot;
    for (int r = 0; r < 7; r++)
        for (int c = 0; c < 5; c++)
            if (kFont[digit][r] >> (4 - c) & 1)
                for (int y = 0; y < dot; y++)
                    Fill(uyvy, TestPicture::kDigitsTop + r * dot + y, left + c * dot, left + (c + 1) * dot,
                         TestPicture::kWhite);
}

void TestPicture::Draw(int frame, uint8_t *uyvy)
{
    for (int row = 0; row < kHeight; row++)
        Fill(uyvy, row, 0, kWidth, kBlack);
    for (int row = 0; row < kBarRows; row++)
        for (int bar = 0; bar < 8; bar++)
            Fill(uyvy, row, bar * kBarWidth, (bar + 1) * kBarWidth, kBars[bar]);
    int left = BlockLeft(frame);
    for (int row = kBlockTop; row < kBlockTop + kBlockSize; row++)
        Fill(uyvy, row, left, left + kBlockSize, kWhite);
    unsigned number = (unsigned)frame % 1000000;
    for (int d = kDigitCount - 1; d >= 0; d--, number /= 10)
        DrawDigit(uyvy, (int)(number % 10), kDigitsLeft + d * kDigitPitch);
}

}  // namespace sim
