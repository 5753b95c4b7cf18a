#include "tests/support/appfixture.h"

#include "app/startup.h"
#include "common/state.h"
#include "display/ddobjects.h"
#include "res/resource.h"

void AppTest::TearDown()
{
    if (hwndMain && IsWindow(hwndMain))
        DestroyWindow(hwndMain);
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    }
    UnregisterClassA(szMainWindowClass, GetModuleHandleA(NULL));
    ReleaseDirectDrawObjects();
    SimCardTest::TearDown();
}

static void CALLBACK SendExit(HWND, UINT, UINT_PTR idTimer, DWORD)
{
    KillTimer(NULL, idTimer);
    SendMessageA(hwndMain, WM_COMMAND, IDM_EXIT, 0);
}

static void CALLBACK CloseMainWindow(HWND, UINT, UINT_PTR idTimer, DWORD)
{
    KillTimer(NULL, idTimer);
    SendMessageA(hwndMain, WM_CLOSE, 0, 0);
}

int AppTest::RunAndExit()
{
    SetTimer(NULL, 0, 10, SendExit);
    return VidmoraMain(GetModuleHandleA(NULL));
}

int AppTest::RunAndClose()
{
    SetTimer(NULL, 0, 10, CloseMainWindow);
    return VidmoraMain(GetModuleHandleA(NULL));
}

std::vector<uint8_t> AppTest::OutputControlWrites()
{
    std::vector<uint8_t> values;
    for (const std::vector<uint8_t> &t : WriteTransactions(card().bus().writes()))
        if (t.size() == 3 && t[0] == 0x48 && t[1] == 0x11)
            values.push_back(t[2]);
    return values;
}

static const char kScratchKey[] = "Software\\VidmoraTests\\Machine";

DirectXVersion::DirectXVersion(const char *version)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
    RegCreateKeyA(HKEY_CURRENT_USER, kScratchKey, &scratch_);
    if (version) {
        HKEY hDirectX;
        RegCreateKeyA(scratch_, "SOFTWARE\\Microsoft\\DirectX", &hDirectX);
        RegSetValueExA(hDirectX, "Version", 0, REG_SZ, (const BYTE *)version, (DWORD)strlen(version) + 1);
        RegCloseKey(hDirectX);
    }
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, scratch_);
}

DirectXVersion::~DirectXVersion()
{
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, NULL);
    RegCloseKey(scratch_);
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
}
