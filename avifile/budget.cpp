// The frame budget of a capture from the free space of the volume that will
// hold szAviFileName: each frame costs its temporary and its final chunk
// with their index entries, and both files their header and index head.
#include "avifile/avifile.h"
#include "common/state.h"
#include "common/sysio.h"

enum {
    FILE_OVERHEAD = 464,            // 2 x (224-byte header + "idx1" head)
    CHUNK_OVERHEAD = 24,            // chunk head and index entry
    CAPTURE_PIXELS = 352 * 240,     // the only capture size
};
static const DWORD dwHighWordBytes = 4294966831u;  // 2^32 - 1 - 464

// What a frame costs on disk in each format, and its final payload.
typedef struct FrameCost {
    DWORD dwBytes;                  // S
    DWORD dwFinalPayload;           // F
} FrameCost;

static int GetFrameCost(int nFormat, FrameCost *lpCost)
{
    DWORD dwTempChunk = 2 * CAPTURE_PIXELS + CHUNK_OVERHEAD;
    if (nFormat == IMAGE_RGB24)
        lpCost->dwFinalPayload = 3 * CAPTURE_PIXELS;
    else if (nFormat == IMAGE_YVU9)
        lpCost->dwFinalPayload = 9 * CAPTURE_PIXELS / 8;
    else
        return 0;
    lpCost->dwBytes = dwTempChunk + lpCost->dwFinalPayload + CHUNK_OVERHEAD;
    return 1;
}

// The most frames whose final file still has a RIFF size that fits in 32
// bits: 224 + n x (F + 24) <= 0xFFFFFFFF.
static DWORD CapFrames(ULONGLONG qwFrames, const FrameCost *lpCost)
{
    DWORD dwMost = (0xFFFFFFFF - AVI_HEADER_SIZE) / (lpCost->dwFinalPayload + CHUNK_OVERHEAD);
    return qwFrames < dwMost ? (DWORD)qwFrames : dwMost;
}

// The 64-bit query's count: (L - 464) / S + H x (4294966831 / S) - 1, the
// 464 borrowed from H when L is smaller.
static ULONGLONG FramesInHighAndLow(ULONGLONG qwFree, DWORD dwCost)
{
    DWORD dwHigh = (DWORD)(qwFree >> 32), dwLow = (DWORD)qwFree;
    if (dwLow < FILE_OVERHEAD)
        dwHigh--;
    dwLow -= FILE_OVERHEAD;
    return dwLow / dwCost + (ULONGLONG)dwHigh * (dwHighWordBytes / dwCost) - 1;
}

// The cluster query's count: (free - 464) / S - 1.
static ULONGLONG FramesInBytes(ULONGLONG qwFree, DWORD dwCost)
{
    return (qwFree - FILE_OVERHEAD) / dwCost - 1;
}

// Whether the system is one that has GetDiskFreeSpaceExA: the Windows 95
// family from build 1001 on.
static BOOL IsFreeSpaceExSystem(void)
{
    OSVERSIONINFOA version;
    static_assert(sizeof(version) == 148, "OSVERSIONINFOA");
    ZeroMemory(&version, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);
    return SysGetVersion(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS &&
           LOWORD(version.dwBuildNumber) > 1000;
}

// The directory part of lpName ("c:\captures\" of "c:\captures\a.avi");
// NULL, the current directory, when it has none.
static const char *GetDirectoryOf(const char *lpName, char *lpDirectory)
{
    int nEnd = 0;
    for (int i = 0; lpName[i]; i++) {
        if (lpName[i] == '\\' || lpName[i] == '/' || lpName[i] == ':')
            nEnd = i + 1;
    }
    if (nEnd == 0)
        return NULL;
    lstrcpynA(lpDirectory, lpName, nEnd + 1);
    return lpDirectory;
}

// The root of the drive or share that holds lpName ("c:\", "\\host\share\");
// NULL, the current drive's, when it names neither.
static const char *GetRootOf(const char *lpName, char *lpRoot)
{
    if (lpName[0] && lpName[1] == ':') {
        lstrcpynA(lpRoot, lpName, 3);
        return lstrcatA(lpRoot, "\\");
    }
    if (lpName[0] != '\\' || lpName[1] != '\\')
        return NULL;
    int i = 2, nSeparators = 0;
    for (; lpName[i] && nSeparators < 2; i++) {
        if (lpName[i] == '\\')
            nSeparators++;
    }
    lstrcpynA(lpRoot, lpName, i + 1);
    return nSeparators < 2 ? lstrcatA(lpRoot, "\\") : lpRoot;
}

// The free bytes of szAviFileName's volume, and whether the 64-bit query
// (rather than the cluster query) gave them.
static BOOL QueryFreeSpace(ULONGLONG *lpFree, BOOL *lpFromQueryEx)
{
    char szPath[CAPTURE_NAME_SIZE + 2];
    GetDiskFreeSpaceExProc pfnQuery = IsFreeSpaceExSystem() ? SysFindFreeSpaceEx() : NULL;
    *lpFromQueryEx = pfnQuery != NULL;
    if (pfnQuery) {
        ULARGE_INTEGER available;
        if (!SysFreeSpaceEx(pfnQuery, GetDirectoryOf(szAviFileName, szPath), &available))
            return FALSE;
        *lpFree = available.QuadPart;
        return TRUE;
    }
    DWORD dwSectorsPerCluster, dwBytesPerSector, dwFreeClusters;
    if (!SysFreeSpace(GetRootOf(szAviFileName, szPath), &dwSectorsPerCluster, &dwBytesPerSector, &dwFreeClusters))
        return FALSE;
    *lpFree = (ULONGLONG)dwSectorsPerCluster * dwBytesPerSector * dwFreeClusters;
    return TRUE;
}

int ComputeFrameBudget(void)
{
    FrameCost cost;
    if (!GetFrameCost(nImageFormat, &cost)) {
        dwMaxFrames = AVI_NO_FRAME_LIMIT;
        return 0;
    }
    DeleteFileA(szAviFileName);
    ULONGLONG qwFree;
    BOOL bFromQueryEx;
    if (!QueryFreeSpace(&qwFree, &bFromQueryEx)) {
        dwMaxFrames = CapFrames(AVI_NO_FRAME_LIMIT, &cost);
        return 0;
    }
    ULONGLONG qwFrames = 0;
    if (qwFree >= FILE_OVERHEAD + 2 * (ULONGLONG)cost.dwBytes)
        qwFrames = bFromQueryEx ? FramesInHighAndLow(qwFree, cost.dwBytes) : FramesInBytes(qwFree, cost.dwBytes);
    dwMaxFrames = CapFrames(qwFrames, &cost);
    return 1;
}
