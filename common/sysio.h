// The system calls through which the captures touch files, memory, the
// clipboard and the disk's free space. In the program they are the plain
// Win32 calls; a test may plant failures in them (SysFaults) and give the
// free-space queries any figure, to see every way out of a capture.
#pragma once

#include <windows.h>

// The calls that can be made to fail: from the Nth call of that kind on
// (1: the next one), every call fails, or only nCount of them. A write
// fails writing nothing; a short write writes half its bytes and reports
// success, as a full disk may.
typedef enum SysCall { SYS_CREATE, SYS_WRITE, SYS_SHORT_WRITE, SYS_READ, SYS_ALLOC, SYS_CALL_KINDS } SysCall;
void PlantFailure(SysCall kind, int nth, int nCount = 0x7FFFFFFF);

// The clipboard, and what the free-space queries see and answer.
typedef struct SysFaults {
    int bClipboardBusy;          // OpenClipboard fails
    int bVersionSet;             // the version the budget sees
    DWORD dwPlatformId, dwBuildNumber;
    int bFreeSpaceSet;           // both queries answer with the figures below
    ULONGLONG qwFreeBytes;       // the 64-bit query's bytes available
    DWORD dwSectorsPerCluster, dwBytesPerSector, dwFreeClusters;
    int bFreeSpaceFails;         // both queries fail
    int bNoFreeSpaceEx;          // kernel32 has no GetDiskFreeSpaceExA
} SysFaults;

extern SysFaults sysFaults;
// No failure planted, the real version and free space.
void ResetSysFaults(void);

HANDLE SysCreateFile(LPCSTR lpName, DWORD dwAccess, DWORD dwShare, DWORD dwDisposition, DWORD dwAttributes);
BOOL SysWriteFile(HANDLE hFile, const void *lpData, DWORD dwBytes, DWORD *lpWritten);
BOOL SysReadFile(HANDLE hFile, void *lpData, DWORD dwBytes, DWORD *lpRead);
// 1 when all dwBytes were written; a failed or short write gives 0.
int SysWriteAll(HANDLE hFile, const void *lpData, DWORD dwBytes);

// A zero-filled fixed block of the global heap; NULL when it cannot be had.
void *SysAlloc(SIZE_T dwBytes);
void SysFree(void *lpBlock);

BOOL SysOpenClipboard(HWND hwndOwner);

BOOL SysGetVersion(OSVERSIONINFOA *lpVersion);
typedef BOOL (WINAPI *GetDiskFreeSpaceExProc)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
// GetDiskFreeSpaceExA looked up by name in kernel32.dll; NULL when missing.
GetDiskFreeSpaceExProc SysFindFreeSpaceEx(void);
BOOL SysFreeSpaceEx(GetDiskFreeSpaceExProc pfnQuery, LPCSTR lpDirectory, ULARGE_INTEGER *lpAvailable);
BOOL SysFreeSpace(LPCSTR lpRoot, DWORD *lpSectorsPerCluster, DWORD *lpBytesPerSector, DWORD *lpFreeClusters);
