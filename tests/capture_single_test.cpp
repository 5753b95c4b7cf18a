// Single Frame: the conversion for the bitmap, the BMP file and the
// clipboard from a real grab on the simulated card, numbered names, and
// every failure with its message and what it leaves behind.
#include <gtest/gtest.h>

#include "capture/singleframe.h"
#include "common/state.h"
#include "common/sysio.h"
#include "res/resource.h"
#include "sim/desktop.h"
#include "tests/support/capturefixture.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes ConvertGroups(const Bytes &uyvy, DWORD width, DWORD height)
{
    Bytes rgb(width * height * 3, 0xEE);
    ConvertFrameForBitmap(uyvy.data(), rgb.data(), width, height);
    return rgb;
}

TEST(BitmapConversion, PairsGiveBlueGreenRedOfBothPixels)
{
    struct Case {
        Bytes uyvy;     // U Y0 V Y1
        Bytes bgr;      // B0 G0 R0 B1 G1 R1
    } cases[] = {
        { { 128, 100, 128, 40 }, { 100, 100, 100, 40, 40, 40 } },      // grey: R = G = B = Y
        { { 128, 0, 128, 255 }, { 0, 0, 0, 255, 255, 255 } },
        { { 128, 255, 255, 255 }, { 255, 164, 255, 255, 164, 255 } },  // R0 433.054 clamped
        { { 0, 0, 128, 0 }, { 0, 44, 0, 0, 44, 0 } },                   // B0 -226.816 clamped
        // R0 250.944, G0 108.21784, B0 100.384; the right pixel 10 brighter.
        { { 100, 150, 200, 160 }, { 100, 108, 250, 110, 118, 255 } },
        // G1 = G0 + D with G0 = 255 - 91.41 - 0.34 ... truncated toward zero.
        { { 129, 10, 255, 0 }, { 11, 0, 188, 1, 0, 178 } },
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.bgr, ConvertGroups(c.uyvy, 2, 1)) << (int)c.uyvy[0] << " " << (int)c.uyvy[1];
}

TEST(BitmapConversion, RowsGoBottomUp)
{
    // Two rows of two pixels: top grey 50, bottom grey 200.
    Bytes uyvy = { 128, 50, 128, 50, 128, 200, 128, 200 };
    EXPECT_EQ((Bytes{ 200, 200, 200, 200, 200, 200, 50, 50, 50, 50, 50, 50 }), ConvertGroups(uyvy, 2, 2));
}

class SingleFrameTest : public CaptureTest {
protected:
    Bytes File() { return ReadWhole(szBmpFileName); }
};

TEST_F(SingleFrameTest, WritesABottomUpBitmapOfTheTestPicture)
{
    StartCapturing();
    ASSERT_EQ(1, CaptureSingleFrame());
    EXPECT_TRUE(recorder.boxes().empty());
    Bytes bmp = File();
    ASSERT_EQ(253494u, bmp.size());
    EXPECT_EQ("BM", std::string((const char *)bmp.data(), 2));
    const DWORD header[][2] = { { 2, 253494 }, { 6, 0 }, { 10, 54 }, { 14, 40 }, { 18, 352 }, { 22, 240 },
                                { 30, 0 }, { 34, 253440 }, { 38, 0 }, { 42, 0 }, { 46, 0 }, { 50, 0 } };
    for (auto &field : header)
        EXPECT_EQ(field[1], Dword(bmp, field[0])) << "offset " << field[0];
    EXPECT_EQ(1, Word(bmp, 26));
    EXPECT_EQ(24, Word(bmp, 28));
    // The file's first row is the picture's bottom (black), its last the
    // top of the bars: white at the left, green at the right.
    auto pixel = [&](int x, int rowFromTop) { return &bmp[54 + ((239 - rowFromTop) * 352 + x) * 3]; };
    EXPECT_LT(pixel(10, 239)[1], 30);
    const BYTE *white = pixel(10, 5), *green = pixel(320, 5);
    EXPECT_GT(white[0], 180);
    EXPECT_GT(white[1], 180);
    EXPECT_GT(white[2], 180);
    EXPECT_LT(green[0], 60);        // blue, green, red
    EXPECT_GT(green[1], 150);
    EXPECT_LT(green[2], 60);
    EXPECT_FALSE(bNumberedFileName);
    EXPECT_EQ(1, nFileNumber);
}

TEST_F(SingleFrameTest, NumberedNamesAdvanceAfterEveryCaptureFileOrClipboard)
{
    StartCapturing();
    bNumberedFileName = 1;
    nFileNumber = 5;
    lstrcpyA(szBmpFileName, Scratch("capture005.bmp").c_str());
    ASSERT_EQ(1, CaptureSingleFrame());
    EXPECT_TRUE(Exists(Scratch("capture005.bmp")));
    EXPECT_FALSE(Exists(Scratch("capture006.bmp")));
    EXPECT_EQ(Scratch("capture006.bmp"), szBmpFileName);
    EXPECT_EQ(6, nFileNumber);

    bCaptureToClipboard = 1;
    ASSERT_EQ(1, CaptureSingleFrame());
    EXPECT_EQ(Scratch("capture007.bmp"), szBmpFileName);
    EXPECT_EQ(7, nFileNumber);
    EXPECT_FALSE(Exists(Scratch("capture006.bmp")));
    EXPECT_TRUE(recorder.boxes().empty());
}

TEST_F(SingleFrameTest, TheClipboardGetsABitmapOfTheFrame)
{
    StartCapturing();
    bCaptureToClipboard = 1;
    ASSERT_EQ(1, CaptureSingleFrame());
    ASSERT_TRUE(OpenClipboard(NULL));
    HBITMAP hBitmap = (HBITMAP)GetClipboardData(CF_BITMAP);
    BITMAP bm = {};
    ASSERT_NE(nullptr, hBitmap);
    GetObjectA(hBitmap, sizeof(bm), &bm);
    EXPECT_EQ(352, bm.bmWidth);
    EXPECT_EQ(240, bm.bmHeight);
    // Its top-left pixel is the white bar.
    HDC hdc = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(hdc, hBitmap);
    COLORREF topLeft = GetPixel(hdc, 10, 5);
    SelectObject(hdc, old);
    DeleteDC(hdc);
    EmptyClipboard();
    CloseClipboard();
    EXPECT_GT(GetRValue(topLeft), 180);
    EXPECT_GT(GetGValue(topLeft), 180);
    EXPECT_GT(GetBValue(topLeft), 180);
}

TEST_F(SingleFrameTest, EveryFailureSaysSoAndLeavesNoFileAndTheNameAsItWas)
{
    struct Case {
        const char *what;
        std::function<void(sim::SimCard &)> plant;
        std::string text;
        UINT flags;
    };
    const std::string missing = Scratch("no such folder\\shot005.bmp");
    const Case cases[] = {
        { "frame buffer", [](sim::SimCard &) { PlantFailure(SYS_ALLOC, 1); }, "Unable to allocate memory for lpUYVU.",
          MB_TOPMOST },
        { "bitmap buffer", [](sim::SimCard &) { PlantFailure(SYS_ALLOC, 2); },
          "Unable to allocate memory for lpRGB24.", MB_TOPMOST },
        { "vertical sync", [](sim::SimCard &card) { card.StickVsync(true); }, "Fail to wait for VSYNC.", MB_TOPMOST },
        { "lost overlay", [](sim::SimCard &card) { card.ChangeDisplayMode(sim::DesktopFormat::Rgb555); },
          "Unable to lock overlay surface.", MB_TOPMOST },
        { "clipboard", [](sim::SimCard &) { bCaptureToClipboard = 1; sysFaults.bClipboardBusy = 1; },
          "Unable to open clipboard.", MB_TOPMOST | MB_ICONERROR },
        { "missing folder", [&](sim::SimCard &) { lstrcpyA(szBmpFileName, missing.c_str()); },
          "Unable to create file.\n(" + missing + ")", MB_TOPMOST | MB_ICONERROR },
        { "full disk", [](sim::SimCard &) { PlantFailure(SYS_WRITE, 3); },
          "Unable to write file.\n(" + Scratch("shot005.bmp") + ")", MB_TOPMOST | MB_ICONERROR },
        { "short write", [](sim::SimCard &) { PlantFailure(SYS_SHORT_WRITE, 1); },
          "Unable to write file.\n(" + Scratch("shot005.bmp") + ")", MB_TOPMOST | MB_ICONERROR },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        sim::SimCard &card = StartCapturing();
        bNumberedFileName = 1;
        nFileNumber = 5;
        lstrcpyA(szBmpFileName, Scratch("shot005.bmp").c_str());
        std::string before;
        c.plant(card);
        before = szBmpFileName;
        EXPECT_EQ(0, CaptureSingleFrame());
        ASSERT_EQ(1u, recorder.boxes().size());
        const RecordedBox &box = recorder.boxes()[0];
        EXPECT_EQ(c.text, box.text);
        EXPECT_EQ("Zentrik Vidmora", box.caption);
        EXPECT_EQ(c.flags, box.flags);
        EXPECT_EQ(nullptr, box.owner);
        EXPECT_EQ(before, szBmpFileName);
        EXPECT_EQ(5, nFileNumber);
        EXPECT_FALSE(Exists(Scratch("shot005.bmp")));
        recorder.Clear();
        ResetSysFaults();
        AppTest::TearDown();
        SetUp();
    }
}

TEST_F(SingleFrameTest, ANameThatWouldOutgrowItsBufferKeepsItsNumberAndSaysSo)
{
    StartCapturing();
    bNumberedFileName = 1;
    nFileNumber = 999;
    std::string name = Scratch(std::string(255 - Scratch("").size() - 7, 'n') + "999.bmp");
    ASSERT_EQ(255u, name.size());
    lstrcpyA(szBmpFileName, name.c_str());
    CreateDirectoryA(Scratch("").c_str(), NULL);
    EXPECT_EQ(1, CaptureSingleFrame());
    ASSERT_EQ(1u, recorder.boxes().size());
    EXPECT_NE(std::string::npos, recorder.boxes()[0].text.find("too long"));
    EXPECT_EQ(name, szBmpFileName);
    EXPECT_EQ(999, nFileNumber);
}

}  // namespace
