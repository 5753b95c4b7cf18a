// The real card's backends on a machine without the card: no crash, the
// specified messages.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "capture/chipwindow.h"
#include "common/state.h"
#include "decoder/i2c.h"
#include "decoder/portio.h"
#include "display/ddentry.h"
#include "display/ddobjects.h"
#include "tests/support/appfixture.h"

namespace {

class RealCardTest : public AppTest {};

TEST_F(RealCardTest, NoDecoderAnswersAndStartUpSaysSo)
{
    UseRealPortIo();                // not the Windows 95 family: every line reads low
    UseRealDirectDraw();
    UseRealChipWindow();
    EXPECT_EQ(0, I2C_ProbeDevice(0x48));
    EXPECT_EQ(0, VidmoraMain(GetModuleHandleA(NULL)));
    ASSERT_EQ(1u, recorder.boxes().size());
    EXPECT_EQ("Your display card doesn't have a SAA7111A EVIP.\n"
              "A SAA7111A EVIP is required for this application to run.",
              recorder.boxes()[0].text);
}

TEST_F(RealCardTest, SystemDirectDrawWithoutAVideoPortIsRefused)
{
    UseRealDirectDraw();
    EXPECT_EQ(0, CreateDirectDrawObjects(0));
    ASSERT_EQ(1u, recorder.boxes().size());
    const std::string &text = recorder.boxes()[0].text;
    EXPECT_TRUE(text == "Unable to create the DirectDraw object"
                || text.rfind("Your display device (or driver) does not support a video port.", 0) == 0)
        << text;
    ReleaseDirectDrawObjects();
    EXPECT_EQ(nullptr, lpDirectDraw);
}

TEST_F(RealCardTest, NoVendorLibraryMeansNoRegisterWindow)
{
    UseRealChipWindow();
    EXPECT_EQ(nullptr, MapChipRegisters());
}

}  // namespace
