#include "app/videoformat.h"

#include <commctrl.h>

#include "app/geometry.h"
#include "app/modes.h"
#include "common/state.h"
#include "res/resource.h"

struct VideoSize {
    const char *lpText;
    DWORD dwWidth, dwHeight;
};

// The fixed sizes, by their index in the size list.
static const VideoSize aVideoSizes[] = {
    { "160 x 120", 160, 120 },
    { "176 x 120", 176, 120 },
    { "320 x 240", 320, 240 },
    { "352 x 240", 352, 240 },
    { "640 x 480", 640, 480 },
    { "720 x 480", 720, 480 },
};

enum {
    SIZE_COUNT = sizeof(aVideoSizes) / sizeof(aVideoSizes[0]),
    SIZE_SMALLEST = 0,      // sized twice: its narrow window may fold the menu bar
    SIZE_CAPTURE = 3,       // the one size of Capture mode
    ENTRY_FULLWINDOW = SIZE_COUNT,
    ENTRY_FULLSCREEN = SIZE_COUNT + 1,
};

static const char szFullWindowEntry[] = "Full Window";
static const char szFullScreenEntry[] = "Full Screen  (Ctrl+S)";

// By nImageFormat; the sorted list keeps them in this order.
static const char *const aImageFormats[] = { "24-bit  RGB", "YVU9 Planar  (Indeo Raw)" };

void ShowVideoFormatDialog(void)
{
    InitCommonControls();
    DialogBoxParamA(hInstApp, MAKEINTRESOURCEA(IDD_VIDEOFORMAT), hwndMain, VideoFormatDlgProc, 0);
}

static void AddEntry(HWND hDlg, int nList, const char *lpText)
{
    SendDlgItemMessageA(hDlg, nList, CB_ADDSTRING, 0, (LPARAM)lpText);
}

static void SelectEntry(HWND hDlg, int nList, int nIndex)
{
    SendDlgItemMessageA(hDlg, nList, CB_SETCURSEL, (WPARAM)nIndex, 0);
}

static int SelectedEntry(HWND hDlg, int nList)
{
    return (int)SendDlgItemMessageA(hDlg, nList, CB_GETCURSEL, 0, 0);
}

static int IsCurrentSize(int nIndex)
{
    return dwVideoWidth == aVideoSizes[nIndex].dwWidth && dwVideoHeight == aVideoSizes[nIndex].dwHeight;
}

static void FillLiveVideoSizes(HWND hDlg)
{
    for (int i = 0; i < SIZE_COUNT; i++)
        AddEntry(hDlg, IDC_SIZELIST, aVideoSizes[i].lpText);
    AddEntry(hDlg, IDC_SIZELIST, szFullWindowEntry);
    AddEntry(hDlg, IDC_SIZELIST, szFullScreenEntry);

    for (int i = 0; i < SIZE_COUNT; i++) {
        if (IsCurrentSize(i)) {
            SelectEntry(hDlg, IDC_SIZELIST, i);
            return;
        }
    }
    if (IsZoomed(hwndMain))
        SelectEntry(hDlg, IDC_SIZELIST, ENTRY_FULLWINDOW);
}

static void FillCaptureSize(HWND hDlg)
{
    AddEntry(hDlg, IDC_SIZELIST, aVideoSizes[SIZE_CAPTURE].lpText);
    if (IsCurrentSize(SIZE_CAPTURE))
        SelectEntry(hDlg, IDC_SIZELIST, 0);
    EnableWindow(GetDlgItem(hDlg, IDC_FULLWINDOW), FALSE);
    EnableWindow(GetDlgItem(hDlg, IDC_FULLSCREEN), FALSE);
}

static void InitVideoFormatDialog(HWND hDlg)
{
    if (nDisplayMode == MODE_CAPTURE)
        FillCaptureSize(hDlg);
    else
        FillLiveVideoSizes(hDlg);
    AddEntry(hDlg, IDC_FORMATLIST, aImageFormats[IMAGE_RGB24]);
    AddEntry(hDlg, IDC_FORMATLIST, aImageFormats[IMAGE_YVU9]);
    SelectEntry(hDlg, IDC_FORMATLIST, nImageFormat);
}

// The format as chosen, the dialog closed, the window sized round the video.
static void FinishVideoFormat(HWND hDlg)
{
    int nFormat = SelectedEntry(hDlg, IDC_FORMATLIST);
    if (nFormat != CB_ERR)
        nImageFormat = nFormat;
    EndDialog(hDlg, 1);
    SizeWindowToClient(hwndMain, (int)dwVideoWidth, (int)dwVideoHeight);
}

static void SetVideoSize(int nIndex)
{
    dwVideoWidth = aVideoSizes[nIndex].dwWidth;
    dwVideoHeight = aVideoSizes[nIndex].dwHeight;
}

static void OnVideoFormatOK(HWND hDlg)
{
    if (nDisplayMode == MODE_CAPTURE) {
        SetVideoSize(SIZE_CAPTURE);
        FinishVideoFormat(hDlg);
        return;
    }

    int nEntry = SelectedEntry(hDlg, IDC_SIZELIST);
    if (nEntry == ENTRY_FULLWINDOW) {
        ShowWindow(hwndMain, SW_SHOWMAXIMIZED);
        EndDialog(hDlg, 1);
        return;
    }
    if (nEntry == ENTRY_FULLSCREEN) {
        EnterFullScreen(hwndMain);
        EndDialog(hDlg, 1);
        return;
    }
    if (nEntry >= 0 && nEntry < SIZE_COUNT) {
        if (nEntry == SIZE_SMALLEST)
            SizeWindowToClient(hwndMain, (int)aVideoSizes[nEntry].dwWidth, (int)aVideoSizes[nEntry].dwHeight);
        SetVideoSize(nEntry);
    }
    FinishVideoFormat(hDlg);
}

// Only the buttons act (the whole command word is their id); Full Window and
// Full Screen only choose their list entry, which takes effect on OK.
static INT_PTR OnVideoFormatCommand(HWND hDlg, WPARAM wParam)
{
    switch (wParam) {
    case IDOK:
        OnVideoFormatOK(hDlg);
        return TRUE;
    case IDCANCEL:
        EndDialog(hDlg, 1);
        return TRUE;
    case IDC_FULLWINDOW:
        SelectEntry(hDlg, IDC_SIZELIST, ENTRY_FULLWINDOW);
        return TRUE;
    case IDC_FULLSCREEN:
        SelectEntry(hDlg, IDC_SIZELIST, ENTRY_FULLSCREEN);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK VideoFormatDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (uMsg) {
    case WM_INITDIALOG:
        InitVideoFormatDialog(hDlg);
        return TRUE;
    case WM_COMMAND:
        return OnVideoFormatCommand(hDlg, wParam);
    default:
        return FALSE;
    }
}
