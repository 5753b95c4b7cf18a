// What the two AVI captures share: the temporary file they append raw
// frames to, and its conversion into the final file behind a progress
// dialog.
#pragma once

#include <windows.h>

// c:\temp.avi created anew for writing, its header written;
// INVALID_HANDLE_VALUE when it cannot be created.
HANDLE CreateTempAviFile(void);

// Closes (when open) and deletes c:\temp.avi.
void DiscardTempAviFile(HANDLE hFile);

// Shows the progress dialog for nFramesCaptured frames, converts the
// temporary file by nImageFormat (an unknown one is reported under
// lpCaption), takes the dialog down. 1 when the final file is complete.
int ConvertTempAviFile(DWORD dwStart, DWORD dwEnd, const char *lpCaption);

// A window of the capture (the capturing notice, the progress dialog)
// shown and painted at once: the captures dispatch no messages.
HWND ShowCaptureWindow(int nTemplate);
void CloseCaptureWindow(HWND *lphwnd);
