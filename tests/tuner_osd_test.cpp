// The channel number on the video under Wine's GDI: drawn green and
// right-aligned in the upper right of the client area, wiped by timer 3.
#include "app/geometry.h"
#include "display/ddobjects.h"
#include "display/placement.h"
#include "display/videoport.h"
#include "tests/support/tunerfixture.h"

namespace {

const uint32_t kGreen = 0x00FF00;

struct Box {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;     // inclusive
    int pixels = 0;
};

class ChannelNumberTest : public TunerTest {
protected:
    // The main window on screen with its primary surface and colour key, as
    // live video leaves them, but no port running: nothing else draws.
    void SetUp() override
    {
        TunerTest::SetUp();
        Attach();
        InitVideoPortSettings();
        ASSERT_EQ(1, CreateDirectDrawObjects(0));
        ASSERT_EQ(1, CreateMainWindow(GetModuleHandleA(NULL), SW_SHOWNORMAL));
        MSG msg;
        PeekMessageA(&msg, hwndMain, 1124, 1124, PM_REMOVE);
        ASSERT_EQ(1, OpenVideoPort());
        ASSERT_EQ(1, ChoosePortOutputFormat());
        ASSERT_EQ(1, CreateDisplaySurfaces());
        lpClipper->SetHWnd(0, hwndMain);
        lpPrimarySurface->SetClipper(lpClipper);
        SetPrimaryColorKey();
        UpdateWindow(hwndMain);
    }

    void Resize(DWORD dwWidth, DWORD dwHeight)
    {
        dwVideoWidth = dwWidth;
        dwVideoHeight = dwHeight;
        SizeWindowToClient(hwndMain, dwWidth, dwHeight);
        UpdateWindow(hwndMain);
    }

    // The client area read back through the window's device context.
    std::vector<uint32_t> Client(int *lpWidth)
    {
        RECT rc;
        GetClientRect(hwndMain, &rc);
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = rc.right;
        bmi.bmiHeader.biHeight = -rc.bottom;        // top row first
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void *lpBits = nullptr;
        HDC hdc = GetDC(hwndMain);
        HDC hdcMem = CreateCompatibleDC(hdc);
        HBITMAP hbm = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &lpBits, NULL, 0);
        HGDIOBJ hOld = SelectObject(hdcMem, hbm);
        BitBlt(hdcMem, 0, 0, rc.right, rc.bottom, hdc, 0, 0, SRCCOPY);
        GdiFlush();
        std::vector<uint32_t> pixels((uint32_t *)lpBits, (uint32_t *)lpBits + rc.right * rc.bottom);
        SelectObject(hdcMem, hOld);
        DeleteObject(hbm);
        DeleteDC(hdcMem);
        ReleaseDC(hwndMain, hdc);
        *lpWidth = rc.right;
        return pixels;
    }

    Box GreenBox()
    {
        int nWidth = 0;
        std::vector<uint32_t> pixels = Client(&nWidth);
        Box box;
        for (size_t i = 0; i < pixels.size(); i++) {
            if ((pixels[i] & 0xFFFFFF) != kGreen)
                continue;
            int x = (int)(i % nWidth), y = (int)(i / nWidth);
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
            box.pixels++;
        }
        return box;
    }
};

TEST_F(ChannelNumberTest, FontHeightAt96Dpi)
{
    HDC hdc = GetDC(hwndMain);
    ASSERT_EQ(96, GetDeviceCaps(hdc, LOGPIXELSY));
    for (auto c : { std::pair<int, LONG>{ 350, -47 }, { 175, -23 } }) {
        HFONT hFont = CreateScaledFont(hdc, "Times New Roman", c.first);
        LOGFONTA lf;
        ASSERT_EQ((int)sizeof(lf), GetObjectA(hFont, sizeof(lf), &lf));
        EXPECT_EQ(c.second, lf.lfHeight) << c.first;
        EXPECT_STREQ("Times New Roman", lf.lfFaceName);
        EXPECT_EQ(0, lf.lfWidth);
        EXPECT_EQ(0, lf.lfWeight);
        EXPECT_EQ(0, lf.lfCharSet);
        DeleteObject(hFont);
    }
    ReleaseDC(hwndMain, hdc);
}

// Two logical units per pixel and a window origin 100 units down: the height
// comes out in the context's units, measured from a reset origin, and the
// context is left as it was found.
TEST_F(ChannelNumberTest, FontHeightInTheContextsUnits)
{
    HDC hdc = CreateCompatibleDC(NULL);
    SetMapMode(hdc, MM_ANISOTROPIC);
    SetWindowExtEx(hdc, 2, 2, NULL);
    SetViewportExtEx(hdc, 1, 1, NULL);
    SetWindowOrgEx(hdc, 0, 100, NULL);
    HFONT hFont = CreateScaledFont(hdc, "Times New Roman", 350);
    LOGFONTA lf;
    GetObjectA(hFont, sizeof(lf), &lf);
    EXPECT_EQ(-93, lf.lfHeight);        // 466 pixels are 932 units
    POINT org;
    GetWindowOrgEx(hdc, &org);
    EXPECT_EQ(100, org.y);
    EXPECT_EQ(GM_COMPATIBLE, GetGraphicsMode(hdc));
    EXPECT_EQ(MM_ANISOTROPIC, GetMapMode(hdc));
    DeleteObject(hFont);
    DeleteDC(hdc);
}

struct PlaceCase {
    DWORD width, height;
    RECT rect;              // where the number is right-aligned
    int em;                 // the font's character height in pixels
};

class ChannelNumberPlaceTest : public ChannelNumberTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(ChannelNumberPlaceTest, GreenDigitsStandAgainstTheRightEdgeOnTheTopLine)
{
    const PlaceCase &c = GetParam();
    RECT rc = ChannelNumberRect(c.width, c.height);
    EXPECT_TRUE(EqualRect(&c.rect, &rc));
    Resize(c.width, c.height);
    ShowChannelNumber(hwndMain, 100);
    Box box = GreenBox();
    ASSERT_GT(box.pixels, 0);
    EXPECT_LE(box.right, c.rect.right - 1);
    EXPECT_GE(box.right, c.rect.right - 2 - c.em / 8);          // only the glyph's bearing
    EXPECT_GE(box.top, c.rect.top);
    EXPECT_LE(box.top, c.rect.top + c.em / 2);
    int nDigitHeight = box.bottom - box.top + 1;                // digits of about two thirds of an em
    EXPECT_GE(nDigitHeight, c.em * 55 / 100);
    EXPECT_LE(nDigitHeight, c.em * 80 / 100);
    EXPECT_GE(box.right - box.left + 1, nDigitHeight);          // three digits, wider than high
    EXPECT_LE(box.right - box.left + 1, c.em * 2);
}

INSTANTIATE_TEST_SUITE_P(Tuner, ChannelNumberPlaceTest,
                         ::testing::Values(PlaceCase{ 720, 480, { 0, 32, 660, 480 }, 47 },
                                           PlaceCase{ 352, 240, { 0, 16, 319, 240 }, 23 }));

TEST_F(ChannelNumberTest, TimerThreeWipesTheNumber)
{
    ShowChannelNumber(hwndMain, 5);
    ASSERT_GT(GreenBox().pixels, 0);
    int nFills = card().driver().lastFill().count;
    Timer(CHANNEL_NUMBER_TIMER);
    EXPECT_EQ(0, GreenBox().pixels);
    EXPECT_EQ(nFills + 1, card().driver().lastFill().count);
    EXPECT_FALSE(KillTimer(hwndMain, CHANNEL_NUMBER_TIMER));     // a one-shot
}

TEST_F(ChannelNumberTest, NextNumberReplacesTheLastAndRestartsTheTimer)
{
    ShowChannelNumber(hwndMain, 100);
    Box hundred = GreenBox();
    ShowChannelNumber(hwndMain, 7);
    Box seven = GreenBox();
    ASSERT_GT(seven.pixels, 0);
    EXPECT_GT(seven.left, hundred.left + (hundred.right - hundred.left) / 2);
    EXPECT_TRUE(KillTimer(hwndMain, CHANNEL_NUMBER_TIMER));
}

TEST_F(ChannelNumberTest, PaintWipesTheNumberBeforeTheTimer)
{
    ShowChannelNumber(hwndMain, 42);
    InvalidateRect(hwndMain, NULL, FALSE);
    UpdateWindow(hwndMain);
    EXPECT_EQ(0, GreenBox().pixels);
    int nFills = card().driver().lastFill().count;
    Timer(CHANNEL_NUMBER_TIMER);                 // paints the key once more
    EXPECT_EQ(nFills + 1, card().driver().lastFill().count);
}

TEST_F(ChannelNumberTest, NumberStaysTwoSeconds)
{
    ShowChannelNumber(hwndMain, 3);
    PumpFor(1600);
    EXPECT_GT(GreenBox().pixels, 0);
    PumpFor(800);
    EXPECT_EQ(0, GreenBox().pixels);
}

}  // namespace
