// The modeless Video Source dialog: connector, standard and the picture's
// brightness, contrast, saturation and hue, applied to the decoder at once.
#pragma once

#include <windows.h>

// The committed colour settings, 0 to 255 each: what OK last kept, and what
// Cancel puts back. Never saved.
extern int nBrightness;
extern int nContrast;
extern int nSaturation;
extern int nHue;

// Puts the committed colour settings back to their values at process start.
void ResetVideoSourceSettings(void);

void ShowVideoSourceDialog(void);
INT_PTR CALLBACK VideoSourceDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
