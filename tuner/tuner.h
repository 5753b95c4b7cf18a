// The tuner's frequency synthesizer and the audio device that silences its
// sound, the fixed cable-channel table, which channels carry a signal, and
// the current channel: tune, mute, scan and select.
#pragma once

#include <windows.h>

enum {
    CHANNEL_COUNT = 101,        // channel numbers 0 to 100
    CHANNEL_LAST = 100,
    TUNER_SCAN_PAUSE_MS = 400,  // between a tune and the status read that judges it
};

extern const DWORD dwChannelTable[CHANNEL_COUNT];
extern int bChannelValid[CHANNEL_COUNT];
extern int nCurrentChannel;

// Puts the channel flags and the current channel back to their start values.
void Tuner_ResetState(void);

// Each is one transaction on the bus. A channel outside 0 to 100 is not sent.
void Tuner_Tune(int nChannel);
void Audio_Mute(void);
void Audio_Unmute(void);
// 1 when the low three bits of a status byte say a station is received.
int Tuner_StatusHasSignal(BYTE bStatus);

// Audio_Mute, Tuner_Tune and Audio_Unmute as one transaction, so that the
// retune stays bracketed even when it has to wait for the bus.
void Tuner_Retune(int nChannel);

void Tuner_ScanChannels(void);
void Tuner_SelectChannel(int nChannel);

// The first valid channel among (nFrom + k * nDirection) modulo 101 for k
// from kFirst to 100 in that order; -1 when none is.
int FindValidChannel(int nFrom, int nDirection, int kFirst);
