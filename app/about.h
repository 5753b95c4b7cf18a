// The About box.
#pragma once

#include <windows.h>

void ShowAboutDialog(void);
INT_PTR CALLBACK AboutDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
