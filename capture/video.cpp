#include "capture/video.h"

#include <commctrl.h>
#include <stdio.h>

#include "avifile/avifile.h"
#include "capture/grab.h"
#include "capture/tempcapture.h"
#include "common/msgbox.h"
#include "common/state.h"
#include "common/sysio.h"
#include "res/resource.h"

enum { KEY_PRESS_MS = 100 };

// A key-down for any window of the thread, taken off the queue unseen.
static BOOL KeyPressed(void)
{
    MSG msg;
    return PeekMessageA(&msg, NULL, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);
}

int CaptureVideoLoop(HANDLE hFile, BYTE *lpUYVY, DWORD dwFrameSize)
{
    for (;;) {
        if (KeyPressed() || nFramesCaptured >= dwMaxFrames)
            return 1;
        GrabResult result = GrabOverlayFrame(lpUYVY, DDLOCK_WAIT);
        if (result != GRAB_OK) {
            ShowAppMessage(GrabFailureText(result), MB_ICONERROR);
            return 0;
        }
        if (!AppendFrameChunk(hFile, lpUYVY, dwFrameSize)) {
            ShowAppMessage("Unable to write file.\n(c:\\temp.avi)\nThe capture ends with the frames written so far.",
                 MB_ICONERROR);
            return 1;
        }
    }
}

DWORD RecordedDuration(DWORD dwStart, DWORD dwEnd)
{
    DWORD dwElapsed = dwEnd - dwStart;
    if (dwElapsed > KEY_PRESS_MS)
        return dwElapsed - KEY_PRESS_MS;
    return dwElapsed ? dwElapsed : 1;
}

static void ReportCapture(DWORD dwDuration)
{
    char szText[96];
    sprintf(szText, "Captured %d frames, %.3f seconds.", (int)nFramesCaptured, dwDuration / 1000.0);
    ShowAppMessage(szText, MB_ICONINFORMATION);
}

// The recording behind the capturing notice; 1 when it ended normally,
// with its start and corrected end time.
static int Record(HANDLE hFile, BYTE *lpUYVY, DWORD dwFrameSize, DWORD *lpdwStart, DWORD *lpdwEnd)
{
    HWND hwndNotice = ShowCaptureWindow(IDD_CAPTURING);
    nFramesCaptured = 0;
    *lpdwStart = GetTickCount();
    int bRecorded = CaptureVideoLoop(hFile, lpUYVY, dwFrameSize);
    *lpdwEnd = *lpdwStart + RecordedDuration(*lpdwStart, GetTickCount());
    CloseCaptureWindow(&hwndNotice);
    return bRecorded;
}

void CaptureVideo(void)
{
    ComputeFrameBudget();
    HANDLE hFile = CreateTempAviFile();
    if (hFile == INVALID_HANDLE_VALUE) {
        ShowAppMessageAbout("Unable to create file.\n(%s)", szAviFileName, MB_ICONERROR);
        return;
    }
    DWORD dwFrameSize = dwVideoWidth * dwVideoHeight * 2;
    BYTE *lpUYVY = (BYTE *)SysAlloc(dwFrameSize);
    if (!lpUYVY) {
        ShowAppMessage("Unable to allocate memory for lpUYVY.", MB_ICONERROR);
        DiscardTempAviFile(hFile);
        return;
    }
    InitCommonControls();
    DWORD dwStart, dwEnd;
    int bRecorded = Record(hFile, lpUYVY, dwFrameSize, &dwStart, &dwEnd);
    SysFree(lpUYVY);
    CloseHandle(hFile);
    if (bRecorded && nFramesCaptured && ConvertTempAviFile(dwStart, dwEnd, szAppCaption))
        ReportCapture(dwEnd - dwStart);
    DeleteFileA(szTempAviFile);
}
