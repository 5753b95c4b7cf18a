#include <windows.h>

#include "app/card.h"
#include "app/startup.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    (void)hPrevInstance;
    (void)lpCmdLine;
    (void)nCmdShow;
    if (!ConnectCard())
        return 0;
    int nExitCode = VidmoraMain(hInstance);
    DisconnectCard();
    return nExitCode;
}
