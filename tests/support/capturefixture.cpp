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

bool CaptureTest::Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<BYTE> CaptureTest::ReadWhole(const std::string &path)
{
    std::vector<BYTE> bytes;
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(hFile, NULL));
    DWORD got = 0;
    if (!bytes.empty())
        ReadFile(hFile, bytes.data(), (DWORD)bytes.size(), &got, NULL);
    bytes.resize(got);
    CloseHandle(hFile);
    return bytes;
}

DWORD Dword(const std::vector<BYTE> &bytes, size_t offset)
{
    return offset + 4 <= bytes.size() ? *(const DWORD *)&bytes[offset] : 0xDEADBEEF;
}

WORD Word(const std::vector<BYTE> &bytes, size_t offset)
{
    return offset + 2 <= bytes.size() ? *(const WORD *)&bytes[offset] : 0xBEEF;
}

std::string FourCC(const std::vector<BYTE> &bytes, size_t offset)
{
    return offset + 4 <= bytes.size() ? std::string((const char *)&bytes[offset], 4) : "";
}

int MeanLuma(const std::vector<BYTE> &uyvy, int width, int x0, int y0, int x1, int y1)
{
    int sum = 0, count = 0;
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++, count++)
            sum += uyvy[((size_t)y * width + x) * 2 + 1];
    return count ? sum / count : -1;
}
