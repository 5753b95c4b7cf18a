#include "decoder/i2c.h"

#include "common/msgbox.h"
#include "decoder/lineport.h"
#include "decoder/portio.h"

enum {
    WAIT_READS = 64,      // bound of the waits that report a time-out
    PROBE_READS = 128,    // bound of the silent presence test's waits
    READ_ACK_PAUSE_MS = 100,
};

static void ShowTimeOut(const char *lpOperation)
{
    ShowMessage(NULL, "Time Out !!", lpOperation, MB_OK);
}

// ---- line helpers ----

void I2C_SetLines(BYTE bLines)
{
    CRTC_WriteReg(CRTC_I2C_OUTPUT, bLines + 1);
    I2C_Delay();
}

BYTE I2C_GetLines(void)
{
    return (BYTE)(CRTC_ReadReg(CRTC_I2C_INPUT) >> 2);
}

// Reads the lines until the given one is high, at most nReads times.
static int LineGoesHigh(BYTE bLine, int nReads)
{
    while (nReads-- > 0)
        if (I2C_GetLines() & bLine)
            return 1;
    return 0;
}

void I2C_WaitClock(void)
{
    if (!LineGoesHigh(I2C_LINE_SCL, WAIT_READS))
        ShowTimeOut("I2C_WaitClock");
}

void I2C_WaitData(void)
{
    if (!LineGoesHigh(I2C_LINE_SDA, WAIT_READS))
        ShowTimeOut("I2C_WaitData");
}

// ---- bus conditions and bytes ----

void I2C_Start(void)
{
    I2C_SetLines(I2C_SDA | I2C_SCL);
    I2C_WaitClock();
    I2C_SetLines(I2C_SCL);              // SDA falls while SCL is high
}

void I2C_Stop(void)
{
    I2C_SetLines(I2C_SCL);              // from (x, 0) straight to (0, 1)
    I2C_WaitClock();
    I2C_SetLines(I2C_SDA | I2C_SCL);    // SDA rises while SCL is high
    I2C_WaitData();
}

void I2C_WriteByte(BYTE b)
{
    for (int nBit = 7; nBit >= 0; nBit--) {
        BYTE bData = (b >> nBit) & 1 ? I2C_SDA : 0;
        I2C_SetLines(bData);
        I2C_SetLines(bData | I2C_SCL);
        I2C_WaitClock();
        I2C_SetLines(bData);
    }
    // assert: lines at (last bit, 0)
}

void I2C_WaitAck(void)
{
    I2C_SetLines(I2C_SDA);
    I2C_SetLines(I2C_SDA | I2C_SCL);
    I2C_WaitClock();
    int nCount = WAIT_READS;
    while (--nCount > 0)
        if (!(I2C_GetLines() & I2C_LINE_SDA))
            break;                      // the slave pulls SDA low
    if (nCount == 0)
        ShowTimeOut("I2C_WaitAck");
    I2C_SetLines(I2C_SDA);
}

BYTE I2C_ReadByte(void)
{
    BYTE bResult = 0;
    for (int i = 0; i < 8; i++) {
        I2C_SetLines(I2C_SDA);
        I2C_SetLines(I2C_SDA | I2C_SCL);
        I2C_WaitClock();
        bResult = (BYTE)(bResult << 1);
        if (I2C_GetLines() & I2C_LINE_SDA)
            bResult |= 1;
        I2C_SetLines(I2C_SDA);
    }
    // no acknowledge of our own: the caller's I2C_Stop clocks it with SDA low
    return bResult;
}

// ---- transactions ----

enum { MAX_HELD = 64 };

typedef struct HeldTransaction {
    I2cTransaction pfnTransaction;
    BYTE a, b, c;
} HeldTransaction;

static int bBusBusy;
static HeldTransaction heldTransactions[MAX_HELD];
static int nHeld;

static void HoldTransaction(I2cTransaction pfnTransaction, BYTE a, BYTE b, BYTE c)
{
    for (int i = 0; i < nHeld; i++) {
        HeldTransaction *lpHeld = &heldTransactions[i];
        if (lpHeld->pfnTransaction == pfnTransaction && lpHeld->a == a && lpHeld->b == b) {
            lpHeld->c = c;
            return;
        }
    }
    if (nHeld < MAX_HELD)
        heldTransactions[nHeld++] = HeldTransaction{ pfnTransaction, a, b, c };
}

static HeldTransaction TakeHeldTransaction(void)
{
    HeldTransaction first = heldTransactions[0];
    nHeld--;
    for (int i = 0; i < nHeld; i++)
        heldTransactions[i] = heldTransactions[i + 1];
    return first;
}

// Takes the bus for one transaction; 0 when another one is on the lines.
static int TakeBus(void)
{
    if (bBusBusy)
        return 0;
    bBusBusy = 1;
    return 1;
}

// Gives the bus back, after carrying out what was held meanwhile.
static void GiveBackBus(void)
{
    while (nHeld > 0) {
        HeldTransaction next = TakeHeldTransaction();
        next.pfnTransaction(next.a, next.b, next.c);
    }
    bBusBusy = 0;
}

void I2C_Transact(I2cTransaction pfnTransaction, BYTE a, BYTE b, BYTE c)
{
    if (!TakeBus()) {
        HoldTransaction(pfnTransaction, a, b, c);
        return;
    }
    pfnTransaction(a, b, c);
    GiveBackBus();
}

int I2C_BusBusy(void)
{
    return bBusBusy;
}

static void WriteRegOnLines(BYTE bAddress, BYTE bSubaddress, BYTE bValue)
{
    I2C_Start();
    I2C_WriteByte(bAddress);
    I2C_WaitAck();
    I2C_WriteByte(bSubaddress);
    I2C_WaitAck();
    I2C_WriteByte(bValue);
    I2C_WaitAck();
    I2C_Stop();
}

void I2C_WriteReg(BYTE bAddress, BYTE bSubaddress, BYTE bValue)
{
    I2C_Transact(WriteRegOnLines, bAddress, bSubaddress, bValue);
}

BYTE I2C_ReadReg(BYTE bAddress, BYTE bSubaddress)
{
    if (!TakeBus())
        return 0xFF;                    // a read cannot wait: refused, lines untouched
    I2C_Start();
    I2C_WriteByte(bAddress);
    I2C_WaitAck();
    I2C_WriteByte(bSubaddress);
    I2C_WaitAck();
    I2C_Start();                        // repeated START
    I2C_WriteByte(I2C_ADDR_DECODER_READ);
    CardSleep(READ_ACK_PAUSE_MS);       // lines at (1, 0)
    I2C_WaitAck();
    BYTE bValue = I2C_ReadByte();
    I2C_Stop();
    GiveBackBus();
    return bValue;
}

// ---- the silent presence test ----

// Reads until the line is high, counting down a budget that may be shared.
static int ProbeLineHigh(BYTE bLine, int *lpBudget)
{
    while (*lpBudget > 0) {
        --*lpBudget;
        if (I2C_GetLines() & bLine)
            return 1;
    }
    return 0;
}

static int ProbeClockHigh(void)
{
    int nBudget = PROBE_READS;
    return ProbeLineHigh(I2C_LINE_SCL, &nBudget);
}

static int ProbeAck(void)
{
    int nCount = PROBE_READS;
    while (--nCount > 0)
        if (!(I2C_GetLines() & I2C_LINE_SDA))
            return 1;
    return 0;
}

static int ProbeOnLines(BYTE bAddress)
{
    I2C_SetLines(I2C_SDA | I2C_SCL);
    if (!ProbeClockHigh())
        return 0;
    I2C_SetLines(I2C_SCL);                          // START
    for (int nBit = 7; nBit >= 0; nBit--) {
        BYTE bData = (bAddress >> nBit) & 1 ? I2C_SDA : 0;
        I2C_SetLines(bData);
        I2C_SetLines(bData | I2C_SCL);
        if (!ProbeClockHigh())
            return 0;
        I2C_SetLines(bData);
    }
    I2C_SetLines(I2C_SDA);
    I2C_SetLines(I2C_SDA | I2C_SCL);
    if (!ProbeClockHigh() || !ProbeAck())
        return 0;
    I2C_SetLines(I2C_SDA);
    I2C_SetLines(I2C_SCL);
    int nBudget = PROBE_READS;                      // shared by the last two waits
    if (!ProbeLineHigh(I2C_LINE_SCL, &nBudget))
        return 0;
    I2C_SetLines(I2C_SDA | I2C_SCL);                // STOP
    return ProbeLineHigh(I2C_LINE_SDA, &nBudget);
}

int I2C_ProbeDevice(BYTE bAddress)
{
    if (!TakeBus())
        return 0;
    int bAnswered = ProbeOnLines(bAddress);
    GiveBackBus();
    return bAnswered;
}
