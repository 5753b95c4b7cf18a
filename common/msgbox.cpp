#include "common/msgbox.h"

const char szAppCaption[] = "Zentrik Vidmora";

static MessageBoxProc pfnMessageBox;

int ShowMessage(HWND hwndOwner, const char *lpText, const char *lpCaption, UINT uType)
{
    if (pfnMessageBox)
        return pfnMessageBox(hwndOwner, lpText, lpCaption, uType);
    return MessageBoxA(hwndOwner, lpText, lpCaption, uType);
}

void SetMessageBoxProc(MessageBoxProc pfnProc)
{
    pfnMessageBox = pfnProc;
}
