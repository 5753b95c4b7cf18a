// Live video: started once the main window exists, kept over the window by
// timer 1, rebuilt quietly when DirectDraw took the surfaces away.
#pragma once

#include <windows.h>

extern int bRestartPending;     // the pipeline must be built again
extern RECT rcLastDest;         // where the last tick placed the overlay
extern int nLastClipState;      // and whether keyed; -1: place at the next tick

void StartLiveVideo(HWND hwnd);
void OnVideoTimer(void);
