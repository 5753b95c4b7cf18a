// Video: live video recorded into c:\temp.avi until a key is pressed or the
// disk budget is used up, then converted into szAviFileName.
#pragma once

#include <windows.h>

// The whole command.
void CaptureVideo(void);

// The recording: 1 when it ended on a key or the budget (or a write the
// disk refused, after saying so), 0 after a failed grab it has shown.
int CaptureVideoLoop(HANDLE hFile, BYTE *lpUYVY, DWORD dwFrameSize);

// The duration the final file is timed by: the ticks from start to end,
// less the 100 ms the closing key took; never less than 1 ms.
DWORD RecordedDuration(DWORD dwStart, DWORD dwEnd);
