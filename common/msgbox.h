// Every message box of the application goes through ShowMessage, so that
// tests can see exactly what the user would see.
#pragma once

#include <windows.h>

extern const char szAppCaption[];   // "Zentrik Vidmora"

// MessageBoxA, or the recorder a test has installed.
int ShowMessage(HWND hwndOwner, const char *lpText, const char *lpCaption, UINT uType);

// A box with no owner, on top, captioned szAppCaption; the second puts
// lpName (a file name) into lpFormat's %s.
void ShowAppMessage(const char *lpText, UINT uType);
void ShowAppMessageAbout(const char *lpFormat, const char *lpName, UINT uType);

// A replacement for MessageBoxA; NULL puts MessageBoxA back.
typedef int (*MessageBoxProc)(HWND hwndOwner, const char *lpText, const char *lpCaption, UINT uType);
void SetMessageBoxProc(MessageBoxProc pfnProc);
