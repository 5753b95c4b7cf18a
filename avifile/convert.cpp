// The conversion of c:\temp.avi into the final AVI: one run for both final
// formats, which differ only in their header, payload, buffer name and
// frame conversion.
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>

#include "avifile/avifile.h"
#include "avifile/aviwrite.h"
#include "avifile/convertframe.h"
#include "common/msgbox.h"
#include "common/state.h"
#include "common/sysio.h"
#include "res/resource.h"

typedef struct FinalFormat {
    DWORD dwPayload;                // F
    int (*pfnWriteHeader)(HANDLE hFile, DWORD dwDuration);
    void (*pfnConvertFrame)(const BYTE *lpUYVY, BYTE *lpFrame, DWORD dwWidth, DWORD dwHeight);
    const char *lpBufferName;       // named when it cannot be allocated
} FinalFormat;

// The files and buffers of one run, released on every way out of it.
typedef struct ConversionRun {
    const FinalFormat *lpFormat;
    HANDLE hTempFile, hFinalFile;
    BYTE *lpUYVY, *lpFrame;
} ConversionRun;

static const char szUnableToWrite[] = "Unable to write file.\n(%s)";

static void EndRun(ConversionRun *lpRun)
{
    SysFree(lpRun->lpUYVY);
    SysFree(lpRun->lpFrame);
    CloseHandle(lpRun->hTempFile);
    CloseHandle(lpRun->hFinalFile);
}

// A failure once the final file exists: reported, and no part of the final
// file is left.
static int FailRun(ConversionRun *lpRun, const char *lpFormat, const char *lpName)
{
    ShowAppMessageAbout(lpFormat, lpName, 0);
    EndRun(lpRun);
    DeleteFileA(szAviFileName);
    return 0;
}

// The temporary file at its first payload, and the final file created anew.
static int OpenRunFiles(ConversionRun *lpRun)
{
    lpRun->hTempFile = SysCreateFile(szTempAviFile, GENERIC_READ, 0, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
    if (lpRun->hTempFile == INVALID_HANDLE_VALUE) {
        ShowAppMessageAbout("Unable to open file.\n(%s)", szTempAviFile, MB_ICONERROR);
        return 0;
    }
    SetFilePointer(lpRun->hTempFile, AVI_FIRST_PAYLOAD, NULL, FILE_BEGIN);
    lpRun->hFinalFile = SysCreateFile(szAviFileName, GENERIC_WRITE, 0, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN);
    if (lpRun->hFinalFile == INVALID_HANDLE_VALUE) {
        ShowAppMessageAbout("Unable to create file.\n(%s)", szAviFileName, MB_ICONERROR);
        CloseHandle(lpRun->hTempFile);
        return 0;
    }
    return 1;
}

static int AllocateRunBuffers(ConversionRun *lpRun, DWORD dwTempPayload)
{
    lpRun->lpUYVY = (BYTE *)SysAlloc(dwTempPayload + 8);
    if (!lpRun->lpUYVY)
        return FailRun(lpRun, "Fail to allocate memory buffer. (%s)", "lpUYVY");
    lpRun->lpFrame = (BYTE *)SysAlloc(lpRun->lpFormat->dwPayload);
    if (!lpRun->lpFrame)
        return FailRun(lpRun, "Fail to allocate memory buffer. (%s)", lpRun->lpFormat->lpBufferName);
    return 1;
}

// Steps the caller's progress bar and has it painted at once: the run
// dispatches no messages.
static void StepProgressBar(void)
{
    SendDlgItemMessageA(hProgressDialog, IDC_PROGRESS_BAR, PBM_STEPIT, 0, 0);
    HWND hwndBar = GetDlgItem(hProgressDialog, IDC_PROGRESS_BAR);
    if (hwndBar)
        UpdateWindow(hwndBar);
}

// One read takes a payload and the next chunk's head, so the next read
// starts at the next payload; the last one finds only the payload. Fewer
// bytes than a payload is a temporary file shorter than its frame count.
static int ReadTempPayload(ConversionRun *lpRun, DWORD dwTempPayload)
{
    DWORD dwRead;
    return SysReadFile(lpRun->hTempFile, lpRun->lpUYVY, dwTempPayload + 8, &dwRead) && dwRead >= dwTempPayload;
}

static int ConvertFrames(ConversionRun *lpRun, DWORD dwTempPayload)
{
    const FinalFormat *lpFormat = lpRun->lpFormat;
    for (DWORD i = 0; i < nFramesCaptured; i++) {
        if (!ReadTempPayload(lpRun, dwTempPayload))
            return FailRun(lpRun, "Fail to read file.\n(%s)", szTempAviFile);
        lpFormat->pfnConvertFrame(lpRun->lpUYVY, lpRun->lpFrame, dwVideoWidth, dwVideoHeight);
        if (!WriteFrameChunk(lpRun->hFinalFile, lpRun->lpFrame, lpFormat->dwPayload))
            return FailRun(lpRun, szUnableToWrite, szAviFileName);
        StepProgressBar();
    }
    return 1;
}

static int ConvertCapture(const FinalFormat *lpFormat, DWORD dwDuration)
{
    DWORD dwTempPayload = 2 * dwVideoWidth * dwVideoHeight;
    ConversionRun run = { lpFormat, INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE, NULL, NULL };
    if (!OpenRunFiles(&run))
        return 0;
    if (!lpFormat->pfnWriteHeader(run.hFinalFile, dwDuration))
        return FailRun(&run, szUnableToWrite, szAviFileName);
    if (!AllocateRunBuffers(&run, dwTempPayload) || !ConvertFrames(&run, dwTempPayload))
        return 0;
    if (!WriteAviIndex(run.hFinalFile, lpFormat->dwPayload))
        return FailRun(&run, szUnableToWrite, szAviFileName);
    EndRun(&run);
    return 1;
}

int ConvertToRgb24Avi(DWORD dwStart, DWORD dwEnd)
{
    FinalFormat format = { 3 * dwVideoWidth * dwVideoHeight, WriteRgb24AviHeader, ConvertFrameToRgb24, "lpRGB24" };
    return ConvertCapture(&format, dwEnd - dwStart);
}

int ConvertToYvu9Avi(DWORD dwStart, DWORD dwEnd)
{
    FinalFormat format = { (dwVideoWidth * dwVideoHeight * 9) >> 3, WriteYvu9AviHeader, ConvertFrameToYvu9,
                           "lpYVU9 Planar" };
    return ConvertCapture(&format, dwEnd - dwStart);
}
