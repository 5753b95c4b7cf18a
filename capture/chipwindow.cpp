#include "capture/chipwindow.h"

enum { NV3API_MAP_REGISTERS = 35 };

typedef void *(WINAPI *MapRegistersEntry)(DWORD dwArgument);

static MapRegistersEntry pfnNv3MapRegisters;

static void *RealMapRegisters(DWORD dwArgument)
{
    return pfnNv3MapRegisters ? pfnNv3MapRegisters(dwArgument) : NULL;
}

static DWORD RealReadRegister(void *lpBase, DWORD dwOffset)
{
    return *(volatile DWORD *)((BYTE *)lpBase + dwOffset);
}

static const ChipWindowBackend RealChipWindow = { RealMapRegisters, RealReadRegister };
static const ChipWindowBackend *lpChipWindow = &RealChipWindow;

void UseRealChipWindow(void)
{
    HMODULE hNv3Api = LoadLibraryA("NV3API.dll");
    pfnNv3MapRegisters = NULL;
    if (hNv3Api)
        pfnNv3MapRegisters =
            (MapRegistersEntry)(void *)GetProcAddress(hNv3Api, MAKEINTRESOURCEA(NV3API_MAP_REGISTERS));
    lpChipWindow = &RealChipWindow;
}

void UseChipWindow(const ChipWindowBackend *lpBackend)
{
    lpChipWindow = lpBackend;
}

void *MapChipRegisters(void)
{
    return lpChipWindow->pfnMapRegisters(1);
}

DWORD ReadChipRegister(void *lpBase, DWORD dwOffset)
{
    return lpChipWindow->pfnReadRegister(lpBase, dwOffset);
}
