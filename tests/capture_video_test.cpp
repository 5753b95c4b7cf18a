// The two AVI captures on the simulated card: Video, recorded until a key
// or the budget, and Frames, a frame at each press of Capture; the final
// files they leave, and every way out with what it removes.
#include <gtest/gtest.h>

#include <regex>
#include <thread>

#include "avifile/avifile.h"
#include "capture/framesdlg.h"
#include "capture/video.h"
#include "common/state.h"
#include "common/sysio.h"
#include "res/resource.h"
#include "tests/support/capturefixture.h"
#include "tests/support/dialogs.h"

namespace {

const DWORD kRgbFrameCost = 422448, kYvu9FrameCost = 264048;
const DWORD kRgbPayload = 253440, kYvu9Payload = 95040;

// Free space for a budget of `frames` frames at `cost` bytes each.
void BudgetOf(DWORD frames, DWORD cost)
{
    sysFaults.bFreeSpaceSet = 1;
    sysFaults.qwFreeBytes = 464 + (ULONGLONG)(frames + 1) * cost;
    sysFaults.dwSectorsPerCluster = 1;
    sysFaults.dwBytesPerSector = 1;
    sysFaults.dwFreeClusters = (DWORD)sysFaults.qwFreeBytes;
}

BOOL CALLBACK CountOthers(HWND hwnd, LPARAM lParam)
{
    if (hwnd != hwndMain && IsWindowVisible(hwnd))
        ++*(int *)lParam;
    return TRUE;
}

// Visible windows of this thread besides the main window.
int OtherWindows()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountOthers, (LPARAM)&count);
    return count;
}

class AviCaptureTest : public CaptureTest {
protected:
    void SetUp() override
    {
        CaptureTest::SetUp();
        WriteOldCapture();
    }

    // A file by the capture's name, which every capture removes first.
    void WriteOldCapture()
    {
        HANDLE hFile = CreateFileA(szAviFileName, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        DWORD written;
        WriteFile(hFile, "old", 3, &written, NULL);
        CloseHandle(hFile);
    }

    // The final file: its size, its frame count and payload, and that the
    // temporary file is gone.
    void ExpectFinal(DWORD frames, DWORD payload)
    {
        EXPECT_FALSE(Exists(szTempAviFile));
        std::vector<BYTE> avi = ReadWhole(szAviFileName);
        ASSERT_EQ(232 + frames * (payload + 24), avi.size());
        EXPECT_EQ("RIFF", FourCC(avi, 0));
        EXPECT_EQ(frames, Dword(avi, 48));
        EXPECT_EQ(payload, Dword(avi, 192));
        EXPECT_EQ("idx1", FourCC(avi, 224 + frames * (payload + 8)));
    }

    void ExpectNoFiles()
    {
        EXPECT_FALSE(Exists(szTempAviFile));
        EXPECT_FALSE(Exists(szAviFileName));
    }

    void ExpectOneBox(const std::string &text, const char *caption, UINT flags)
    {
        ASSERT_EQ(1u, recorder.boxes().size());
        const RecordedBox &box = recorder.boxes()[0];
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(caption, box.caption);
        EXPECT_EQ(flags, box.flags);
        EXPECT_EQ(nullptr, box.owner);
    }
};

// ---- Video ----

// A key pressed while the recording runs: posted to this thread's queue
// from another thread after a moment.
class KeyLater {
public:
    explicit KeyLater(int ms)
        : thread_([ms, id = GetCurrentThreadId()] {
              Sleep(ms);
              PostThreadMessageA(id, WM_KEYDOWN, VK_SPACE, 0);
          })
    {
    }
    ~KeyLater() { thread_.join(); }

private:
    std::thread thread_;
};

TEST_F(AviCaptureTest, VideoRecordsUpToTheBudgetAndReportsFramesAndSeconds)
{
    struct Case {
        int format;
        DWORD cost, payload;
    } cases[] = { { IMAGE_RGB24, kRgbFrameCost, kRgbPayload }, { IMAGE_YVU9, kYvu9FrameCost, kYvu9Payload } };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.format);
        StartCapturing();
        nImageFormat = c.format;
        BudgetOf(3, c.cost);
        CaptureVideo();
        ExpectFinal(3, c.payload);
        ASSERT_EQ(1u, recorder.boxes().size());
        const RecordedBox &box = recorder.boxes()[0];
        EXPECT_TRUE(std::regex_match(box.text, std::regex("Captured 3 frames, [0-9]+\\.[0-9]{3} seconds\\.")))
            << box.text;
        EXPECT_EQ((UINT)(MB_TOPMOST | MB_ICONINFORMATION), box.flags);
        EXPECT_EQ(nullptr, hProgressDialog);
        EXPECT_EQ(0, OtherWindows());          // the notice and the progress dialog are gone
        recorder.Clear();
        AppTest::TearDown();
        SetUp();
    }
}

TEST_F(AviCaptureTest, AKeyEndsVideoOtherInputDoesNot)
{
    StartCapturing();
    PostMessageA(hwndMain, WM_KEYDOWN, VK_SPACE, 0);    // before the first frame
    CaptureVideo();
    EXPECT_TRUE(recorder.boxes().empty());
    ExpectNoFiles();                                     // the old capture is gone too
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, NULL, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));   // taken off, unseen

    BudgetOf(2, kRgbFrameCost);
    PostMessageA(hwndMain, WM_LBUTTONDOWN, 0, 0);
    PostMessageA(hwndMain, WM_SYSKEYDOWN, VK_MENU, 0);
    CaptureVideo();
    ExpectFinal(2, kRgbPayload);
    EXPECT_TRUE(PeekMessageA(&msg, hwndMain, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));  // left in the queue
    EXPECT_TRUE(PeekMessageA(&msg, hwndMain, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE));
}

TEST_F(AviCaptureTest, ABudgetOfNothingRecordsNothing)
{
    StartCapturing();
    BudgetOf(0, kRgbFrameCost);
    sysFaults.dwFreeClusters = 464 + 2 * kRgbFrameCost - 1;
    CaptureVideo();
    EXPECT_TRUE(recorder.boxes().empty());
    ExpectNoFiles();
}

TEST_F(AviCaptureTest, VideoFailuresRemoveTheTemporaryFileAndConvertNothing)
{
    struct Case {
        const char *what;
        std::function<void(sim::SimCard &)> plant;
        std::string text;
    };
    const Case cases[] = {
        { "temporary file", [](sim::SimCard &) { PlantFailure(SYS_CREATE, 1); },
          "Unable to create file.\n(" + Scratch("capture.avi") + ")" },
        { "frame buffer", [](sim::SimCard &) { PlantFailure(SYS_ALLOC, 1); }, "Unable to allocate memory for lpUYVY." },
        { "vertical sync", [](sim::SimCard &card) { card.StickVsync(true); }, "Fail to wait for VSYNC." },
        { "unknown format", [](sim::SimCard &) { nImageFormat = 7; }, "Unsupported image format." },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        sim::SimCard &card = StartCapturing();
        BudgetOf(2, kRgbFrameCost);
        c.plant(card);
        {
            KeyLater key(300);      // the unknown format knows no budget
            CaptureVideo();
        }
        ExpectOneBox(c.text, "Zentrik Vidmora", MB_TOPMOST | MB_ICONERROR);
        EXPECT_FALSE(Exists(szTempAviFile));
        if (nImageFormat == 7)
            EXPECT_TRUE(Exists(szAviFileName));          // an unknown format deletes nothing
        else
            EXPECT_FALSE(Exists(szAviFileName));
        recorder.Clear();
        ResetSysFaults();
        AppTest::TearDown();
        SetUp();
    }
}

TEST_F(AviCaptureTest, AWriteTheDiskRefusesEndsVideoWithTheFramesWrittenSoFar)
{
    StartCapturing();
    BudgetOf(5, kRgbFrameCost);
    PlantFailure(SYS_WRITE, 1 + 3 * 2 + 3, 1);     // the header, two chunks, then the third one's frame
    CaptureVideo();
    ASSERT_EQ(2u, recorder.boxes().size());
    EXPECT_EQ("Unable to write file.\n(c:\\temp.avi)\nThe capture ends with the frames written so far.",
              recorder.boxes()[0].text);
    EXPECT_EQ(0u, recorder.boxes()[1].text.find("Captured 2 frames, "));
    ExpectFinal(2, kRgbPayload);
}

TEST(RecordedDuration, TakesTheClosingKeysTenthOfASecondOffButNeverGoesBelowOneMs)
{
    struct Case {
        DWORD start, end, duration;
    } cases[] = {
        { 50000, 53433, 3333 },
        { 0xFFFFFF00, 0x00000200, 0x300 - 100 },   // across the tick counter's wrap
        { 1000, 1101, 1 },
        { 1000, 1100, 100 },                      // ended within the key's own 100 ms
        { 1000, 1040, 40 },
        { 1000, 1000, 1 },
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.duration, RecordedDuration(c.start, c.end)) << c.start << " " << c.end;
}

// ---- Frames ----

const char kFrames[] = "Capture Frames";

void OpenFrames(std::function<void(HWND)> use)
{
    OpenByCommand(kFrames, IDM_FRAMES, use);
}

std::string Count(HWND hDlg)
{
    return ItemText(GetDlgItem(hDlg, IDC_CF_COUNT));
}

TEST_F(AviCaptureTest, FramesAddsAFrameAtEachCaptureAndConvertsAtDone)
{
    StartCapturing();
    BudgetOf(2, kRgbFrameCost);
    OpenFrames([&](HWND hDlg) {
        EXPECT_EQ("0", Count(hDlg));
        EXPECT_FALSE(Exists(szAviFileName));            // the old capture went when the dialog opened
        Click(hDlg, IDC_CF_CAPTURE);
        EXPECT_EQ("1", Count(hDlg));
        Click(hDlg, IDC_CF_CAPTURE);
        EXPECT_EQ("2", Count(hDlg));
        EXPECT_TRUE(recorder.boxes().empty());
        Click(hDlg, IDC_CF_CAPTURE);                     // over the budget
        EXPECT_EQ("2", Count(hDlg));
        auto pump = [hDlg] {
            MSG msg;
            while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
                if (!IsDialogMessageA(hDlg, &msg))
                    DispatchMessageA(&msg);
        };
        ShowWindow(hDlg, SW_SHOW);      // as its loop would once idle; ending the dialog hides it
        PostKey(VK_ESCAPE);                              // Esc leaves it open
        pump();
        EXPECT_TRUE(IsWindowVisible(hDlg));
        Click(hDlg, IDC_CF_DONE);
    });
    ExpectOneBox("You don't have sufficient disk space to capture.", kFrames, MB_TOPMOST | MB_ICONERROR);
    ExpectFinal(2, kRgbPayload);
    // 2 frames at 30 a second: 66 ms over 2 frames.
    std::vector<BYTE> avi = ReadWhole(szAviFileName);
    EXPECT_EQ(66u, Dword(avi, 128));         // dwScale = D
    EXPECT_EQ(2000u, Dword(avi, 132));       // dwRate = n x 1000
}

TEST_F(AviCaptureTest, FramesWithNoFrameConvertsNothingAndAFailedGrabAddsNone)
{
    sim::SimCard &card = StartCapturing();
    OpenFrames([&](HWND hDlg) {
        card.StickVsync(true);
        Click(hDlg, IDC_CF_CAPTURE);
        EXPECT_EQ("0", Count(hDlg));
        card.StickVsync(false);
        Click(hDlg, IDC_CF_DONE);
    });
    ExpectOneBox("Fail to wait for VSYNC.", kFrames, MB_TOPMOST | MB_ICONERROR);
    ExpectNoFiles();
}

TEST_F(AviCaptureTest, FramesThatCannotOpenCloseAtOnceLeavingNothing)
{
    struct Case {
        SysCall call;
        const char *text;
    } cases[] = { { SYS_CREATE, "Unable to create file." }, { SYS_ALLOC, "Unable to allocate memory for lpUYVY." } };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        StartCapturing();
        PlantFailure(c.call, 1);
        SendMessageA(hwndMain, WM_COMMAND, IDM_FRAMES_KEY, 0);     // returns: the dialog closed itself
        ExpectOneBox(c.text, kFrames, MB_TOPMOST | MB_ICONERROR);
        ExpectNoFiles();
        EXPECT_EQ(nullptr, FindWindowA("#32770", kFrames));
        recorder.Clear();
        ResetSysFaults();
        AppTest::TearDown();
        SetUp();
    }
}

TEST_F(AviCaptureTest, CaptureCommandsActOnlyInCaptureMode)
{
    StartCapturing();
    SendMessageA(hwndMain, WM_COMMAND, IDM_LIVEVIDEOMODE, 0);
    BudgetOf(1, kRgbFrameCost);
    for (UINT command : { IDM_VIDEO, IDM_VIDEO_KEY, IDM_FRAMES, IDM_FRAMES_KEY, IDM_SINGLEFRAME, IDM_SINGLEFRAME_KEY })
        SendMessageA(hwndMain, WM_COMMAND, command, 0);
    EXPECT_TRUE(recorder.boxes().empty());
    EXPECT_TRUE(Exists(szAviFileName));           // no budget was taken, nothing deleted
    EXPECT_FALSE(Exists(szBmpFileName));

    SendMessageA(hwndMain, WM_COMMAND, IDM_CAPTUREMODE, 0);
    SendMessageA(hwndMain, WM_COMMAND, IDM_VIDEO_KEY, 0);
    ExpectFinal(1, kRgbPayload);
    SendMessageA(hwndMain, WM_COMMAND, IDM_SINGLEFRAME_KEY, 0);
    EXPECT_TRUE(Exists(szBmpFileName));
}

}  // namespace
