#include "app/mainwnd.h"

#include "app/about.h"
#include "app/geometry.h"
#include "app/modes.h"
#include "app/videoformat.h"
#include "capture/framesdlg.h"
#include "capture/setcapturefile.h"
#include "capture/singleframe.h"
#include "capture/video.h"
#include "common/state.h"
#include "decoder/videosource.h"
#include "display/ddobjects.h"
#include "display/livevideo.h"
#include "display/placement.h"
#include "res/resource.h"
#include "tuner/channels.h"
#include "tuner/osd.h"
#include "tuner/tuner.h"

const char szLiveVideoCaption[] = "Zentrik Vidmora   (LiveVideo mode)";

// The first video size: 720 x 480, or three quarters of a screen no wider than 640.
static void OnCreate(HWND hwnd)
{
    int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    int cyScreen = GetSystemMetrics(SM_CYSCREEN);
    if (cxScreen > 640) {
        dwVideoWidth = 720;
        dwVideoHeight = 480;
    } else {
        dwVideoWidth = cxScreen * 3 / 4;
        dwVideoHeight = cyScreen * 3 / 4;
    }
    SizeWindowToClient(hwnd, dwVideoWidth, dwVideoHeight);
    PostMessageA(hwnd, WM_STARTVIDEO, 0, 0);
}

// Nothing is drawn but the colour key, under the overlay.
static void OnPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    PaintColorKey();
}

static void OnKeyDown(HWND hwnd, WPARAM wKey)
{
    if (wKey == VK_ESCAPE && bFullScreen)
        LeaveFullScreen(hwnd);
}

static void OnTimer(HWND hwnd, WPARAM idTimer)
{
    switch (idTimer) {
    case CHANNEL_ENTRY_TIMER:
        OnChannelEntryTimer(hwnd);
        break;
    case CHANNEL_NUMBER_TIMER:
        OnChannelNumberTimer(hwnd);
        break;
    default:
        OnVideoTimer();
        break;
    }
}

// The tuner sound stays off once the application has gone.
static void EndApplication(void)
{
    if (nVideoConnector == CONNECTOR_TUNER)
        Audio_Mute();
    ReleaseDirectDrawObjects();
    PostQuitMessage(0);
}

static void OnCommand(HWND hwnd, WORD wId)
{
    switch (wId) {
    case IDM_ABOUT:
        ShowAboutDialog();
        break;
    case IDM_VIDEOFORMAT:
        ShowVideoFormatDialog();
        break;
    case IDM_VIDEOSOURCE:
        ShowVideoSourceDialog();
        break;
    case IDM_EXIT:
        EndApplication();       // the window is left to the end of the process
        break;
    case IDM_FULLSCREEN_KEY:
        if (!bFullScreen && nDisplayMode == MODE_LIVEVIDEO)
            EnterFullScreen(hwnd);
        break;
    case IDM_LIVEVIDEOMODE:
    case IDM_LIVEVIDEOMODE_KEY:
        if (nDisplayMode != MODE_LIVEVIDEO)
            SetLiveVideoMode(hwnd);
        break;
    case IDM_CAPTUREMODE:
    case IDM_CAPTUREMODE_KEY:
        if (nDisplayMode != MODE_CAPTURE && !bFullScreen)
            SetCaptureMode(hwnd);
        break;
    case IDM_TOGGLE_FRAME:
        if (!bFullScreen && nDisplayMode == MODE_LIVEVIDEO)
            ToggleWindowFrame(hwnd);
        break;
    case IDM_SETCAPTUREFILE:
        ShowSetCaptureFileDialog();
        break;
    case IDM_SINGLEFRAME:
    case IDM_SINGLEFRAME_KEY:
        if (nDisplayMode == MODE_CAPTURE)
            CaptureSingleFrame();
        break;
    case IDM_VIDEO:
    case IDM_VIDEO_KEY:
        if (nDisplayMode == MODE_CAPTURE)
            CaptureVideo();
        break;
    case IDM_FRAMES:
    case IDM_FRAMES_KEY:
        if (nDisplayMode == MODE_CAPTURE)
            ShowCaptureFramesDialog();
        break;
    case IDM_CHANNEL_UP:
        StepChannel(hwnd, +1);
        break;
    case IDM_CHANNEL_DOWN:
        StepChannel(hwnd, -1);
        break;
    case IDM_SCAN_CHANNELS:
        if (nVideoConnector == CONNECTOR_TUNER)
            Tuner_ScanChannels();
        break;
    case IDM_DIGIT_1:
    case IDM_DIGIT_2:
    case IDM_DIGIT_3:
    case IDM_DIGIT_4:
    case IDM_DIGIT_5:
    case IDM_DIGIT_6:
    case IDM_DIGIT_7:
    case IDM_DIGIT_8:
    case IDM_DIGIT_9:
        EnterChannelDigit(hwnd, wId - IDM_DIGIT_1 + 1);
        break;
    case IDM_DIGIT_0:
        EnterChannelDigit(hwnd, 0);
        break;
    case IDM_CHANNEL_ENTER:
        EndChannelEntry(hwnd);
        break;
    }
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_CREATE:
        OnCreate(hwnd);
        return 0;
    case WM_STARTVIDEO:
        StartLiveVideo(hwnd);
        return 0;
    case WM_PAINT:
        OnPaint(hwnd);
        return 0;
    case WM_TIMER:
        OnTimer(hwnd, wParam);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(hwnd, wParam);
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(hwnd, lParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(hwnd, lParam);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(hwnd);
        return 0;
    case WM_DESTROY:
        EndApplication();
        return 0;
    case WM_COMMAND:
        OnCommand(hwnd, LOWORD(wParam));
        return 0;
    }
    return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}
