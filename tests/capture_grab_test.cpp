// The frame grab: the vertical-sync wait against a register that changes
// when told to, and the copy out of the simulated card's overlay surface.
#include <gtest/gtest.h>

#include "capture/chipwindow.h"
#include "capture/grab.h"
#include "capture/rowcopy.h"
#include "common/state.h"
#include "display/placement.h"
#include "sim/desktop.h"
#include "tests/support/capturefixture.h"

namespace {

// A status register whose bit 24 starts at `initial` and changes at read
// number `changeAt` (counting the first read as 1; 0: never).
struct ScriptedStatus {
    DWORD initial = 0;
    DWORD changeAt = 0;
    DWORD reads = 0;
    bool mapped = true;
} status;

void *MapScripted(DWORD dwArgument)
{
    EXPECT_EQ(1u, dwArgument);
    return status.mapped ? &status : NULL;
}

DWORD ReadScripted(void *lpBase, DWORD dwOffset)
{
    EXPECT_EQ(&status, lpBase);
    EXPECT_EQ((DWORD)VSYNC_STATUS_REGISTER, dwOffset);
    status.reads++;
    bool changed = status.changeAt && status.reads >= status.changeAt;
    return (changed ? status.initial ^ VSYNC_STATUS_BIT : status.initial) | 0x00FF00FF;   // other bits set
}

const ChipWindowBackend kScripted = { MapScripted, ReadScripted };

TEST(WaitForVSync, EndsAtTheNextChangeEitherWayOrAfterTheBound)
{
    struct Case {
        DWORD initial, changeAt;
        int result;
        DWORD reads;
    } cases[] = {
        { 0, 2, 1, 2 },                            // 0 -> 1 at the first re-read
        { VSYNC_STATUS_BIT, 2, 1, 2 },             // 1 -> 0 ends it as well
        { 0, 1000, 1, 1000 },
        { 0, 0x10000001 + 1, 1, 0x10000002 },      // the last re-read within the bound
        { VSYNC_STATUS_BIT, 0, 0, 1 + 0x10000001 },    // never: the reference and 268,435,457 re-reads
    };
    UseChipWindow(&kScripted);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.changeAt);
        status = ScriptedStatus();
        status.initial = c.initial;
        status.changeAt = c.changeAt;
        EXPECT_EQ(c.result, WaitForVSync());
        EXPECT_EQ(c.reads, status.reads);
    }
    status = ScriptedStatus();
    status.mapped = false;
    EXPECT_EQ(0, WaitForVSync());               // no register window: no sync, nothing read
    EXPECT_EQ(0u, status.reads);
    UseRealChipWindow();                        // the chip vendor's library is not on this machine
    EXPECT_EQ(nullptr, GetModuleHandleA("NV3API.dll"));
    EXPECT_EQ(0, WaitForVSync());
}

class GrabTest : public CaptureTest {
protected:
    // The overlay as the grab reads it: rows 11 on, 8 bytes in.
    std::vector<BYTE> SurfaceWindow()
    {
        DDSURFACEDESC ddsd;
        ZeroMemory(&ddsd, sizeof(ddsd));
        ddsd.dwSize = sizeof(ddsd);
        std::vector<BYTE> window;
        if (lpOverlaySurface->Lock(NULL, &ddsd, DDLOCK_WAIT, NULL) != DD_OK)
            return window;
        for (DWORD row = 0; row < dwVideoHeight; row++) {
            const BYTE *line = (const BYTE *)ddsd.lpSurface + (11 + row) * ddsd.lPitch + 8;
            window.insert(window.end(), line, line + 2 * dwVideoWidth);
        }
        lpOverlaySurface->Unlock(NULL);
        return window;
    }
};

TEST_F(GrabTest, BothCopiersTakeTheOverlayWindowRowsPacked)
{
    StartCapturing();
    for (CopyRowsProc copier : { CopyRows, CopyRowsMMX }) {
        pfnCopyRows = copier;
        std::vector<BYTE> frame(352 * 240 * 2);
        ASSERT_EQ(GRAB_OK, GrabOverlayFrame(frame.data(), DDLOCK_WAIT));
        EXPECT_EQ(SurfaceWindow(), frame);
    }
    EXPECT_TRUE(recorder.boxes().empty());
}

TEST_F(GrabTest, TheFrameIsTheTestPictureTopRowFirst)
{
    StartCapturing();
    std::vector<BYTE> frame(352 * 240 * 2);
    ASSERT_EQ(GRAB_OK, GrabOverlayFrame(frame.data(), DDLOCK_WAIT | DDLOCK_NOSYSLOCK));
    // The port writes lines of 720 samples and the grab takes 352 of them
    // from the fifth on, every other frame row: the first four bars, 90
    // columns each less four at the left, darker from white to green;
    // black below them; the frame counter's white dots in rows 200-227 only.
    int previous = 256;
    for (int bar = 0; bar < 4; bar++) {
        int centre = 90 * bar + 45 - 4;
        int luma = MeanLuma(frame, 352, centre - 8, 10, centre + 8, 150);
        EXPECT_LT(luma, previous) << "bar " << bar;
        previous = luma;
    }
    EXPECT_GT(MeanLuma(frame, 352, 0, 10, 85, 150), 180);           // white
    EXPECT_LT(MeanLuma(frame, 352, 86, 10, 86, 150), MeanLuma(frame, 352, 85, 10, 85, 150));   // its edge
    EXPECT_LT(MeanLuma(frame, 352, 0, 165, 351, 175), 20);          // black under the bars
    auto brightIn = [&](int y0, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; y++)
            for (int x = 0; x < 352; x++)
                n += frame[((size_t)y * 352 + x) * 2 + 1] > 200;
        return n;
    };
    EXPECT_GT(brightIn(200, 227), 100);
    EXPECT_EQ(0, brightIn(228, 239));
}

TEST_F(GrabTest, NoSurfaceALostOneOrAStuckSyncFailWithoutCopying)
{
    std::vector<BYTE> frame(352 * 240 * 2, 0x5A), untouched = frame;
    Attach();
    EXPECT_EQ(GRAB_LOCK_REFUSED, GrabOverlayFrame(frame.data(), DDLOCK_WAIT));   // live video never started
    EXPECT_EQ(untouched, frame);
    sim::Sim_Detach();

    sim::SimCard &card = StartCapturing();
    card.StickVsync(true);
    EXPECT_EQ(GRAB_NO_VSYNC, GrabOverlayFrame(frame.data(), DDLOCK_WAIT));
    EXPECT_EQ(untouched, frame);
    card.StickVsync(false);
    card.ChangeDisplayMode(sim::DesktopFormat::Rgb565);
    EXPECT_EQ(GRAB_LOCK_REFUSED, GrabOverlayFrame(frame.data(), DDLOCK_WAIT));
    EXPECT_EQ(untouched, frame);
    EXPECT_STREQ("Fail to wait for VSYNC.", GrabFailureText(GRAB_NO_VSYNC));
    EXPECT_STREQ("Unable to lock overlay surface.", GrabFailureText(GRAB_LOCK_REFUSED));
}

}  // namespace
