#include "decoder/saa7111a.h"

#include "common/state.h"
#include "decoder/i2c.h"

enum {
    REG_INPUT = 0x02,
    REG_FIELD_RATE = 0x08,
    REG_LUMA = 0x09,
    REG_BRIGHTNESS = 0x0A,
    REG_CONTRAST = 0x0B,
    REG_SATURATION = 0x0C,
    REG_HUE = 0x0D,
    REG_CHROMA = 0x0E,
    REG_OUTPUT_CONTROL = 0x11,
    REG_STATUS = 0x1F,

    INPUT_COMPOSITE = 0xD3,
    INPUT_SVIDEO = 0xD4,
    OUTPUT_OFF = 0x84,

    STATUS_LOCKED = 0x01,
    STATUS_60HZ = 0x20,
};

typedef struct RegisterWrite {
    BYTE bSubaddress, bValue;
} RegisterWrite;

static const RegisterWrite initialTable[] = {
    { 0x01, 0x00 }, { 0x02, 0xD3 }, { 0x03, 0x23 }, { 0x04, 0x00 },
    { 0x05, 0x00 }, { 0x08, 0x48 }, { 0x09, 0x10 }, { 0x0A, 0x80 },
    { 0x0B, 0x47 }, { 0x0C, 0x40 }, { 0x0D, 0x00 }, { 0x0E, 0x01 },
    { 0x0F, 0x00 }, { 0x10, 0xC8 }, { 0x11, 0x0C }, { 0x12, 0x80 },
};

typedef struct VideoStandard {
    const char *lpName;
    BYTE bFieldRate, bLuma, bChroma;    // registers 0x08, 0x09, 0x0E
} VideoStandard;

static const VideoStandard standards[VIDEO_STANDARD_COUNT] = {
    { "NTSC - M", 0x48, 0x10, 0x01 },
    { "NTSC - N", 0x88, 0x10, 0x31 },
    { "NTSC - 4.43", 0x88, 0x10, 0x21 },
    { "PAL - BGHI", 0x08, 0x00, 0x01 },
    { "PAL - M", 0x88, 0x00, 0x31 },
    { "PAL - N", 0x88, 0x00, 0x21 },
    { "PAL - 4.43", 0x48, 0x00, 0x11 },
};

static void WriteDecoder(BYTE bSubaddress, BYTE bValue)
{
    I2C_WriteReg(I2C_ADDR_DECODER, bSubaddress, bValue);
}

void SAA7111A_Init(void)
{
    for (const RegisterWrite &write : initialTable)
        WriteDecoder(write.bSubaddress, write.bValue);
}

void SAA7111A_Shutdown(void)
{
    WriteDecoder(REG_OUTPUT_CONTROL, OUTPUT_OFF);
}

void SAA7111A_SetBrightness(BYTE b)
{
    WriteDecoder(REG_BRIGHTNESS, b);
}

void SAA7111A_SetContrast(BYTE b)
{
    WriteDecoder(REG_CONTRAST, b);
}

void SAA7111A_SetSaturation(BYTE b)
{
    WriteDecoder(REG_SATURATION, b);
}

void SAA7111A_SetHue(BYTE b)
{
    WriteDecoder(REG_HUE, b);
}

void SAA7111A_SelectComposite(void)
{
    WriteDecoder(REG_INPUT, INPUT_COMPOSITE);
}

void SAA7111A_SelectSVideo(void)
{
    WriteDecoder(REG_INPUT, INPUT_SVIDEO);
}

void SAA7111A_SetStandard(int nIndex)
{
    if (nIndex < 0 || nIndex >= VIDEO_STANDARD_COUNT)
        return;
    const VideoStandard *lpStandard = &standards[nIndex];
    WriteDecoder(REG_FIELD_RATE, lpStandard->bFieldRate);
    WriteDecoder(REG_LUMA, lpStandard->bLuma);
    WriteDecoder(REG_CHROMA, lpStandard->bChroma);
}

const char *SAA7111A_StandardName(int nIndex)
{
    return standards[nIndex].lpName;
}

// ---- source detection ----

typedef struct DetectionStep {
    int nStandard;
    int nConnector;
    int nStatusReads;
    BYTE bWantRate;     // the 60 Hz status bit the step accepts
} DetectionStep;

static const DetectionStep detectionSteps[] = {
    { 0, CONNECTOR_COMPOSITE, 5, STATUS_60HZ },
    { 0, CONNECTOR_SVIDEO, 5, STATUS_60HZ },
    { 3, CONNECTOR_COMPOSITE, 1, 0 },
    { 3, CONNECTOR_SVIDEO, 1, 0 },
    { 6, CONNECTOR_COMPOSITE, 1, STATUS_60HZ },
    { 6, CONNECTOR_SVIDEO, 1, STATUS_60HZ },
};

static int StepFindsSignal(const DetectionStep *lpStep)
{
    SAA7111A_SetStandard(lpStep->nStandard);
    if (lpStep->nConnector == CONNECTOR_COMPOSITE)
        SAA7111A_SelectComposite();
    else
        SAA7111A_SelectSVideo();
    for (int i = 0; i < lpStep->nStatusReads; i++) {
        BYTE bStatus = I2C_ReadReg(I2C_ADDR_DECODER, REG_STATUS);
        if ((bStatus & STATUS_LOCKED) && (bStatus & STATUS_60HZ) == lpStep->bWantRate)
            return 1;
    }
    return 0;
}

int SAA7111A_AutoDetect(void)
{
    for (const DetectionStep &step : detectionSteps) {
        if (StepFindsSignal(&step)) {
            nVideoStandard = step.nStandard;
            nVideoConnector = step.nConnector;
            return 1;
        }
    }
    SAA7111A_Init();
    nVideoStandard = 0;
    nVideoConnector = CONNECTOR_COMPOSITE;
    return 0;
}
