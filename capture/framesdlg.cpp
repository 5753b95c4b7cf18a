#include "capture/framesdlg.h"

#include <commctrl.h>

#include "avifile/avifile.h"
#include "capture/grab.h"
#include "capture/tempcapture.h"
#include "common/msgbox.h"
#include "common/state.h"
#include "common/sysio.h"
#include "res/resource.h"

static const char szFramesCaption[] = "Capture Frames";
enum { FRAMES_PER_SECOND = 30 };

// What lives as long as the dialog.
static HANDLE hFramesFile = INVALID_HANDLE_VALUE;
static DWORD dwFrameSize;
static BYTE *lpUYVY;

static void Tell(const char *lpText)
{
    ShowMessage(NULL, lpText, szFramesCaption, MB_TOPMOST | MB_ICONERROR);
}

static void ShowCount(HWND hDlg)
{
    SetDlgItemInt(hDlg, IDC_CF_COUNT, nFramesCaptured, FALSE);
}

static void OnInitDialog(HWND hDlg)
{
    nFramesCaptured = 0;
    ShowCount(hDlg);
    ComputeFrameBudget();
    hFramesFile = CreateTempAviFile();
    if (hFramesFile == INVALID_HANDLE_VALUE) {
        Tell("Unable to create file.");
        EndDialog(hDlg, 0);
        return;
    }
    dwFrameSize = dwVideoWidth * dwVideoHeight * 2;
    lpUYVY = (BYTE *)SysAlloc(dwFrameSize);
    if (!lpUYVY) {
        Tell("Unable to allocate memory for lpUYVY.");
        DiscardTempAviFile(hFramesFile);
        hFramesFile = INVALID_HANDLE_VALUE;
        EndDialog(hDlg, 0);
    }
}

static void OnCapture(HWND hDlg)
{
    if (nFramesCaptured >= dwMaxFrames) {
        Tell("You don't have sufficient disk space to capture.");
        return;
    }
    GrabResult result = GrabOverlayFrame(lpUYVY, DDLOCK_WAIT);
    if (result != GRAB_OK) {
        Tell(GrabFailureText(result));
        return;
    }
    if (!AppendFrameChunk(hFramesFile, lpUYVY, dwFrameSize)) {
        Tell("Unable to write file.\n(c:\\temp.avi)");
        return;
    }
    ShowCount(hDlg);
}

static void OnDone(HWND hDlg)
{
    SysFree(lpUYVY);
    lpUYVY = NULL;
    CloseHandle(hFramesFile);
    hFramesFile = INVALID_HANDLE_VALUE;
    EndDialog(hDlg, 1);
    if (nFramesCaptured)
        ConvertTempAviFile(0, (DWORD)((ULONGLONG)nFramesCaptured * 1000 / FRAMES_PER_SECOND), szFramesCaption);
    DeleteFileA(szTempAviFile);
}

INT_PTR CALLBACK CaptureFramesDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        OnInitDialog(hDlg);
        return TRUE;
    case WM_COMMAND:
        if (wParam == IDC_CF_CAPTURE) {
            OnCapture(hDlg);
            return TRUE;
        }
        if (wParam == IDC_CF_DONE) {
            OnDone(hDlg);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

void ShowCaptureFramesDialog(void)
{
    InitCommonControls();
    DialogBoxParamA(hInstApp, MAKEINTRESOURCEA(IDD_CAPTUREFRAMES), hwndMain, CaptureFramesDialogProc, 0);
}
