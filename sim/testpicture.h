// The card's built-in test picture, 720 x 480 UYVY, BT.601 studio range.
//
//   rows   0-319  eight 75% colour bars, 90 pixels each (bar k: columns
//                 90k to 90k+89), as Y/U/V:
//                 white   B4/80/80   yellow  A2/2C/8E   cyan   83/9C/2C
//                 green   70/48/3A   magenta 54/B8/C6   red    41/64/D4
//                 blue    23/D4/72   black   10/80/80
//   rows 320-359  black
//   rows 360-391  the moving detail: a white block (Y EB, U/V 80) of
//                 32 x 32 pixels on black, its left edge at column
//                 (8 x frame) mod 688
//   rows 392-399  black
//   rows 400-455  the frame number, six decimal digits with leading zeros,
//                 white on black: a 5 x 7 font at 8 x 8 pixels a dot, digit
//                 d (0 the most significant) in columns 40+48d to 79+48d
//   rows 456-479  black
//
// The frame number counts frames of the source (two fields each), modulo
// 1000000.
#pragma once

#include <cstdint>

namespace sim {

struct Yuv {
    uint8_t y, u, v;
};

class TestPicture {
public:
    static constexpr int kWidth = 720;
    static constexpr int kHeight = 480;
    static constexpr int kBarWidth = 90;
    static constexpr int kBarRows = 320;
    static constexpr int kBlockTop = 360, kBlockSize = 32, kBlockStep = 8;
    static constexpr int kDigitsTop = 400, kDigitsLeft = 40, kDigitPitch = 48, kDigitCount = 6;
    static constexpr int kDot = 8;

    static const Yuv kBars[8];
    static constexpr Yuv kBlack = { 0x10, 0x80, 0x80 };
    static constexpr Yuv kWhite = { 0xEB, 0x80, 0x80 };

    // Frame number frame, UYVY, rows top first (kWidth * 2 bytes a row).
    static void Draw(int frame, uint8_t *uyvy);
    // Where the moving block's left edge is in that frame.
    static int BlockLeft(int frame);
};

}  // namespace sim
