// The Video Format dialog: image size, full window or full screen, and the
// format of AVI captures.
#pragma once

#include <windows.h>

void ShowVideoFormatDialog(void);
INT_PTR CALLBACK VideoFormatDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
