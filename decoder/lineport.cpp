#include "decoder/lineport.h"

#include "decoder/portio.h"

enum {
    PORT_SEQ_INDEX = 0x3C4,
    PORT_SEQ_DATA = 0x3C5,
    PORT_CRTC_INDEX = 0x3D4,
    PORT_CRTC_DATA = 0x3D5,
    PORT_DELAY = 0x80,
    SEQ_EXTENDED_LOCK = 0x06,
    EXTENDED_UNLOCK = 0x57,
};

// Every access unlocks the extended registers and selects the index afresh.
static void SelectExtendedReg(BYTE bIndex)
{
    out8(PORT_SEQ_INDEX, SEQ_EXTENDED_LOCK);
    out8(PORT_SEQ_DATA, EXTENDED_UNLOCK);
    out8(PORT_CRTC_INDEX, bIndex);
}

void CRTC_WriteReg(BYTE bIndex, BYTE bValue)
{
    SelectExtendedReg(bIndex);
    out8(PORT_CRTC_DATA, bValue);
}

BYTE CRTC_ReadReg(BYTE bIndex)
{
    SelectExtendedReg(bIndex);
    return in8(PORT_CRTC_DATA);
}

// Lets the lines settle after a write of the output register.
void I2C_Delay(void)
{
    for (int i = 0; i < 32; i++)
        in8(PORT_DELAY);
}
