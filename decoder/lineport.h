// The two bus lines on the graphics chip's extended CRTC registers.
#pragma once

#include <windows.h>

enum {
    CRTC_I2C_OUTPUT = 0x3F,   // write: bit 4 SDA, bit 5 SCL, bit 0 always 1
    CRTC_I2C_INPUT = 0x3E,    // read: bit 2 SCL, bit 3 SDA
};

void CRTC_WriteReg(BYTE bIndex, BYTE bValue);
BYTE CRTC_ReadReg(BYTE bIndex);
void I2C_Delay(void);
