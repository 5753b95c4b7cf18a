#include "tuner/channels.h"

#include "common/state.h"
#include "tuner/osd.h"
#include "tuner/tuner.h"

int nDigitCount;
int nPendingChannel;
int bEntryTimerArmed;

void ResetChannelEntry(void)
{
    nDigitCount = 0;
    nPendingChannel = 0;
    bEntryTimerArmed = 0;
}

static int TunerSelected(void)
{
    return nVideoConnector == CONNECTOR_TUNER;
}

// Stepping leaves an entry in progress alone: it still completes afterwards.
void StepChannel(HWND hwnd, int nDirection)
{
    if (!TunerSelected())
        return;
    int nFound = FindValidChannel(nCurrentChannel, nDirection, 1);
    if (nFound >= 0)
        nCurrentChannel = nFound;
    Tuner_Retune(nCurrentChannel);      // the same channel again when none other is valid
    ShowChannelNumber(hwnd, nCurrentChannel);
}

// ---- entry ----

static void ArmEntryTimer(HWND hwnd)
{
    bEntryTimerArmed = 1;
    SetTimer(hwnd, CHANNEL_ENTRY_TIMER, CHANNEL_ENTRY_MS, NULL);
}

static void DisarmEntryTimer(HWND hwnd)
{
    if (!bEntryTimerArmed)
        return;
    bEntryTimerArmed = 0;
    KillTimer(hwnd, CHANNEL_ENTRY_TIMER);
}

// The entry is over before the tuner is reached, so that a message box on
// the way cannot see it half finished.
static void TakeChannel(int nChannel)
{
    nDigitCount = 0;
    Tuner_SelectChannel(nChannel);
}

static void FirstDigit(HWND hwnd, int nDigit)
{
    if (nDigit == 0)
        return;                         // no channel number starts with 0
    nPendingChannel = nDigit;
    nDigitCount = 1;
    ShowChannelNumber(hwnd, nDigit);
    ArmEntryTimer(hwnd);
}

// 1 then 0 may still become 100; every other pair is complete.
static void SecondDigit(HWND hwnd, int nDigit)
{
    if (nDigit == 0 && nPendingChannel == 1) {
        nPendingChannel = 10;
        ShowChannelNumber(hwnd, nPendingChannel);
        nDigitCount = 2;
        if (!bEntryTimerArmed)
            ArmEntryTimer(hwnd);        // a running timer keeps counting from the 1
        return;
    }
    DisarmEntryTimer(hwnd);
    nPendingChannel = nPendingChannel * 10 + nDigit;
    ShowChannelNumber(hwnd, nPendingChannel);
    TakeChannel(nPendingChannel);
}

static void ThirdDigit(HWND hwnd, int nDigit)
{
    if (nDigit != 0)
        return;                         // only 100 has three digits
    DisarmEntryTimer(hwnd);
    nPendingChannel = CHANNEL_LAST;
    ShowChannelNumber(hwnd, nPendingChannel);
    TakeChannel(nPendingChannel);
}

void EnterChannelDigit(HWND hwnd, int nDigit)
{
    if (!TunerSelected())
        return;
    switch (nDigitCount) {
    case 0:
        FirstDigit(hwnd, nDigit);
        break;
    case 1:
        SecondDigit(hwnd, nDigit);
        break;
    case 2:
        ThirdDigit(hwnd, nDigit);
        break;
    }
}

static void TakePendingChannel(HWND hwnd)
{
    if (!bEntryTimerArmed)
        return;                         // no entry was started
    DisarmEntryTimer(hwnd);
    TakeChannel(nPendingChannel);
}

void EndChannelEntry(HWND hwnd)
{
    TakePendingChannel(hwnd);
}

void OnChannelEntryTimer(HWND hwnd)
{
    KillTimer(hwnd, CHANNEL_ENTRY_TIMER);   // a one-shot, whatever state it finds
    TakePendingChannel(hwnd);
}
