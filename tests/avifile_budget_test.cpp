// The frame budget from the free disk space, through both free-space
// queries, and the old capture file it removes.
#include <gtest/gtest.h>

#include <windows.h>

#include "avifile/avifile.h"
#include "common/state.h"
#include "common/sysio.h"

namespace {

// The most frames whose final file keeps a 32-bit RIFF size.
constexpr DWORD kRgbFrameCap = 16945, kYvu9FrameCap = 45179;
constexpr ULONGLONG GiB = 1ull << 30;

class FrameBudgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSharedState();
        ResetSysFaults();
        lstrcpyA(szAviFileName, "c:\\avifile_budget_test.avi");
    }
    void TearDown() override
    {
        DeleteFileA(szAviFileName);
        ResetSysFaults();
    }
    // The Windows 95 family at a build with GetDiskFreeSpaceExA, or another system.
    void SetVersion(DWORD platform, DWORD build)
    {
        sysFaults.bVersionSet = 1;
        sysFaults.dwPlatformId = platform;
        sysFaults.dwBuildNumber = build;
    }
    void SetClusters(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters)
    {
        sysFaults.bFreeSpaceSet = 1;
        sysFaults.dwSectorsPerCluster = sectorsPerCluster;
        sysFaults.dwBytesPerSector = bytesPerSector;
        sysFaults.dwFreeClusters = freeClusters;
    }
    static bool Exists(const char *name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }
    static void CreateOldCapture()
    {
        CloseHandle(CreateFileA(szAviFileName, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
        ASSERT_TRUE(Exists(szAviFileName));
    }
};

TEST_F(FrameBudgetTest, ClusterQuery)
{
    struct {
        int format;
        DWORD sectorsPerCluster, bytesPerSector, freeClusters;
        DWORD budget;
    } cases[] = {
        { IMAGE_RGB24, 8, 512, 262144, 2540 },      // 1 GiB
        { IMAGE_YVU9, 8, 512, 262144, 4065 },
        { IMAGE_RGB24, 1, 1, 845360, 1 },           // 464 + 2 x S
        { IMAGE_RGB24, 1, 1, 845359, 0 },
        { IMAGE_YVU9, 1, 1, 528560, 1 },
        { IMAGE_YVU9, 1, 1, 528559, 0 },
        { IMAGE_RGB24, 1, 1, 0, 0 },
        { IMAGE_YVU9, 64, 512, 262144, 32530 },     // 8 GiB: a product past 32 bits
        { IMAGE_RGB24, 64, 512, 262144, kRgbFrameCap },
    };
    for (const auto &c : cases) {
        nImageFormat = c.format;
        SetClusters(c.sectorsPerCluster, c.bytesPerSector, c.freeClusters);
        EXPECT_EQ(1, ComputeFrameBudget());
        EXPECT_EQ(c.budget, dwMaxFrames) << "format " << c.format << ", " << c.sectorsPerCluster << " x "
                                         << c.bytesPerSector << " x " << c.freeClusters;
    }
}

TEST_F(FrameBudgetTest, QueryOf64BitCounts)
{
    struct {
        int format;
        ULONGLONG freeBytes;
        DWORD budget;
    } cases[] = {
        { IMAGE_YVU9, 10 * GiB, 40661 },            // H = 2, L = 2147483648
        { IMAGE_RGB24, 10 * GiB, kRgbFrameCap },    // the formula's 25414 would outgrow 32-bit sizes
        { IMAGE_RGB24, 845360, 1 },
        { IMAGE_RGB24, 845359, 0 },
        { IMAGE_YVU9, 528560, 1 },
        { IMAGE_YVU9, (1ull << 32) + 100, 16264 },  // L below 464 borrows from H
        { IMAGE_RGB24, (1ull << 32) + 100, 10165 },
        { IMAGE_YVU9, 1ull << 52, kYvu9FrameCap },
    };
    SetVersion(VER_PLATFORM_WIN32_WINDOWS, 1212);
    sysFaults.bFreeSpaceSet = 1;
    for (const auto &c : cases) {
        nImageFormat = c.format;
        sysFaults.qwFreeBytes = c.freeBytes;
        EXPECT_EQ(1, ComputeFrameBudget());
        EXPECT_EQ(c.budget, dwMaxFrames) << "format " << c.format << ", " << c.freeBytes << " bytes";
    }
}

TEST_F(FrameBudgetTest, VersionChoosesTheQuery)
{
    struct {
        DWORD platform, build;
        bool exMissing;
        DWORD budget;       // 40661 from the 64-bit query's 10 GiB, 4065 from the clusters' 1 GiB
    } cases[] = {
        { VER_PLATFORM_WIN32_WINDOWS, 1001, false, 40661 },
        { VER_PLATFORM_WIN32_WINDOWS, 1000, false, 4065 },
        { VER_PLATFORM_WIN32_WINDOWS, 0x04000457, false, 40661 },   // the low 16 bits count
        { VER_PLATFORM_WIN32_WINDOWS, 0x000A03E8, false, 4065 },
        { VER_PLATFORM_WIN32_NT, 2600, false, 4065 },
        { VER_PLATFORM_WIN32_WINDOWS, 1212, true, 4065 },           // no GetDiskFreeSpaceExA
    };
    nImageFormat = IMAGE_YVU9;
    SetClusters(8, 512, 262144);
    sysFaults.qwFreeBytes = 10 * GiB;
    for (const auto &c : cases) {
        SetVersion(c.platform, c.build);
        sysFaults.bNoFreeSpaceEx = c.exMissing;
        EXPECT_EQ(1, ComputeFrameBudget());
        EXPECT_EQ(c.budget, dwMaxFrames) << c.platform << " build " << c.build << (c.exMissing ? ", no Ex" : "");
    }
}

TEST_F(FrameBudgetTest, FailedQueryLeavesOnlyTheSizeLimit)
{
    sysFaults.bFreeSpaceFails = 1;
    for (DWORD platform : { VER_PLATFORM_WIN32_WINDOWS, VER_PLATFORM_WIN32_NT }) {
        SetVersion(platform, 1212);
        nImageFormat = IMAGE_RGB24;
        EXPECT_EQ(0, ComputeFrameBudget());
        EXPECT_EQ(kRgbFrameCap, dwMaxFrames);
        nImageFormat = IMAGE_YVU9;
        EXPECT_EQ(0, ComputeFrameBudget());
        EXPECT_EQ(kYvu9FrameCap, dwMaxFrames);
    }
}

TEST_F(FrameBudgetTest, OldCaptureIsDeletedForTheKnownFormatsOnly)
{
    SetClusters(8, 512, 262144);
    for (int format : { IMAGE_RGB24, IMAGE_YVU9 }) {
        CreateOldCapture();
        nImageFormat = format;
        EXPECT_EQ(1, ComputeFrameBudget());
        EXPECT_FALSE(Exists(szAviFileName)) << "format " << format;
    }
    EXPECT_EQ(1, ComputeFrameBudget()) << "no old capture to delete";

    CreateOldCapture();
    nImageFormat = 2;
    dwMaxFrames = 0;
    EXPECT_EQ(0, ComputeFrameBudget());
    EXPECT_EQ(0xFFFFFFFFu, dwMaxFrames);
    EXPECT_TRUE(Exists(szAviFileName));
}

// The real queries, asked about the volume of the capture file's name.
TEST_F(FrameBudgetTest, RealQueriesAskAboutTheCaptureFilesVolume)
{
    struct {
        DWORD platform;
        const char *name;
        int result;
    } cases[] = {
        { VER_PLATFORM_WIN32_NT, "c:\\avifile_budget_test.avi", 1 },
        { VER_PLATFORM_WIN32_NT, "c:\\no such folder\\avifile_budget_test.avi", 1 },   // the drive's root
        { VER_PLATFORM_WIN32_WINDOWS, "c:\\avifile_budget_test.avi", 1 },
        { VER_PLATFORM_WIN32_WINDOWS, "c:\\no such folder\\avifile_budget_test.avi", 0 },  // the folder
    };
    nImageFormat = IMAGE_YVU9;
    for (const auto &c : cases) {
        SetVersion(c.platform, 1212);
        lstrcpyA(szAviFileName, c.name);
        dwMaxFrames = 0;
        EXPECT_EQ(c.result, ComputeFrameBudget()) << c.platform << " " << c.name;
        EXPECT_GE(kYvu9FrameCap, dwMaxFrames);
        EXPECT_LT(0u, dwMaxFrames) << "c: has room for a frame";
    }
}

}  // namespace
