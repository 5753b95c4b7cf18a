// The DirectDraw objects and the driver's capability checks, against the
// simulated card's display driver.
#include <gtest/gtest.h>

#include "common/state.h"
#include "display/ddobjects.h"
#include "sim/com.h"
#include "tests/support/simfixture.h"

namespace {

class DirectDrawTest : public SimCardTest {
protected:
    void TearDown() override
    {
        ReleaseDirectDrawObjects();
        EXPECT_EQ(0, sim::LiveComObjects());
        SimCardTest::TearDown();
    }
};

TEST_F(DirectDrawTest, CreatesTheThreeObjectsAndRecordsThePortCaps)
{
    Attach();
    ZeroMemory(&ddVideoPortCaps, sizeof(ddVideoPortCaps));
    ASSERT_EQ(1, CreateDirectDrawObjects(0));
    EXPECT_NE(nullptr, lpDirectDraw);
    EXPECT_NE(nullptr, lpVideoPortContainer);
    EXPECT_NE(nullptr, lpClipper);
    EXPECT_EQ(nullptr, lpVideoPort);
    EXPECT_EQ(364u, ddDriverCaps.dwSize);
    EXPECT_EQ(72u, ddVideoPortCaps.dwSize);
    EXPECT_TRUE(ddVideoPortCaps.dwCaps & DDVPCAPS_AUTOFLIP);
    EXPECT_TRUE(recorder.boxes().empty());
}

TEST_F(DirectDrawTest, TheLastPortReportedWins)
{
    sim::SimConfig config;
    config.clock = sim::Clock::Mode::Stepped;
    DDVIDEOPORTCAPS second = sim::DefaultVideoPortCaps();
    second.dwVideoPortID = 1;
    second.dwFX = 0;
    config.display.ports.push_back(second);
    Attach(config);
    ASSERT_EQ(1, CreateDirectDrawObjects(0));
    EXPECT_EQ(1u, ddVideoPortCaps.dwVideoPortID);
    EXPECT_EQ(0u, ddVideoPortCaps.dwFX);
}

TEST_F(DirectDrawTest, NoPortReportedKeepsThePreviousCaps)
{
    sim::SimConfig config;
    config.clock = sim::Clock::Mode::Stepped;
    config.display.ports.clear();
    Attach(config);
    ddVideoPortCaps.dwCaps = 0x1234;
    ASSERT_EQ(1, CreateDirectDrawObjects(0));
    EXPECT_EQ(0x1234u, ddVideoPortCaps.dwCaps);
}

struct DriverCase {
    const char *config;
    const char *message;
};

class DriverFailureTest : public DirectDrawTest, public ::testing::WithParamInterface<DriverCase> {};

TEST_P(DriverFailureTest, ShowsItsWarningUnlessQuiet)
{
    for (int quiet : { 0, 1 }) {
        Attach(GetParam().config);
        recorder.Clear();
        EXPECT_EQ(0, CreateDirectDrawObjects(quiet));
        if (quiet) {
            EXPECT_TRUE(recorder.boxes().empty());
        } else {
            ASSERT_EQ(1u, recorder.boxes().size());
            const RecordedBox &box = recorder.boxes()[0];
            EXPECT_EQ(GetParam().message, box.text);
            EXPECT_EQ("Zentrik Vidmora", box.caption);
            EXPECT_EQ((UINT)MB_ICONWARNING, box.flags);
            EXPECT_EQ(NULL, box.owner);
        }
        ReleaseDirectDrawObjects();
    }
}

const char kNoVideoPort[] = "Your display device (or driver) does not support a video port.  "
                            "A video port is required for this application to run.";

INSTANTIATE_TEST_SUITE_P(
    Display, DriverFailureTest,
    ::testing::Values(DriverCase{ "ddraw=absent", "Unable to create the DirectDraw object" },
                      DriverCase{ "videoport=absent", kNoVideoPort },
                      DriverCase{ "videoport=absent,overlay=absent", kNoVideoPort },
                      DriverCase{ "overlay=absent",
                                  "Your display device (or driver) does not support an overlay. "
                                  "Hardware overlay support is required for this application to run." },
                      DriverCase{ "container=absent", "Unable to create the VideoPort object" },
                      DriverCase{ "clipper=absent", "Unable to create the Clipper object" }));

TEST_F(DirectDrawTest, ReleaseAfterAHalfFinishedCreationLeavesEveryPointerNull)
{
    Attach("clipper=absent");
    HWND hwnd = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    hwndMain = hwnd;
    SetTimer(hwnd, 1, 200, NULL);
    ASSERT_EQ(0, CreateDirectDrawObjects(1));
    ASSERT_NE(nullptr, lpVideoPortContainer);
    EXPECT_EQ(2, sim::LiveComObjects());

    ReleaseDirectDrawObjects();
    EXPECT_EQ(nullptr, lpDirectDraw);
    EXPECT_EQ(nullptr, lpVideoPortContainer);
    EXPECT_EQ(nullptr, lpClipper);
    EXPECT_EQ(0, sim::LiveComObjects());
    EXPECT_FALSE(KillTimer(hwnd, 1));           // already stopped

    ReleaseDirectDrawObjects();                 // a second call is harmless
    EXPECT_EQ(0, sim::LiveComObjects());
    DestroyWindow(hwnd);
}

}  // namespace
