// The SAA7111A video decoder: what is written to it, and source detection.
#pragma once

#include <windows.h>

enum { VIDEO_STANDARD_COUNT = 7 };

void SAA7111A_Init(void);
void SAA7111A_Shutdown(void);
void SAA7111A_SetBrightness(BYTE b);
void SAA7111A_SetContrast(BYTE b);
void SAA7111A_SetSaturation(BYTE b);
void SAA7111A_SetHue(BYTE b);
void SAA7111A_SelectComposite(void);
void SAA7111A_SelectSVideo(void);
void SAA7111A_SetStandard(int nIndex);
int SAA7111A_AutoDetect(void);

// The list text of standard nIndex (0 to 6).
const char *SAA7111A_StandardName(int nIndex);
