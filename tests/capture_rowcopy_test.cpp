// The two row copiers of the frame grab.
#include <gtest/gtest.h>

#include <vector>

#include "capture/rowcopy.h"
#include "common/state.h"

namespace {

std::vector<BYTE> Surface(size_t bytes)
{
    std::vector<BYTE> surface(bytes);
    for (size_t i = 0; i < bytes; i++)
        surface[i] = (BYTE)(i * 7 + i / 251);
    return surface;
}

TEST(RowCopy, CaptureSizeFromAPitchOf1440)
{
    const LONG pitch = 1440;
    std::vector<BYTE> surface = Surface(pitch * 251);
    dwVideoWidth = 352;
    dwVideoHeight = 240;
    const BYTE *first = surface.data() + 11 * pitch + 8;
    ASSERT_EQ(15848, first - surface.data());
    for (CopyRowsProc copier : { CopyRows, CopyRowsMMX }) {
        std::vector<BYTE> frame(168960 + 16, 0xEE);
        copier(first, frame.data(), pitch - 704);
        for (int row = 0; row < 240; row++)
            ASSERT_EQ(0, memcmp(first + row * pitch, frame.data() + row * 704, 704)) << row;
        EXPECT_EQ(0xEE, frame[168960]);         // nothing written past the frame
    }
}

TEST(RowCopy, BothCopiersAgreeForWidthsThatAreMultiplesOfFour)
{
    for (DWORD width : { 4u, 8u, 100u, 352u, 720u }) {
        dwVideoWidth = width;
        dwVideoHeight = 3;
        LONG pitch = (LONG)(2 * width + 24);
        std::vector<BYTE> surface = Surface(pitch * 4 + 1);
        std::vector<BYTE> plain(2 * width * 3 + 8, 0), mmx(2 * width * 3 + 8, 0);
        CopyRows(surface.data() + 1, plain.data(), pitch - (LONG)(2 * width));    // unaligned source
        CopyRowsMMX(surface.data() + 1, mmx.data(), pitch - (LONG)(2 * width));
        EXPECT_EQ(plain, mmx) << width;
    }
}

TEST(RowCopy, PlainCopierHandlesWidthsThatAreMultiplesOfTwo)
{
    dwVideoWidth = 6;
    dwVideoHeight = 2;
    std::vector<BYTE> surface = Surface(64);
    std::vector<BYTE> frame(30, 0);
    CopyRows(surface.data(), frame.data(), 4);
    EXPECT_EQ(0, memcmp(surface.data(), frame.data(), 12));
    EXPECT_EQ(0, memcmp(surface.data() + 16, frame.data() + 12, 12));
    EXPECT_EQ(0, frame[24]);
}

}  // namespace
