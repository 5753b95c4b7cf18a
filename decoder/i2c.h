// The bit-banged I2C bus master. Line states are written (SDA, SCL), with 1 a
// released line and 0 one pulled low.
#pragma once

#include <windows.h>

enum {
    I2C_SDA = 0x10,   // line bits for I2C_SetLines
    I2C_SCL = 0x20,
    I2C_LINE_SCL = 0x01,   // bits of what I2C_GetLines returns
    I2C_LINE_SDA = 0x02,
};

enum {
    I2C_ADDR_DECODER = 0x48,
    I2C_ADDR_DECODER_READ = 0x49,
    I2C_ADDR_AUDIO = 0x82,
    I2C_ADDR_TUNER = 0xC0,
    I2C_ADDR_TUNER_READ = 0xC1,
};

// Line helpers
void I2C_SetLines(BYTE bLines);
BYTE I2C_GetLines(void);
void I2C_WaitClock(void);
void I2C_WaitData(void);

// Bus conditions and bytes
void I2C_Start(void);
void I2C_Stop(void);
void I2C_WriteByte(BYTE b);
void I2C_WaitAck(void);
BYTE I2C_ReadByte(void);

// Transactions
void I2C_WriteReg(BYTE bAddress, BYTE bSubaddress, BYTE bValue);
BYTE I2C_ReadReg(BYTE bAddress, BYTE bSubaddress);
int I2C_ProbeDevice(BYTE bAddress);

// One whole transaction on the lines, from its START to its STOP. A time-out
// box shown in the middle of a transaction runs a message loop, which can
// bring another request for the bus before the first one has finished: such
// a request is held and carried out right after the transaction on the
// lines, never inside it. A held request for the same device, subaddress and
// routine as one already waiting replaces it (the newer value wins).
typedef void (*I2cTransaction)(BYTE a, BYTE b, BYTE c);
void I2C_Transact(I2cTransaction pfnTransaction, BYTE a, BYTE b, BYTE c);
int I2C_BusBusy(void);
