#include "tests/support/capturefixture.h"

#include <gtest/gtest.h>

#include "app/modes.h"
#include "app/startup.h"
#include "avifile/avifile.h"
#include "capture/rowcopy.h"
#include "common/state.h"
#include "decoder/saa7111a.h"
#include "display/ddobjects.h"
#include "display/livevideo.h"
#include "display/videoport.h"

static const char kScratch[] = "c:\\vidmora-tests";

static void EmptyScratch()
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((std::string(kScratch) + "\\*").c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((std::string(kScratch) + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(hFind, &found));
        FindClose(hFind);
    }
}

void CaptureTest::SetUp()
{
    AppTest::SetUp();
    CreateDirectoryA(kScratch, NULL);
    EmptyScratch();
    DeleteFileA(szTempAviFile);
    lstrcpyA(szBmpFileName, Scratch("capture.bmp").c_str());
    lstrcpyA(szAviFileName, Scratch("capture.avi").c_str());
}

void CaptureTest::TearDown()
{
    AppTest::TearDown();
    EmptyScratch();
    DeleteFileA(szTempAviFile);
}

sim::SimCard &CaptureTest::StartCapturing(const std::string &config)
{
    sim::SimCard &card = Attach(config);
    SAA7111A_Init();        // the decoder on the composite input, locked
    nVideoConnector = CONNECTOR_COMPOSITE;
    hInstApp = GetModuleHandleA(NULL);
    pfnCopyRows = CopyRows;
    InitVideoPortSettings();
    EXPECT_EQ(1, CreateDirectDrawObjects(0));
    EXPECT_EQ(1, CreateMainWindow(hInstApp, SW_SHOWNORMAL));
    MSG msg;
    PeekMessageA(&msg, hwndMain, 1124, 1124, PM_REMOVE);
    StartLiveVideo(hwndMain);
    SetCaptureMode(hwndMain);
    OnVideoTimer();         // the overlay follows the new size
    EXPECT_EQ(352u, dwVideoWidth);
    EXPECT_EQ(240u, dwVideoHeight);
    EXPECT_NE(nullptr, lpOverlaySurface);
    return card;
}

std::string CaptureTest::Scratch(const std::string &name)
{
    return std::string(kScratch) + "\\" + name;
}

int MeanLuma(const std::vector<BYTE> &uyvy, int width, int x0, int y0, int x1, int y1)
{
    int sum = 0, count = 0;
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++, count++)
            sum += uyvy[((size_t)y * width + x) * 2 + 1];
    return count ? sum / count : -1;
}
