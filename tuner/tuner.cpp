#include "tuner/tuner.h"

#include "common/state.h"
#include "decoder/i2c.h"
#include "decoder/portio.h"
#include "tuner/osd.h"

enum {
    AUDIO_REG_MUTE = 0x08,
    AUDIO_MUTED = 0xEF,         // bit 5 of 0x08 set
    AUDIO_UNMUTED = 0xCF,
    STATUS_AFC_BITS = 0x07,
};

// The synthesizer word of each cable channel, sent from the most significant
// byte down: divider high, divider low (16 x (picture carrier + 45.75 MHz),
// steps of 62.5 kHz), control 0x8E, band 0xA0 up to 157.25 MHz, 0x90 up to
// 451.25 MHz, 0x30 above. Channel 0 is no channel.
const DWORD dwChannelTable[CHANNEL_COUNT] = {
    0x00000000, 0x07708EA0, 0x06508EA0, 0x06B08EA0, 0x07108EA0, 0x07B08EA0,   // 0
    0x08108EA0, 0x0DD08E90, 0x0E308E90, 0x0E908E90, 0x0EF08E90, 0x0F508E90,   // 6
    0x0FB08E90, 0x10108E90, 0x0A708EA0, 0x0AD08EA0, 0x0B308EA0, 0x0B908EA0,   // 12
    0x0BF08EA0, 0x0C508EA0, 0x0CB08EA0, 0x0D108E90, 0x0D708E90, 0x10708E90,   // 18
    0x10D08E90, 0x11308E90, 0x11908E90, 0x11F08E90, 0x12508E90, 0x12B08E90,   // 24
    0x13108E90, 0x13708E90, 0x13D08E90, 0x14308E90, 0x14908E90, 0x14F08E90,   // 30
    0x15508E90, 0x15B08E90, 0x16108E90, 0x16708E90, 0x16D08E90, 0x17308E90,   // 36
    0x17908E90, 0x17F08E90, 0x18508E90, 0x18B08E90, 0x19108E90, 0x19708E90,   // 42
    0x19D08E90, 0x1A308E90, 0x1A908E90, 0x1AF08E90, 0x1B508E90, 0x1BB08E90,   // 48
    0x1C108E90, 0x1C708E90, 0x1CD08E90, 0x1D308E90, 0x1D908E90, 0x1DF08E90,   // 54
    0x1E508E90, 0x1EB08E90, 0x1F108E90, 0x1F708E30, 0x1FD08E30, 0x20308E30,   // 60
    0x20908E30, 0x20F08E30, 0x21508E30, 0x21B08E30, 0x22108E30, 0x22708E30,   // 66
    0x22D08E30, 0x23308E30, 0x23908E30, 0x23F08E30, 0x24508E30, 0x24B08E30,   // 72
    0x25108E30, 0x25708E30, 0x25D08E30, 0x26308E30, 0x26908E30, 0x26F08E30,   // 78
    0x27508E30, 0x27B08E30, 0x28108E30, 0x28708E30, 0x28D08E30, 0x29308E30,   // 84
    0x29908E30, 0x29F08E30, 0x2A508E30, 0x2AB08E30, 0x2B108E30, 0x08908EA0,   // 90
    0x08F08EA0, 0x09508EA0, 0x09B08EA0, 0x0A108EA0, 0x2B708E30,               // 96
};

int bChannelValid[CHANNEL_COUNT];
int nCurrentChannel;

void Tuner_ResetState(void)
{
    bChannelValid[0] = 0;
    for (int i = 1; i <= CHANNEL_LAST; i++)
        bChannelValid[i] = 1;       // every channel counts until a scan has run
    nCurrentChannel = 1;
}

// The flags hold their start values before WinMain runs.
[[maybe_unused]] static const int bStateReady = (Tuner_ResetState(), 1);

static int IsChannel(int nChannel)
{
    return nChannel >= 0 && nChannel <= CHANNEL_LAST;
}

// ---- sequences on the lines (called with the bus taken) ----

static void SendByte(BYTE b)
{
    I2C_WriteByte(b);
    I2C_WaitAck();
}

static void TuneOnLines(int nChannel)
{
    DWORD dwWord = dwChannelTable[nChannel];
    I2C_Start();
    SendByte(I2C_ADDR_TUNER);
    for (int nShift = 24; nShift >= 0; nShift -= 8)
        SendByte((BYTE)(dwWord >> nShift));
    I2C_Stop();
}

static void MuteOnLines(void)
{
    I2C_Start();
    SendByte(I2C_ADDR_AUDIO);
    SendByte(AUDIO_REG_MUTE);
    SendByte(AUDIO_MUTED);
    I2C_Stop();
}

typedef struct AudioWrite {
    BYTE bSubaddress, bValue;
} AudioWrite;

static const AudioWrite unmuteWrites[] = {
    { 0x00, 0xFC }, { 0x01, 0xFC }, { 0x02, 0xF6 }, { 0x03, 0xF6 }, { AUDIO_REG_MUTE, AUDIO_UNMUTED },
};

// Five writes, the second to the fifth opened by a repeated START.
static void UnmuteOnLines(void)
{
    for (const AudioWrite &write : unmuteWrites) {
        I2C_Start();
        SendByte(I2C_ADDR_AUDIO);
        SendByte(write.bSubaddress);
        SendByte(write.bValue);
    }
    I2C_Stop();
}

static BYTE StatusOnLines(void)
{
    I2C_Start();
    SendByte(I2C_ADDR_TUNER_READ);
    BYTE bStatus = I2C_ReadByte();
    I2C_Stop();
    return bStatus;
}

// ---- transactions: every bus sequence is carried out whole ----
// A request that has to wait for the bus replaces a waiting one of the same
// routine, device and subaddress: mute and unmute share one routine, so the
// newest sound state wins, and a newer retune replaces a waiting one.

static void TuneTransaction(BYTE, BYTE, BYTE bChannel)
{
    TuneOnLines(bChannel);
}

static void AudioTransaction(BYTE, BYTE, BYTE bMute)
{
    if (bMute)
        MuteOnLines();
    else
        UnmuteOnLines();
}

static void RetuneTransaction(BYTE, BYTE, BYTE bChannel)
{
    MuteOnLines();
    TuneOnLines(bChannel);
    UnmuteOnLines();
}

void Tuner_Tune(int nChannel)
{
    if (IsChannel(nChannel))
        I2C_Transact(TuneTransaction, I2C_ADDR_TUNER, 0, (BYTE)nChannel);
}

void Audio_Mute(void)
{
    I2C_Transact(AudioTransaction, I2C_ADDR_AUDIO, AUDIO_REG_MUTE, 1);
}

void Audio_Unmute(void)
{
    I2C_Transact(AudioTransaction, I2C_ADDR_AUDIO, AUDIO_REG_MUTE, 0);
}

void Tuner_Retune(int nChannel)
{
    if (IsChannel(nChannel))
        I2C_Transact(RetuneTransaction, I2C_ADDR_TUNER, 0, (BYTE)nChannel);
}

int Tuner_StatusHasSignal(BYTE bStatus)
{
    BYTE bAfc = bStatus & STATUS_AFC_BITS;
    return bAfc >= 1 && bAfc <= 3;
}

// ---- the scan ----

// Tunes every channel in turn and keeps which ones carry a signal; the
// lowest of them becomes the current channel (0 when none does). The whole
// scan is one transaction: the sound stays muted from its start to its end.
static void ScanTransaction(BYTE, BYTE, BYTE)
{
    MuteOnLines();
    nCurrentChannel = 0;
    for (int i = 1; i <= CHANNEL_LAST; i++) {
        ShowChannelNumber(hwndMain, i);
        TuneOnLines(i);
        CardSleep(TUNER_SCAN_PAUSE_MS);
        bChannelValid[i] = Tuner_StatusHasSignal(StatusOnLines());
        if (bChannelValid[i] && nCurrentChannel == 0)
            nCurrentChannel = i;
    }
    ShowChannelNumber(hwndMain, nCurrentChannel);
    TuneOnLines(nCurrentChannel);
    UnmuteOnLines();
}

void Tuner_ScanChannels(void)
{
    I2C_Transact(ScanTransaction, I2C_ADDR_TUNER, 1, 0);
}

// ---- selection ----

int FindValidChannel(int nFrom, int nDirection, int kFirst)
{
    for (int k = kFirst; k <= CHANNEL_LAST; k++) {
        int nChannel = ((nFrom + k * nDirection) % CHANNEL_COUNT + CHANNEL_COUNT) % CHANNEL_COUNT;
        if (bChannelValid[nChannel])
            return nChannel;
    }
    return -1;
}

// The tuner goes to the number asked for, valid or not; the current channel,
// where the next step starts, is the nearest valid one at or below it.
void Tuner_SelectChannel(int nChannel)
{
    if (!IsChannel(nChannel))
        return;
    int nFound = FindValidChannel(nChannel, -1, 0);
    if (nFound >= 0)
        nCurrentChannel = nFound;
    Tuner_Retune(nChannel);
    ShowChannelNumber(hwndMain, nChannel);
}
