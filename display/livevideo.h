// Live video: started once the main window exists, kept over the window by
// timer 1, rebuilt quietly when DirectDraw took the surfaces away.
#pragma once

#include <windows.h>

void StartLiveVideo(HWND hwnd);
void OnVideoTimer(void);
