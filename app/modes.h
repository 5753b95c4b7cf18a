// The two working modes, full screen, the frame-less window and its drag.
#pragma once

#include <windows.h>

extern const char szCaptureCaption[];   // "Zentrik Vidmora   (Capture mode)"

void SetLiveVideoMode(HWND hwnd);
void SetCaptureMode(HWND hwnd);
void EnterFullScreen(HWND hwnd);
void LeaveFullScreen(HWND hwnd);
void ToggleWindowFrame(HWND hwnd);

// The mouse messages of the main window (lParam: client coordinates).
void OnLButtonDown(HWND hwnd, LPARAM lParam);
void OnMouseMove(HWND hwnd, LPARAM lParam);
void OnLButtonUp(HWND hwnd);
