// The whole start-up sequence in the test process: each failure with its
// message and exit code, the retries, the decoder's shutdown write.
#include <gtest/gtest.h>

#include "app/cpu.h"
#include "app/startup.h"
#include "capture/rowcopy.h"
#include "common/state.h"
#include "sim/com.h"
#include "tests/support/appfixture.h"

namespace {

const char kNoDecoder[] = "Your display card doesn't have a SAA7111A EVIP.\n"
                          "A SAA7111A EVIP is required for this application to run.";
const char kSecondInstance[] = "Another Vidmora is running.\nYou cannot run two Vidmora simultaneously.";
const char kNoDirectX5[] = "Please install DirectX 5 before running this application.";
const char kNoSource[] = "Cannot auto-set video source ! \n\n(Make sure that your video device is POWER-ON.\n"
                         " Later, you can choose 'Options/Video Source' on the menu\n"
                         " to set correct video connector and video standard.)";

class StartupTest : public AppTest {};

TEST_F(StartupTest, NormalRunEndsWithTheShutdownWriteAndExitCodeZero)
{
    sim::SimCard &card = Attach("source=svideo:60");
    EXPECT_EQ(0, RunAndExit());
    EXPECT_TRUE(recorder.boxes().empty());
    EXPECT_EQ(CONNECTOR_SVIDEO, nVideoConnector);
    EXPECT_EQ(hInstApp, GetModuleHandleA(NULL));
    // The table's 0x0C at start, 0x84 at the end, nothing after it.
    EXPECT_EQ((std::vector<uint8_t>{ 0x0C, 0x84 }), OutputControlWrites());
    EXPECT_EQ(0x84, WriteTransactions(card.bus().writes()).back()[2]);
    EXPECT_EQ(0, sim::LiveComObjects());
}

TEST_F(StartupTest, ClosingTheWindowEndsTheSameWay)
{
    Attach();
    EXPECT_EQ(0, RunAndClose());
    EXPECT_FALSE(IsWindow(hwndMain));
    EXPECT_EQ((std::vector<uint8_t>{ 0x0C, 0x84 }), OutputControlWrites());
    EXPECT_EQ(0, sim::LiveComObjects());
}

void CALLBACK QuitWithSeven(HWND, UINT, UINT_PTR idTimer, DWORD)
{
    KillTimer(NULL, idTimer);
    PostQuitMessage(7);
}

TEST_F(StartupTest, ExitCodeIsTheQuitMessagesValue)
{
    Attach();
    SetTimer(NULL, 0, 10, QuitWithSeven);
    EXPECT_EQ(7, VidmoraMain(GetModuleHandleA(NULL)));
}

struct FailureCase {
    const char *config;
    const char *message;
    UINT flags;
    bool decoderShutDown;
};

class StartupFailureTest : public AppTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(StartupFailureTest, EndsWithItsMessageAndNothingLeftBehind)
{
    const FailureCase &c = GetParam();
    Attach(c.config);
    EXPECT_EQ(0, VidmoraMain(GetModuleHandleA(NULL)));
    ASSERT_EQ(1u, recorder.boxes().size());
    EXPECT_EQ(c.message, recorder.boxes()[0].text);
    EXPECT_EQ("Zentrik Vidmora", recorder.boxes()[0].caption);
    EXPECT_EQ(c.flags, recorder.boxes()[0].flags);
    EXPECT_EQ(NULL, recorder.boxes()[0].owner);
    EXPECT_EQ(NULL, FindWindowA(szMainWindowClass, NULL));
    std::vector<uint8_t> shutDown = { 0x0C, 0x84 };
    EXPECT_EQ(c.decoderShutDown ? shutDown : std::vector<uint8_t>(), OutputControlWrites());
    EXPECT_EQ(0, sim::LiveComObjects());
}

INSTANTIATE_TEST_SUITE_P(
    App, StartupFailureTest,
    ::testing::Values(FailureCase{ "decoder=absent", kNoDecoder, 0x40010, false },
                      FailureCase{ "wakeafter=5", kNoDecoder, 0x40010, false },
                      FailureCase{ "scl=stuck", kNoDecoder, 0x40010, false },
                      FailureCase{ "videoport=absent",
                                   "Your display device (or driver) does not support a video port.  "
                                   "A video port is required for this application to run.",
                                   0x30, true },
                      FailureCase{ "overlay=absent",
                                   "Your display device (or driver) does not support an overlay. "
                                   "Hardware overlay support is required for this application to run.",
                                   0x30, true }));

TEST_F(StartupTest, DecoderAnsweringOnTheFifthProbeLetsStartUpGoOn)
{
    sim::SimCard &card = Attach("wakeafter=4");
    EXPECT_EQ(0, RunAndExit());
    EXPECT_TRUE(recorder.boxes().empty());
    // Five probes (an address byte each), then the initial table.
    std::vector<BusTransfer> transfers = DecodeMasterWrites(card.bus().writes());
    ASSERT_GT(transfers.size(), 6u);
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(std::vector<uint8_t>{ 0x48 }, transfers[i].bytes) << i;
    EXPECT_EQ((std::vector<uint8_t>{ 0x48, 0x01, 0x00 }), transfers[5].bytes);
}

TEST_F(StartupTest, MissingDecoderIsReportedBeforeASecondInstance)
{
    Attach("decoder=absent");
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = szMainWindowClass;
    RegisterClassA(&wc);
    HWND first = CreateWindowExA(0, szMainWindowClass, "first", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL,
                                 wc.hInstance, NULL);
    EXPECT_EQ(0, VidmoraMain(wc.hInstance));
    ASSERT_EQ(1u, recorder.boxes().size());
    EXPECT_EQ(kNoDecoder, recorder.boxes()[0].text);

    Attach();
    recorder.Clear();
    EXPECT_EQ(0, VidmoraMain(wc.hInstance));
    ASSERT_EQ(1u, recorder.boxes().size());
    EXPECT_EQ(kSecondInstance, recorder.boxes()[0].text);
    EXPECT_EQ(0x40010u, recorder.boxes()[0].flags);
    EXPECT_TRUE(IsWindow(first));               // the first copy is not touched
    EXPECT_TRUE(OutputControlWrites().empty());
    DestroyWindow(first);
}

TEST_F(StartupTest, FailedDetectionWarnsOnceAndTheWindowStillOpens)
{
    sim::SimCard &card = Attach("source=none");
    EXPECT_EQ(0, RunAndExit());
    ASSERT_EQ(1u, recorder.boxes().size());
    EXPECT_EQ(kNoSource, recorder.boxes()[0].text);
    EXPECT_EQ(0x40030u, recorder.boxes()[0].flags);
    EXPECT_EQ(5 * 14, card.decoder().statusReads());
    EXPECT_NE(nullptr, hwndMain);
    EXPECT_EQ(CONNECTOR_COMPOSITE, nVideoConnector);
}

struct VersionCase {
    const char *version;
    bool passes;
};

class DirectXVersionTest : public AppTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(DirectXVersionTest, OnlyAVersionBeginning405Passes)
{
    Attach();
    DirectXVersion version(GetParam().version);
    EXPECT_EQ(GetParam().passes ? 1 : 0, HasDirectX5());
    if (!GetParam().passes) {
        EXPECT_EQ(0, VidmoraMain(GetModuleHandleA(NULL)));
        ASSERT_EQ(1u, recorder.boxes().size());
        EXPECT_EQ(kNoDirectX5, recorder.boxes()[0].text);
        EXPECT_TRUE(OutputControlWrites().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(App, DirectXVersionTest,
                         ::testing::Values(VersionCase{ "4.05.00.0155", true }, VersionCase{ "4.05", true },
                                           VersionCase{ "4.05 anything", true }, VersionCase{ "4.06.02.0436", false },
                                           VersionCase{ "4.5", false }, VersionCase{ "", false },
                                           VersionCase{ nullptr, false }));

struct CpuCase {
    int cpuid, mmx;
    CopyRowsProc copier;
};

class RowCopierChoiceTest : public AppTest, public ::testing::WithParamInterface<CpuCase> {};

TEST_P(RowCopierChoiceTest, MmxCopierOnlyWithCpuidAndMmx)
{
    Attach();
    OverrideCpuFeatures(GetParam().cpuid, GetParam().mmx);
    RunAndExit();
    EXPECT_EQ(GetParam().copier, pfnCopyRows);
}

INSTANTIATE_TEST_SUITE_P(App, RowCopierChoiceTest,
                         ::testing::Values(CpuCase{ 0, 1, CopyRows }, CpuCase{ 1, 0, CopyRows },
                                           CpuCase{ 0, 0, CopyRows }, CpuCase{ 1, 1, CopyRowsMMX }));

TEST(Cpu, ThisProcessorHasCpuidAndMmx)
{
    OverrideCpuFeatures(-1, -1);
    EXPECT_EQ(1, HasCpuid());
    EXPECT_EQ(1, HasMmx());
}

}  // namespace
