#include "capture/singleframe.h"


#include "capture/grab.h"
#include "capture/numbering.h"
#include "common/msgbox.h"
#include "common/state.h"
#include "common/sysio.h"

enum { BMP_HEADERS_SIZE = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) };

static void TellAboutFile(const char *lpFormat)
{
    ShowAppMessageAbout(lpFormat, szBmpFileName, MB_ICONERROR);
}

// Stored as a float: rounded to single precision here, whatever the FPU.
static float Single(double dValue)
{
    volatile float fStored = (float)dValue;
    return fStored;
}

static BYTE ClampToByte(float fValue)
{
    if (fValue > 255.0f)
        return 255;
    if (fValue < 0.0f)
        return 0;
    return (BYTE)fValue;      // truncation toward zero
}

// One U Y0 V Y1 group into blue, green, red of both pixels.
static void ConvertPair(const BYTE *lpGroup, BYTE *lpOut)
{
    int nU = lpGroup[0] - 128, nY0 = lpGroup[1], nV = lpGroup[2] - 128, nY1 = lpGroup[3];
    float fR0 = Single(nY0 + 1.402 * nV);
    float fG0 = Single(nY0 - 0.34414 * nU - 0.71414 * nV);
    float fB0 = Single(nY0 + 1.772 * nU);
    int nDiff = nY1 - nY0;
    float fR1 = Single(fR0 + nDiff), fG1 = Single(fG0 + nDiff), fB1 = Single(fB0 + nDiff);
    lpOut[0] = ClampToByte(fB0);
    lpOut[1] = ClampToByte(fG0);
    lpOut[2] = ClampToByte(fR0);
    lpOut[3] = ClampToByte(fB1);
    lpOut[4] = ClampToByte(fG1);
    lpOut[5] = ClampToByte(fR1);
}

void ConvertFrameForBitmap(const BYTE *lpUYVY, BYTE *lpRGB24, DWORD dwWidth, DWORD dwHeight)
{
    for (DWORD dwRow = dwHeight; dwRow-- > 0;) {
        const BYTE *lpGroup = lpUYVY + (SIZE_T)dwRow * dwWidth * 2;
        for (DWORD dwPair = 0; dwPair < dwWidth / 2; dwPair++, lpGroup += 4, lpRGB24 += 6)
            ConvertPair(lpGroup, lpRGB24);
    }
}

static void FillBitmapHeaders(BITMAPFILEHEADER *lpFile, BITMAPINFOHEADER *lpInfo)
{
    DWORD dwImageSize = dwVideoWidth * dwVideoHeight * 3;
    ZeroMemory(lpFile, sizeof(*lpFile));
    lpFile->bfType = 0x4D42;   // "BM"
    lpFile->bfSize = dwImageSize + BMP_HEADERS_SIZE;
    lpFile->bfOffBits = BMP_HEADERS_SIZE;
    ZeroMemory(lpInfo, sizeof(*lpInfo));
    lpInfo->biSize = sizeof(*lpInfo);
    lpInfo->biWidth = dwVideoWidth;
    lpInfo->biHeight = dwVideoHeight;     // positive: bottom row first
    lpInfo->biPlanes = 1;
    lpInfo->biBitCount = 24;
    lpInfo->biCompression = BI_RGB;
    lpInfo->biSizeImage = dwImageSize;
}

static int PutOnClipboard(const BITMAPINFOHEADER *lpInfo, const BYTE *lpRGB24)
{
    HDC hdc = GetDC(hwndMain);
    HBITMAP hBitmap = CreateDIBitmap(hdc, lpInfo, CBM_INIT, lpRGB24, (const BITMAPINFO *)lpInfo, DIB_RGB_COLORS);
    ReleaseDC(hwndMain, hdc);
    if (!SysOpenClipboard(hwndMain)) {
        if (hBitmap)
            DeleteObject(hBitmap);
        ShowAppMessage("Unable to open clipboard.", MB_ICONERROR);
        return 0;
    }
    EmptyClipboard();
    if (!hBitmap || !SetClipboardData(CF_BITMAP, hBitmap)) {
        CloseClipboard();
        if (hBitmap)
            DeleteObject(hBitmap);
        ShowAppMessage("Unable to put the picture on the clipboard.", MB_ICONERROR);
        return 0;
    }
    CloseClipboard();
    return 1;
}

// The file is either written whole or not left behind.
static int WriteBitmapFile(const BITMAPFILEHEADER *lpFile, const BITMAPINFOHEADER *lpInfo, const BYTE *lpRGB24)
{
    HANDLE hFile = SysCreateFile(szBmpFileName, GENERIC_WRITE, 0, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN);
    if (hFile == INVALID_HANDLE_VALUE) {
        TellAboutFile("Unable to create file.\n(%s)");
        return 0;
    }
    int bWritten = SysWriteAll(hFile, lpFile, sizeof(*lpFile)) && SysWriteAll(hFile, lpInfo, sizeof(*lpInfo)) &&
                   SysWriteAll(hFile, lpRGB24, lpInfo->biSizeImage);
    CloseHandle(hFile);
    if (!bWritten) {
        DeleteFileA(szBmpFileName);
        TellAboutFile("Unable to write file.\n(%s)");
    }
    return bWritten;
}

static void AdvanceFileNumber(void)
{
    if (RenumberFileName(szBmpFileName, nFileNumber, nFileNumber + 1))
        nFileNumber++;
    else
        TellAboutFile("The next numbered file name would be too long.\nThe next capture replaces %s.");
}

// The grabbed frame, delivered where the settings say.
static int DeliverFrame(const BYTE *lpUYVY, BYTE *lpRGB24)
{
    BITMAPFILEHEADER bmfh;
    BITMAPINFOHEADER bmih;
    ConvertFrameForBitmap(lpUYVY, lpRGB24, dwVideoWidth, dwVideoHeight);
    FillBitmapHeaders(&bmfh, &bmih);
    if (bCaptureToClipboard == 1)
        return PutOnClipboard(&bmih, lpRGB24);
    return WriteBitmapFile(&bmfh, &bmih, lpRGB24);
}

int CaptureSingleFrame(void)
{
    SIZE_T dwPixels = (SIZE_T)dwVideoWidth * dwVideoHeight;
    BYTE *lpUYVY = (BYTE *)SysAlloc(dwPixels * 2);
    if (!lpUYVY) {
        ShowAppMessage("Unable to allocate memory for lpUYVU.", 0);
        return 0;
    }
    BYTE *lpRGB24 = (BYTE *)SysAlloc(dwPixels * 3);
    if (!lpRGB24) {
        SysFree(lpUYVY);
        ShowAppMessage("Unable to allocate memory for lpRGB24.", 0);
        return 0;
    }
    GrabResult result = GrabOverlayFrame(lpUYVY, DDLOCK_WAIT | DDLOCK_NOSYSLOCK);
    int bDone = result == GRAB_OK && DeliverFrame(lpUYVY, lpRGB24);
    SysFree(lpUYVY);
    SysFree(lpRGB24);
    if (result != GRAB_OK)
        ShowAppMessage(GrabFailureText(result), 0);
    if (bDone && bNumberedFileName == 1)
        AdvanceFileNumber();
    return bDone;
}
