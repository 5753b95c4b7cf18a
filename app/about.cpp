#include "app/about.h"

#include <commctrl.h>

#include "common/state.h"
#include "res/resource.h"

void ShowAboutDialog(void)
{
    InitCommonControls();
    DialogBoxParamA(hInstApp, MAKEINTRESOURCEA(IDD_ABOUT), hwndMain, AboutDlgProc, 0);
}

// OK, Enter, Esc and the close box all end the box.
INT_PTR CALLBACK AboutDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (uMsg) {
    case WM_INITDIALOG:
        return TRUE;    // the focus goes to the default button
    case WM_COMMAND:
        if (wParam == IDOK || wParam == IDCANCEL) {
            EndDialog(hDlg, 1);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}
