#include "capture/setcapturefile.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "capture/numbering.h"
#include "common/msgbox.h"
#include "common/state.h"
#include "res/resource.h"

enum {
    TIME_TEXT_SIZE = 80,
    FILE_CAPACITY = CAPTURE_NAME_SIZE - 1,
    // The save-file description as the older systems know it, up to its
    // template name: 76 bytes on 32-bit Windows.
    OFN_SIZE_400 = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR),
};
#ifndef _WIN64
static_assert(OFN_SIZE_400 == 76, "the older save-file description");
#endif

// The working copies, valid while the dialog is open; OK stores them.
static int bToClipboardWork, bNumberedWork, nNumberWork;
char szBmpWork[CAPTURE_NAME_SIZE], szAviWork[CAPTURE_NAME_SIZE];

static const char szTooLongToNumber[] = "The file name is too long to be numbered.";

// What the save-file dialog offers for one kind of file.
struct FileKind {
    const char *lpFilter;
    const char *lpDefExt;
    const char *lpExtension;    // in upper case
};

static const FileKind bmpKind = { "24-bit Bitmap (*.bmp)\0*.bmp\0", "bmp", "BMP" };
static const FileKind aviKind = { "Video for Windows (*.avi)\0*.avi\0", "avi", "AVI" };

void ShowSetCaptureFileDialog(void)
{
    InitCommonControls();
    DialogBoxParamA(hInstApp, MAKEINTRESOURCEA(IDD_SETCAPTUREFILE), hwndMain, SetCaptureFileDialogProc, 0);
}

// ---- the save-file dialog ----

// Whether the extension the dialog reported (none at offset 0) is
// lpExtension in any letter case.
static int HasExtension(const char *szFile, WORD nFileExtension, const char *lpExtension)
{
    if (nFileExtension == 0)
        return 0;
    char szExtension[CAPTURE_NAME_SIZE];
    lstrcpynA(szExtension, szFile + nFileExtension, sizeof(szExtension));
    CharUpperA(szExtension);
    return lstrcmpA(szExtension, lpExtension) == 0;
}

// Asks again after a name of another type; only Cancel leaves without one.
static void BrowseFileName(HWND hwndOwner, char *lpWork, const FileKind *lpKind)
{
    char szFile[CAPTURE_NAME_SIZE];
    lstrcpynA(szFile, lpWork, sizeof(szFile));

    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OFN_SIZE_400;
    ofn.hwndOwner = hwndOwner;
    ofn.lpstrFilter = lpKind->lpFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = FILE_CAPACITY;
    ofn.Flags = OFN_HIDEREADONLY;
    ofn.lpstrDefExt = lpKind->lpDefExt;

    while (GetSaveFileNameA(&ofn)) {
        if (HasExtension(szFile, ofn.nFileExtension, lpKind->lpExtension)) {
            lstrcpyA(lpWork, szFile);
            return;
        }
        ShowAppMessage("Not supported file type.", MB_ICONERROR);
    }
}

void BrowseBmpFileName(HWND hwndOwner)
{
    BrowseFileName(hwndOwner, szBmpWork, &bmpKind);
}

void BrowseAviFileName(HWND hwndOwner)
{
    BrowseFileName(hwndOwner, szAviWork, &aviKind);
}

// ---- the dialog ----

static void EnableItem(HWND hDlg, int nId, BOOL bEnable)
{
    EnableWindow(GetDlgItem(hDlg, nId), bEnable);
}

static void EnableFileControls(HWND hDlg, BOOL bEnable)
{
    EnableItem(hDlg, IDC_SC_BMPBROWSE, bEnable);
    EnableItem(hDlg, IDC_SC_NUMBERED, bEnable);
}

static void ShowBmpName(HWND hDlg)
{
    SetDlgItemTextA(hDlg, IDC_SC_BMPNAME, szBmpWork);
}

// The name stays as it is, and so does the numbering, which is shown off.
static void RefuseNumbering(HWND hDlg)
{
    CheckDlgButton(hDlg, IDC_SC_NUMBERED, BST_UNCHECKED);
    bNumberedWork = 0;
    ShowAppMessage(szTooLongToNumber, MB_ICONERROR);
}

static void ShowTimeLimit(HWND hDlg)
{
    char szText[TIME_TEXT_SIZE];
    snprintf(szText, sizeof(szText), "%d", (int)(dwTimeLimit / 1000));
    SetDlgItemTextA(hDlg, IDC_SC_TIMELIMIT, szText);
}

static void InitSetCaptureFileDialog(HWND hDlg)
{
    bToClipboardWork = bCaptureToClipboard;
    if (bToClipboardWork == 1) {
        CheckDlgButton(hDlg, IDC_SC_TOCLIPBOARD, BST_CHECKED);
        EnableFileControls(hDlg, FALSE);
    } else {
        CheckDlgButton(hDlg, IDC_SC_TOFILE, BST_CHECKED);
        EnableFileControls(hDlg, TRUE);
    }
    bNumberedWork = bNumberedFileName;
    nNumberWork = nFileNumber;
    if (bNumberedWork == 1)
        CheckDlgButton(hDlg, IDC_SC_NUMBERED, BST_CHECKED);
    lstrcpyA(szBmpWork, szBmpFileName);
    ShowBmpName(hDlg);
    ShowTimeLimit(hDlg);
    lstrcpyA(szAviWork, szAviFileName);
    SetDlgItemTextA(hDlg, IDC_SC_AVINAME, szAviWork);
}

static void OnToClipboard(HWND hDlg)
{
    EnableFileControls(hDlg, FALSE);
    bToClipboardWork = 1;
}

static void OnToFile(HWND hDlg)
{
    EnableFileControls(hDlg, TRUE);
    bToClipboardWork = 0;
}

// A newly chosen name starts again at number 1; whatever was chosen, the
// name shown is in lower case.
static void OnBrowseBmp(HWND hDlg)
{
    char szBefore[CAPTURE_NAME_SIZE];
    lstrcpyA(szBefore, szBmpWork);
    BrowseBmpFileName(hDlg);
    CharLowerA(szBmpWork);
    CharLowerA(szBefore);
    if (lstrcmpA(szBmpWork, szBefore) != 0) {
        nNumberWork = 1;
        if (IsDlgButtonChecked(hDlg, IDC_SC_NUMBERED) == BST_CHECKED && !NumberFileName(szBmpWork, nNumberWork))
            RefuseNumbering(hDlg);
    }
    ShowBmpName(hDlg);
}

static void OnBrowseAvi(HWND hDlg)
{
    BrowseAviFileName(hDlg);
    SetDlgItemTextA(hDlg, IDC_SC_AVINAME, szAviWork);
}

// The box has already changed its check mark.
static void OnNumberedClicked(HWND hDlg)
{
    if (IsDlgButtonChecked(hDlg, IDC_SC_NUMBERED) == BST_CHECKED) {
        if (!NumberFileName(szBmpWork, nNumberWork)) {
            RefuseNumbering(hDlg);
            return;
        }
        bNumberedWork = 1;
    } else {
        UnnumberFileName(szBmpWork, nNumberWork);
        bNumberedWork = 0;
    }
    ShowBmpName(hDlg);
}

// The names are read whole: a numbered name may take all 255 characters.
static void OnSetCaptureFileOK(HWND hDlg)
{
    bCaptureToClipboard = bToClipboardWork;
    bNumberedFileName = bNumberedWork;
    nFileNumber = nNumberWork;
    GetDlgItemTextA(hDlg, IDC_SC_BMPNAME, szBmpFileName, CAPTURE_NAME_SIZE);
    char szTime[TIME_TEXT_SIZE];
    GetDlgItemTextA(hDlg, IDC_SC_TIMELIMIT, szTime, sizeof(szTime));
    dwTimeLimit = (DWORD)atoi(szTime) * 1000;
    GetDlgItemTextA(hDlg, IDC_SC_AVINAME, szAviFileName, CAPTURE_NAME_SIZE);
    EndDialog(hDlg, IDOK);
}

// The whole command word: a click is the control's id with code 0.
static INT_PTR OnSetCaptureFileCommand(HWND hDlg, WPARAM wParam)
{
    switch (wParam) {
    case IDC_SC_TOCLIPBOARD:
        OnToClipboard(hDlg);
        return TRUE;
    case IDC_SC_TOFILE:
        OnToFile(hDlg);
        return TRUE;
    case IDC_SC_BMPBROWSE:
        OnBrowseBmp(hDlg);
        return TRUE;
    case IDC_SC_AVIBROWSE:
        OnBrowseAvi(hDlg);
        return TRUE;
    case IDC_SC_NUMBERED:
        OnNumberedClicked(hDlg);
        return TRUE;
    case IDOK:
        OnSetCaptureFileOK(hDlg);
        return TRUE;
    case IDCANCEL:
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK SetCaptureFileDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (uMsg) {
    case WM_INITDIALOG:
        InitSetCaptureFileDialog(hDlg);
        return TRUE;
    case WM_COMMAND:
        return OnSetCaptureFileCommand(hDlg, wParam);
    default:
        return FALSE;
    }
}
