#include "common/sysio.h"

SysFaults sysFaults;

static int nCalls[SYS_CALL_KINDS];      // made since the reset
static int nFailFrom[SYS_CALL_KINDS];   // the first call that fails; 0: none
static int nFailCount[SYS_CALL_KINDS];  // how many fail from there

void ResetSysFaults(void)
{
    ZeroMemory(&sysFaults, sizeof(sysFaults));
    ZeroMemory(nCalls, sizeof(nCalls));
    ZeroMemory(nFailFrom, sizeof(nFailFrom));
    ZeroMemory(nFailCount, sizeof(nFailCount));
}

void PlantFailure(SysCall kind, int nth, int nCount)
{
    nFailFrom[kind] = nCalls[kind] + nth;
    nFailCount[kind] = nCount;
}

// Counts one call of a kind; whether it is to fail.
static BOOL FailureDue(SysCall kind)
{
    nCalls[kind]++;
    return nFailFrom[kind] > 0 && nCalls[kind] >= nFailFrom[kind] && nCalls[kind] - nFailFrom[kind] < nFailCount[kind];
}

HANDLE SysCreateFile(LPCSTR lpName, DWORD dwAccess, DWORD dwShare, DWORD dwDisposition, DWORD dwAttributes)
{
    if (FailureDue(SYS_CREATE)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileA(lpName, dwAccess, dwShare, NULL, dwDisposition, dwAttributes, NULL);
}

BOOL SysWriteFile(HANDLE hFile, const void *lpData, DWORD dwBytes, DWORD *lpWritten)
{
    *lpWritten = 0;
    if (FailureDue(SYS_WRITE)) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    if (FailureDue(SYS_SHORT_WRITE))
        dwBytes /= 2;
    return WriteFile(hFile, lpData, dwBytes, lpWritten, NULL);
}

int SysWriteAll(HANDLE hFile, const void *lpData, DWORD dwBytes)
{
    DWORD dwWritten;
    return SysWriteFile(hFile, lpData, dwBytes, &dwWritten) && dwWritten == dwBytes;
}

BOOL SysReadFile(HANDLE hFile, void *lpData, DWORD dwBytes, DWORD *lpRead)
{
    *lpRead = 0;
    if (FailureDue(SYS_READ)) {
        SetLastError(ERROR_READ_FAULT);
        return FALSE;
    }
    return ReadFile(hFile, lpData, dwBytes, lpRead, NULL);
}

void *SysAlloc(SIZE_T dwBytes)
{
    if (FailureDue(SYS_ALLOC))
        return NULL;
    return (void *)GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, dwBytes);
}

void SysFree(void *lpBlock)
{
    if (lpBlock)
        GlobalFree((HGLOBAL)lpBlock);
}

BOOL SysOpenClipboard(HWND hwndOwner)
{
    if (sysFaults.bClipboardBusy)
        return FALSE;
    return OpenClipboard(hwndOwner);
}

BOOL SysGetVersion(OSVERSIONINFOA *lpVersion)
{
    if (sysFaults.bVersionSet) {
        lpVersion->dwPlatformId = sysFaults.dwPlatformId;
        lpVersion->dwBuildNumber = sysFaults.dwBuildNumber;
        return TRUE;
    }
    return GetVersionExA(lpVersion);
}

GetDiskFreeSpaceExProc SysFindFreeSpaceEx(void)
{
    if (sysFaults.bNoFreeSpaceEx)
        return NULL;
    HMODULE hKernel = LoadLibraryA("kernel32.dll");
    return hKernel ? (GetDiskFreeSpaceExProc)GetProcAddress(hKernel, "GetDiskFreeSpaceExA") : NULL;
}

BOOL SysFreeSpaceEx(GetDiskFreeSpaceExProc pfnQuery, LPCSTR lpDirectory, ULARGE_INTEGER *lpAvailable)
{
    if (sysFaults.bFreeSpaceFails)
        return FALSE;
    if (sysFaults.bFreeSpaceSet) {
        lpAvailable->QuadPart = sysFaults.qwFreeBytes;
        return TRUE;
    }
    ULARGE_INTEGER total, free;
    return pfnQuery(lpDirectory, lpAvailable, &total, &free);
}

BOOL SysFreeSpace(LPCSTR lpRoot, DWORD *lpSectorsPerCluster, DWORD *lpBytesPerSector, DWORD *lpFreeClusters)
{
    if (sysFaults.bFreeSpaceFails)
        return FALSE;
    if (sysFaults.bFreeSpaceSet) {
        *lpSectorsPerCluster = sysFaults.dwSectorsPerCluster;
        *lpBytesPerSector = sysFaults.dwBytesPerSector;
        *lpFreeClusters = sysFaults.dwFreeClusters;
        return TRUE;
    }
    DWORD dwClusters;
    return GetDiskFreeSpaceA(lpRoot, lpSectorsPerCluster, lpBytesPerSector, lpFreeClusters, &dwClusters);
}
