#include "decoder/videosource.h"

#include <commctrl.h>

#include "common/msgbox.h"
#include "common/state.h"
#include "decoder/saa7111a.h"
#include "res/resource.h"

enum {
    DEFAULT_BRIGHTNESS = 128,
    DEFAULT_CONTRAST = 142,
    DEFAULT_SATURATION = 128,
    DEFAULT_HUE = 128,

    SETTING_MAX = 255,
    BAR_RANGE_MAX = 264,    // with a page of 10 the thumb reaches 0 to 255
    BAR_PAGE = 10,
};

int nBrightness = DEFAULT_BRIGHTNESS;
int nContrast = DEFAULT_CONTRAST;
int nSaturation = DEFAULT_SATURATION;
int nHue = DEFAULT_HUE;

// The working copies, valid while the dialog is open.
static int nBrightnessWork, nContrastWork, nSaturationWork, nHueWork;
static int nConnectorWork, nStandardWork;

// Settings as register values.
static void WriteBrightness(int nValue) { SAA7111A_SetBrightness((BYTE)nValue); }
static void WriteContrast(int nValue) { SAA7111A_SetContrast((BYTE)(nValue / 2)); }
static void WriteSaturation(int nValue) { SAA7111A_SetSaturation((BYTE)(nValue / 2)); }
static void WriteHue(int nValue) { SAA7111A_SetHue((BYTE)(nValue >= 128 ? nValue - 128 : nValue + 128)); }

// One colour control: its bar, the text beside it, its working value and
// its register write.
typedef struct ColorControl {
    int nBarId;
    int nTextId;
    int *lpWork;
    void (*pfnWrite)(int nValue);
    int nDefault;
} ColorControl;

static const ColorControl colorControls[] = {
    { IDC_VS_BRIGHTNESS, IDC_VS_BRIGHTNESS_VALUE, &nBrightnessWork, WriteBrightness, DEFAULT_BRIGHTNESS },
    { IDC_VS_CONTRAST, IDC_VS_CONTRAST_VALUE, &nContrastWork, WriteContrast, DEFAULT_CONTRAST },
    { IDC_VS_SATURATION, IDC_VS_SATURATION_VALUE, &nSaturationWork, WriteSaturation, DEFAULT_SATURATION },
    { IDC_VS_HUE, IDC_VS_HUE_VALUE, &nHueWork, WriteHue, DEFAULT_HUE },
};
enum { COLOR_CONTROL_COUNT = sizeof(colorControls) / sizeof(colorControls[0]) };

void ResetVideoSourceSettings(void)
{
    nBrightness = DEFAULT_BRIGHTNESS;
    nContrast = DEFAULT_CONTRAST;
    nSaturation = DEFAULT_SATURATION;
    nHue = DEFAULT_HUE;
}

static void WriteConnector(int nConnector)
{
    if (nConnector == CONNECTOR_SVIDEO)
        SAA7111A_SelectSVideo();
    else if (nConnector == CONNECTOR_COMPOSITE)
        SAA7111A_SelectComposite();
    // no input selection exists for the tuner
}

static void SetBarRange(HWND hDlg, const ColorControl *lpControl, int nValue)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = BAR_RANGE_MAX;
    si.nPage = BAR_PAGE;
    si.nPos = nValue;
    SetScrollInfo(GetDlgItem(hDlg, lpControl->nBarId), SB_CTL, &si, TRUE);
}

static void ShowValue(HWND hDlg, const ColorControl *lpControl, int nValue)
{
    SetDlgItemInt(hDlg, lpControl->nTextId, (UINT)nValue, FALSE);
}

static int Clamp(int nValue)
{
    if (nValue < 0)
        return 0;
    return nValue > SETTING_MAX ? SETTING_MAX : nValue;
}

static const ColorControl *FindColorControl(int nBarId)
{
    for (const ColorControl &control : colorControls)
        if (control.nBarId == nBarId)
            return &control;
    return NULL;
}

static BOOL OnInitDialog(HWND hDlg)
{
    const int committed[COLOR_CONTROL_COUNT] = { nBrightness, nContrast, nSaturation, nHue };
    for (int i = 0; i < COLOR_CONTROL_COUNT; i++) {
        SetBarRange(hDlg, &colorControls[i], committed[i]);
        ShowValue(hDlg, &colorControls[i], committed[i]);
    }
    CheckRadioButton(hDlg, IDC_VS_SVIDEO, IDC_VS_TUNER, nVideoConnector);
    HWND hList = GetDlgItem(hDlg, IDC_VS_STANDARD);
    for (int i = 0; i < VIDEO_STANDARD_COUNT; i++)
        SendMessageA(hList, CB_ADDSTRING, 0, (LPARAM)SAA7111A_StandardName(i));
    SendMessageA(hList, CB_SETCURSEL, (WPARAM)nVideoStandard, 0);

    for (int i = 0; i < COLOR_CONTROL_COUNT; i++)
        *colorControls[i].lpWork = committed[i];
    nConnectorWork = nVideoConnector;
    nStandardWork = nVideoStandard;
    return TRUE;
}

// The working value after one scroll code: lines by 1, pages by 10, the
// thumb where the message puts it; the other codes keep the value.
static int ScrolledValue(int nValue, WORD wCode, WORD wThumb)
{
    switch (wCode) {
    case SB_LINELEFT:
        return Clamp(nValue - 1);
    case SB_LINERIGHT:
        return Clamp(nValue + 1);
    case SB_PAGELEFT:
        return Clamp(nValue - BAR_PAGE);
    case SB_PAGERIGHT:
        return Clamp(nValue + BAR_PAGE);
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return Clamp(wThumb);
    default:
        return nValue;
    }
}

static BOOL OnHScroll(HWND hDlg, WPARAM wParam, HWND hBar)
{
    const ColorControl *lpControl = FindColorControl(GetDlgCtrlID(hBar));
    if (!lpControl) {
        ShowMessage(hDlg, "Invalid control ID", "Video Source dialog box ERROR !! (color)", MB_OK);
        return FALSE;
    }
    int nValue = ScrolledValue(*lpControl->lpWork, LOWORD(wParam), HIWORD(wParam));
    *lpControl->lpWork = nValue;
    SetScrollPos(hBar, SB_CTL, nValue, TRUE);
    ShowValue(hDlg, lpControl, nValue);
    lpControl->pfnWrite(nValue);
    return TRUE;
}

static void CloseDialog(HWND hDlg)
{
    DestroyWindow(hDlg);
    bVideoSourceDlgOpen = 0;
}

static void OnOk(HWND hDlg)
{
    nBrightness = nBrightnessWork;
    nContrast = nContrastWork;
    nSaturation = nSaturationWork;
    nHue = nHueWork;
    nVideoConnector = nConnectorWork;
    nVideoStandard = nStandardWork;
    CloseDialog(hDlg);
}

// The decoder back on the committed settings.
static void OnCancel(HWND hDlg)
{
    WriteBrightness(nBrightness);
    WriteContrast(nContrast);
    WriteSaturation(nSaturation);
    WriteHue(nHue);
    WriteConnector(nVideoConnector);
    SAA7111A_SetStandard(nVideoStandard);
    CloseDialog(hDlg);
}

// The default positions, shown and written, but not committed.
static void OnDefault(HWND hDlg)
{
    for (const ColorControl &control : colorControls) {
        *control.lpWork = control.nDefault;
        SetBarRange(hDlg, &control, control.nDefault);
        ShowValue(hDlg, &control, control.nDefault);
        control.pfnWrite(control.nDefault);
    }
    nConnectorWork = CONNECTOR_COMPOSITE;
    CheckRadioButton(hDlg, IDC_VS_SVIDEO, IDC_VS_TUNER, IDC_VS_COMPOSITE);
    SAA7111A_SelectComposite();
    nStandardWork = 0;
    SendDlgItemMessageA(hDlg, IDC_VS_STANDARD, CB_SETCURSEL, 0, 0);
    SAA7111A_SetStandard(0);
}

static void OnStandardChanged(HWND hDlg)
{
    nStandardWork = (int)SendDlgItemMessageA(hDlg, IDC_VS_STANDARD, CB_GETCURSEL, 0, 0);
    SAA7111A_SetStandard(nStandardWork);
}

// The group's own unchecking passes over the disabled Tuner button, so a
// checked Tuner is unchecked here.
static void OnConnectorClicked(HWND hDlg, int nConnector)
{
    CheckRadioButton(hDlg, IDC_VS_SVIDEO, IDC_VS_TUNER, nConnector);
    nConnectorWork = nConnector;
    WriteConnector(nConnector);
}

static BOOL OnCommand(HWND hDlg, WORD wId, WORD wCode)
{
    if (wCode == CBN_SELCHANGE) {
        OnStandardChanged(hDlg);
        return TRUE;
    }
    switch (wId) {
    case IDC_VS_SVIDEO:
    case IDC_VS_COMPOSITE:
        OnConnectorClicked(hDlg, wId);
        return TRUE;
    case IDOK:
        OnOk(hDlg);
        return TRUE;
    case IDCANCEL:
        OnCancel(hDlg);
        return TRUE;
    case IDC_VS_DEFAULT:
        OnDefault(hDlg);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK VideoSourceDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        return OnInitDialog(hDlg);
    case WM_HSCROLL:
        return OnHScroll(hDlg, wParam, (HWND)lParam);
    case WM_COMMAND:
        return OnCommand(hDlg, LOWORD(wParam), HIWORD(wParam));
    default:
        return FALSE;
    }
}

void ShowVideoSourceDialog(void)
{
    InitCommonControls();
    if (bVideoSourceDlgOpen)
        return;
    // The flag is set only for a dialog that exists, so that a failed
    // creation does not shut the menu item for the rest of the run.
    if (CreateDialogParamA(hInstApp, MAKEINTRESOURCEA(IDD_VIDEOSOURCE), hwndMain, VideoSourceDlgProc, 0))
        bVideoSourceDlgOpen = 1;
}
