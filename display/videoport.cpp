#include "display/videoport.h"

VideoPortSettingsRecord VideoPortSettings;

void InitVideoPortSettings(void)
{
    VideoPortSettings.dwFieldWidth = 720;
    VideoPortSettings.dwFieldHeight = 251;
    VideoPortSettings.dwMicrosecondsPerField = 1;
    VideoPortSettings.dwMaxPixelsPerSecond = 1;
    VideoPortSettings.dwPortWidth = 8;
    VideoPortSettings.guidPortType = DDVPTYPE_CCIR656;
    VideoPortSettings.dwFormatOptions = FORMAT_INTERLEAVE | FORMAT_FOURCC;
    VideoPortSettings.dwPortFourCC = MAKEFOURCC('U', 'Y', 'V', 'Y');
}
