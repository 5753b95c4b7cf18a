// The "Set Capture File" dialog: where single frames go, the BMP name and
// its numbering, the AVI file of frame-by-frame and timed captures.
#pragma once

#include <windows.h>

// Runs the dialog modally over hwndMain.
void ShowSetCaptureFileDialog(void);
INT_PTR CALLBACK SetCaptureFileDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

// The save-file dialog for the working BMP or AVI name; the working name
// changes only when a name with the right extension is picked.
void BrowseBmpFileName(HWND hwndOwner);
void BrowseAviFileName(HWND hwndOwner);

extern char szBmpWork[], szAviWork[];
