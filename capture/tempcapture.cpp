#include "capture/tempcapture.h"

#include <commctrl.h>

#include "avifile/avifile.h"
#include "common/msgbox.h"
#include "common/state.h"
#include "common/sysio.h"
#include "res/resource.h"

HANDLE CreateTempAviFile(void)
{
    HANDLE hFile = SysCreateFile(szTempAviFile, GENERIC_WRITE, 0, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_SEQUENTIAL_SCAN);
    if (hFile != INVALID_HANDLE_VALUE)
        WriteTempAviHeader(hFile);
    return hFile;
}

void DiscardTempAviFile(HANDLE hFile)
{
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);
    DeleteFileA(szTempAviFile);
}

HWND ShowCaptureWindow(int nTemplate)
{
    HWND hwnd = CreateDialogParamA(hInstApp, MAKEINTRESOURCEA(nTemplate), hwndMain, NULL, 0);
    if (hwnd)
        RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return hwnd;
}

void CloseCaptureWindow(HWND *lphwnd)
{
    if (*lphwnd)
        DestroyWindow(*lphwnd);
    *lphwnd = NULL;
}

int ConvertTempAviFile(DWORD dwStart, DWORD dwEnd, const char *lpCaption)
{
    hProgressDialog = ShowCaptureWindow(IDD_PROGRESS);
    SendDlgItemMessageA(hProgressDialog, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, LOWORD(nFramesCaptured)));
    SendDlgItemMessageA(hProgressDialog, IDC_PROGRESS_BAR, PBM_SETSTEP, 1, 0);
    int bConverted = 0;
    if (nImageFormat == IMAGE_RGB24)
        bConverted = ConvertToRgb24Avi(dwStart, dwEnd);
    else if (nImageFormat == IMAGE_YVU9)
        bConverted = ConvertToYvu9Avi(dwStart, dwEnd);
    else
        ShowMessage(NULL, "Unsupported image format.", lpCaption, MB_TOPMOST | MB_ICONERROR);
    CloseCaptureWindow(&hProgressDialog);
    return bConverted;
}
