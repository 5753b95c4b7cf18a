#include "common/msgbox.h"

#include <stdio.h>

const char szAppCaption[] = "Zentrik Vidmora";

static MessageBoxProc pfnMessageBox;

int ShowMessage(HWND hwndOwner, const char *lpText, const char *lpCaption, UINT uType)
{
    if (pfnMessageBox)
        return pfnMessageBox(hwndOwner, lpText, lpCaption, uType);
    return MessageBoxA(hwndOwner, lpText, lpCaption, uType);
}

void ShowAppMessage(const char *lpText, UINT uType)
{
    ShowMessage(NULL, lpText, szAppCaption, MB_TOPMOST | uType);
}

void ShowAppMessageAbout(const char *lpFormat, const char *lpName, UINT uType)
{
    char szText[1024];
    snprintf(szText, sizeof(szText), lpFormat, lpName);
    ShowAppMessage(szText, uType);
}

void SetMessageBoxProc(MessageBoxProc pfnProc)
{
    pfnMessageBox = pfnProc;
}
