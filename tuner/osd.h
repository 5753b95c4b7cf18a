// The channel number drawn in large green digits over the live video, in the
// upper right of the main window, wiped two seconds after the last change.
#pragma once

#include <windows.h>

enum {
    CHANNEL_NUMBER_TIMER = 3,
    CHANNEL_NUMBER_MS = 2000,
};

// The number the last ShowChannelNumber drew (-1: none yet).
extern int nLastChannelShown;

void ShowChannelNumber(HWND hwnd, int nNumber);
// Timer 3: the number's two seconds are over.
void OnChannelNumberTimer(HWND hwnd);

// A font of the given height in tenths of a point on the context's device;
// the caller selects it, uses it and deletes it.
HFONT CreateScaledFont(HDC hdc, const char *lpFaceName, int nTenthsOfPoint);

// The rectangle the number is right-aligned in, for a video image of the
// given size, in client coordinates.
RECT ChannelNumberRect(DWORD dwWidth, DWORD dwHeight);
