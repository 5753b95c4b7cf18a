#include "decoder/portio.h"

static BYTE DirectIn8(WORD wPort)
{
    BYTE bValue;
    __asm__ __volatile__("inb %w1, %b0" : "=a"(bValue) : "Nd"(wPort));
    return bValue;
}

static void DirectOut8(WORD wPort, BYTE bValue)
{
    __asm__ __volatile__("outb %b0, %w1" : : "a"(bValue), "Nd"(wPort));
}

static BYTE NoIn8(WORD)
{
    return 0;
}

static void NoOut8(WORD, BYTE)
{
}

static void SleepOnTheCard(DWORD dwMilliseconds)
{
    Sleep(dwMilliseconds);
}

static const PortIoBackend DirectPortIo = { DirectIn8, DirectOut8, SleepOnTheCard };
static const PortIoBackend NoPortIo = { NoIn8, NoOut8, SleepOnTheCard };

static const PortIoBackend *lpPortIo = &NoPortIo;

static int IsWindows95Family(void)
{
    OSVERSIONINFOA osvi;
    ZeroMemory(&osvi, sizeof(osvi));
    osvi.dwOSVersionInfoSize = sizeof(osvi);
    return GetVersionExA(&osvi) && osvi.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

void UseRealPortIo(void)
{
    lpPortIo = IsWindows95Family() ? &DirectPortIo : &NoPortIo;
}

void UsePortIo(const PortIoBackend *lpBackend)
{
    lpPortIo = lpBackend;
}

BYTE in8(WORD wPort)
{
    return lpPortIo->pfnIn8(wPort);
}

void out8(WORD wPort, BYTE bValue)
{
    lpPortIo->pfnOut8(wPort, bValue);
}

void CardSleep(DWORD dwMilliseconds)
{
    lpPortIo->pfnSleep(dwMilliseconds);
}
