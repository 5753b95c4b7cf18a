// Channel changes from the numeric keypad: stepping to the next or previous
// channel that carries a signal, and a channel number typed in one, two or
// three digits, taken when complete, at Enter, or 800 ms after the first.
#pragma once

#include <windows.h>

enum {
    CHANNEL_ENTRY_TIMER = 2,
    CHANNEL_ENTRY_MS = 800,
};

extern int nDigitCount;         // 0 idle, 1 one digit typed, 2 "10" typed
extern int nPendingChannel;     // the number typed so far
extern int bEntryTimerArmed;    // timer 2 runs for the entry

void ResetChannelEntry(void);

// nDirection +1: the next valid channel; -1: the previous one.
void StepChannel(HWND hwnd, int nDirection);
void EnterChannelDigit(HWND hwnd, int nDigit);
// Enter: takes the number typed so far.
void EndChannelEntry(HWND hwnd);
// Timer 2: the time for typing is over.
void OnChannelEntryTimer(HWND hwnd);
