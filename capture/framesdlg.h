// Frames: the "Capture Frames" dialog, which appends one grabbed frame to
// c:\temp.avi at each press of Capture and converts them at Done, timed at
// 30 frames a second.
#pragma once

#include <windows.h>

// Runs the dialog modally over hwndMain.
void ShowCaptureFramesDialog(void);
INT_PTR CALLBACK CaptureFramesDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
