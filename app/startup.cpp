#include "app/startup.h"

#include "app/cpu.h"
#include "app/mainwnd.h"
#include "capture/rowcopy.h"
#include "common/msgbox.h"
#include "common/state.h"
#include "decoder/i2c.h"
#include "decoder/saa7111a.h"
#include "display/ddobjects.h"
#include "display/videoport.h"
#include "res/resource.h"

const char szMainWindowClass[] = "ZENTRIKVIDMORA";

enum {
    STARTUP_TRIES = 5,
    MB_STARTUP_ERROR = MB_TOPMOST | MB_ICONERROR,       // 0x40010
    MB_STARTUP_WARNING = MB_TOPMOST | MB_ICONWARNING,   // 0x40030
};

static int StartupFailed(const char *lpText)
{
    ShowMessage(NULL, lpText, szAppCaption, MB_STARTUP_ERROR);
    return 0;
}

static int DecoderAnswers(void)
{
    for (int i = 0; i < STARTUP_TRIES; i++)
        if (I2C_ProbeDevice(I2C_ADDR_DECODER))
            return 1;
    return 0;
}

int IsFirstInstance(void)
{
    return FindWindowA(szMainWindowClass, NULL) == NULL;
}

int HasDirectX5(void)
{
    HKEY hKey;
    char szVersion[80] = "";
    DWORD cbVersion = sizeof(szVersion);
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX", &hKey) != ERROR_SUCCESS)
        return 0;
    LONG lResult = RegQueryValueExA(hKey, "Version", NULL, NULL, (BYTE *)szVersion, &cbVersion);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS && szVersion[0] == '4' && szVersion[1] == '.'
        && szVersion[2] == '0' && szVersion[3] == '5';
}

static void ChooseRowCopier(void)
{
    pfnCopyRows = HasCpuid() && HasMmx() ? CopyRowsMMX : CopyRows;
}

static void DetectVideoSource(void)
{
    for (int i = 0; i < STARTUP_TRIES; i++)
        if (SAA7111A_AutoDetect())
            return;
    ShowMessage(NULL,
                "Cannot auto-set video source ! \n\n(Make sure that your video device is POWER-ON.\n"
                " Later, you can choose 'Options/Video Source' on the menu\n"
                " to set correct video connector and video standard.)",
                szAppCaption, MB_STARTUP_WARNING);
}

int CreateMainWindow(HINSTANCE hInstance, int nCmdShow)
{
    (void)nCmdShow;     // the window always opens normally
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_VIDMORA));
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN);
    wc.lpszClassName = szMainWindowClass;
    if (!RegisterClassA(&wc))
        return 0;

    int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    int cyScreen = GetSystemMetrics(SM_CYSCREEN);
    hwndMain = CreateWindowExA(0, szMainWindowClass, szLiveVideoCaption, WS_OVERLAPPEDWINDOW,
                               (cxScreen - 128) / 2, cyScreen / 2, 360, 60, NULL, NULL, hInstance, NULL);
    if (!hwndMain)
        return 0;
    hMainMenu = GetMenu(hwndMain);
    if (!hMainMenu)
        return 0;
    ShowWindow(hwndMain, SW_SHOWNORMAL);
    UpdateWindow(hwndMain);
    return 1;
}

// Ends on WM_QUIT, and also when GetMessageA reports an error, which would
// otherwise come back at once forever.
static WPARAM RunMessageLoop(HACCEL hAccel)
{
    MSG msg;
    BOOL bResult;
    while ((bResult = GetMessageA(&msg, NULL, 0, 0)) != 0) {
        if (bResult == -1)
            return 0;
        if (!TranslateAcceleratorA(hwndMain, hAccel, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return msg.wParam;
}

int VidmoraMain(HINSTANCE hInstance)
{
    if (!DecoderAnswers())
        return StartupFailed("Your display card doesn't have a SAA7111A EVIP.\n"
                             "A SAA7111A EVIP is required for this application to run.");
    if (!IsFirstInstance())
        return StartupFailed("Another Vidmora is running.\nYou cannot run two Vidmora simultaneously.");
    if (!HasDirectX5())
        return StartupFailed("Please install DirectX 5 before running this application.");
    ChooseRowCopier();
    SAA7111A_Init();
    InitVideoPortSettings();
    DetectVideoSource();
    if (!CreateDirectDrawObjects(0)) {
        ReleaseDirectDrawObjects();
        SAA7111A_Shutdown();
        return 0;
    }
    if (!CreateMainWindow(hInstance, SW_SHOWNORMAL)) {
        SAA7111A_Shutdown();
        return 0;
    }
    hInstApp = hInstance;
    HACCEL hAccel = LoadAcceleratorsA(hInstance, MAKEINTRESOURCEA(IDA_MAIN));
    if (!hAccel)
        return 0;
    WPARAM wExitCode = RunMessageLoop(hAccel);
    SAA7111A_Shutdown();
    return (int)wExitCode;
}
