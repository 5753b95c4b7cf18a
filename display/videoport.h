// The video port and the overlay surface it writes into.
#pragma once

#include "display/ddraw5.h"

// The constant settings of the card's video port.
typedef struct VideoPortSettingsRecord {
    DWORD dwFieldWidth;              // pixels per line
    DWORD dwFieldHeight;             // lines per field
    DWORD dwMicrosecondsPerField;
    DWORD dwMaxPixelsPerSecond;
    DWORD dwPortWidth;               // bits
    GUID guidPortType;
    DWORD dwFormatOptions;
    DWORD dwPortFourCC;
} VideoPortSettingsRecord;

enum {
    FORMAT_INTERLEAVE = 0x01,   // two fields high when the port can interleave
    FORMAT_FOURCC = 0x20,       // ask for dwPortFourCC
};

extern VideoPortSettingsRecord VideoPortSettings;
extern DDPIXELFORMAT ddpfPortInput;
extern DDPIXELFORMAT ddpfPortOutput;
extern int bKeyAlways;              // every overlay update uses the colour key
extern int bVideoStarting;          // the first placement of a new port starts it
extern int bSurfaceCreateFailed;    // set by a failed surface creation, never cleared

void InitVideoPortSettings(void);
int OpenVideoPort(void);
int ChoosePortOutputFormat(void);
int CreateDisplaySurfaces(void);
void SetPrimaryColorKey(void);
int StartVideoPort(HWND hwnd);
