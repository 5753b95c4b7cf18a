// The Video Source dialog, driven through its own controls on the real
// dialog, with the decoder's registers read back from the simulated card.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/mainwnd.h"
#include "app/startup.h"
#include "common/state.h"
#include "decoder/saa7111a.h"
#include "decoder/videosource.h"
#include "res/resource.h"
#include "sim/decoderout.h"
#include "sim/field.h"
#include "tests/support/appfixture.h"
#include "tests/support/dialogs.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Transactions = std::vector<Bytes>;

const char kCaption[] = "Video Source";

// ---- the template as the resource holds it ----

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const TemplateItem kItems[] = {
    { 1001, kButton, kChild | BS_AUTORADIOBUTTON | WS_GROUP, 19, 34, 41, 10, "S Video" },
    { 1002, kButton, kChild | BS_AUTORADIOBUTTON, 19, 20, 49, 10, "Composite" },
    { 1003, kButton, kChild | BS_AUTORADIOBUTTON | WS_DISABLED, 19, 48, 35, 10, "Tuner" },
    { 1, kButton, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 30, 131, 41, 14, "OK" },
    { 2, kButton, kChild | BS_PUSHBUTTON | WS_TABSTOP, 154, 131, 41, 14, "Cancel" },
    { 3, kButton, kChild | BS_PUSHBUTTON | WS_TABSTOP, 92, 131, 41, 14, "Default" },
    { 1000, kButton, kChild | BS_GROUPBOX, 7, 7, 68, 56, "Video Connector" },
    { 1009, kButton, kChild | BS_GROUPBOX, 83, 7, 131, 112, "Color" },
    { 1014, kStatic, kChild | SS_LEFT | WS_GROUP, 89, 26, 34, 8, "Brightness" },
    { 1016, kStatic, kChild | SS_LEFT | WS_GROUP, 89, 49, 27, 8, "Contrast" },
    { 1017, kStatic, kChild | SS_LEFT | WS_GROUP, 89, 72, 33, 8, "Saturation" },
    { 1019, kStatic, kChild | SS_LEFT | WS_GROUP, 89, 95, 14, 8, "Hue" },
    { 1013, kScrollBar, kChild | SBS_HORZ, 128, 25, 55, 11, "" },
    { 1015, kScrollBar, kChild | SBS_HORZ, 128, 48, 55, 11, "" },
    { 1018, kScrollBar, kChild | SBS_HORZ, 128, 71, 55, 11, "" },
    { 1020, kScrollBar, kChild | SBS_HORZ, 128, 94, 55, 11, "" },
    { 1021, kStatic, kChild | SS_LEFT | WS_GROUP, 193, 27, 14, 8, "0" },
    { 1022, kStatic, kChild | SS_LEFT | WS_GROUP, 193, 50, 15, 8, "0" },
    { 1023, kStatic, kChild | SS_LEFT | WS_GROUP, 193, 73, 15, 8, "0     " },
    { 1024, kStatic, kChild | SS_LEFT | WS_GROUP, 193, 96, 15, 8, "0     " },
    { 1006, kStatic, kChild | SS_LEFT | WS_GROUP, 12, 70, 50, 8, "Video Standard" },
    { 1034, kComboBox, kChild | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 10, 81, 64, 80, "" },
};

const char *const kStandardNames[] = {
    "NTSC - M", "NTSC - N", "NTSC - 4.43", "PAL - BGHI", "PAL - M", "PAL - N", "PAL - 4.43",
};

TEST(VideoSourceTemplate, HoldsTheDialogAndItsControlsInOrder)
{
    DialogTemplate t = LoadDialogTemplate(IDD_VIDEOSOURCE);
    EXPECT_TRUE(t.extended);
    EXPECT_EQ((DWORD)(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU),
              t.style);
    EXPECT_EQ(221, t.cx);
    EXPECT_EQ(154, t.cy);
    EXPECT_EQ(kCaption, t.title);
    EXPECT_EQ("MS Sans Serif", t.face);
    EXPECT_EQ(8, t.points);
    ASSERT_EQ(sizeof(kItems) / sizeof(kItems[0]), t.items.size());
    for (size_t i = 0; i < t.items.size(); i++)
        EXPECT_EQ(Describe(kItems[i]), Describe(t.items[i])) << "item " << i;
}

// ---- the dialog on the main window, over the simulated decoder ----

class VideoSourceTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Attach();
        ResetVideoSourceSettings();
        ASSERT_EQ(1, CreateMainWindow(GetModuleHandleA(NULL), SW_SHOWNORMAL));
        MSG msg;
        PeekMessageA(&msg, hwndMain, WM_STARTVIDEO, WM_STARTVIDEO, PM_REMOVE);     // no live video here
        SAA7111A_Init();
        nVideoConnector = CONNECTOR_COMPOSITE;
        nVideoStandard = 0;
        card().bus().ClearWrites();
    }

    void TearDown() override
    {
        for (HWND hDlg : Dialogs())
            DestroyWindow(hDlg);
        AppTest::TearDown();
    }

    // Every Video Source dialog on the screen.
    static std::vector<HWND> Dialogs()
    {
        std::vector<HWND> found;
        for (HWND h = FindWindowExA(NULL, NULL, "#32770", kCaption); h; h = FindWindowExA(NULL, h, "#32770", kCaption))
            found.push_back(h);
        return found;
    }

    // The dialog as the Options menu opens it.
    HWND Open()
    {
        SendMessageA(hwndMain, WM_COMMAND, IDM_VIDEOSOURCE, 0);
        std::vector<HWND> open = Dialogs();
        EXPECT_EQ(1u, open.size());
        dlg = open.empty() ? NULL : open[0];
        card().bus().ClearWrites();
        return dlg;
    }

    HWND Item(int id) { return GetDlgItem(dlg, id); }
    void Scroll(int bar, WORD code, WORD thumb = 0)
    {
        SendMessageA(dlg, WM_HSCROLL, MAKEWPARAM(code, thumb), (LPARAM)Item(bar));
    }
    void Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }
    void ChooseStandard(int index)
    {
        SendMessageA(Item(IDC_VS_STANDARD), CB_SETCURSEL, index, 0);
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_VS_STANDARD, CBN_SELCHANGE), (LPARAM)Item(IDC_VS_STANDARD));
    }
    std::string Text(int id)
    {
        char text[64] = "";
        GetDlgItemTextA(dlg, id, text, sizeof(text));
        return text;
    }
    int BarPos(int bar) { return GetScrollPos(Item(bar), SB_CTL); }
    std::vector<int> Checked()
    {
        std::vector<int> ids;
        for (int id : { IDC_VS_SVIDEO, IDC_VS_COMPOSITE, IDC_VS_TUNER })
            if (IsDlgButtonChecked(dlg, id) == BST_CHECKED)
                ids.push_back(id);
        return ids;
    }
    int ListSelection() { return (int)SendMessageA(Item(IDC_VS_STANDARD), CB_GETCURSEL, 0, 0); }
    std::vector<int> Committed() { return { nBrightness, nContrast, nSaturation, nHue, nVideoConnector, nVideoStandard }; }
    Transactions Written() { return WriteTransactions(card().bus().writes()); }

    // What each bar and its text show.
    void ExpectShown(int brightness, int contrast, int saturation, int hue)
    {
        const int bars[] = { IDC_VS_BRIGHTNESS, IDC_VS_CONTRAST, IDC_VS_SATURATION, IDC_VS_HUE };
        const int texts[] = { IDC_VS_BRIGHTNESS_VALUE, IDC_VS_CONTRAST_VALUE, IDC_VS_SATURATION_VALUE, IDC_VS_HUE_VALUE };
        const int values[] = { brightness, contrast, saturation, hue };
        for (int i = 0; i < 4; i++) {
            EXPECT_EQ(values[i], BarPos(bars[i])) << bars[i];
            EXPECT_EQ(std::to_string(values[i]), Text(texts[i])) << texts[i];
        }
    }

    void ExpectClosed()
    {
        EXPECT_FALSE(IsWindow(dlg));
        EXPECT_EQ(0, bVideoSourceDlgOpen);
        EXPECT_TRUE(Dialogs().empty());
    }

    HWND dlg = NULL;
};

Bytes Reg(BYTE sub, BYTE value) { return { 0x48, sub, value }; }

TEST_F(VideoSourceTest, OpensOnTheMainWindowWithItsControlsAndTheTunerDisabled)
{
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ(1, bVideoSourceDlgOpen);
    EXPECT_EQ(hwndMain, GetWindow(dlg, GW_OWNER));
    EXPECT_TRUE(IsWindowVisible(dlg));
    RECT client = { 0, 0, 221, 154 }, rc;
    MapDialogRect(dlg, &client);
    GetClientRect(dlg, &rc);
    EXPECT_EQ(client.right, rc.right);
    EXPECT_EQ(client.bottom, rc.bottom);
    GetWindowRect(dlg, &rc);
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (rc.left + rc.right) / 2, 1);
    EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (rc.top + rc.bottom) / 2, 1);
    LOGFONTA font = {};
    GetObjectA((HFONT)SendMessageA(dlg, WM_GETFONT, 0, 0), sizeof(font), &font);
    EXPECT_STREQ("MS Sans Serif", font.lfFaceName);

    // The children in template order, each where its rectangle puts it.
    HWND child = GetWindow(dlg, GW_CHILD);
    for (const TemplateItem &item : kItems) {
        SCOPED_TRACE(item.id);
        ASSERT_NE(nullptr, child);
        EXPECT_EQ(item.id, GetDlgCtrlID(child));
        RECT want = { item.x, item.y, item.cx, item.cy }, got;     // position and size, each mapped
        MapDialogRect(dlg, &want);
        GetWindowRect(child, &got);
        MapWindowPoints(NULL, dlg, (POINT *)&got, 2);
        EXPECT_EQ(want.left, got.left);
        EXPECT_EQ(want.top, got.top);
        EXPECT_EQ(want.right, got.right - got.left);
        if (item.id != IDC_VS_STANDARD) {   // a closed drop-down list is one line high
            EXPECT_EQ(want.bottom, got.bottom - got.top);
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_VS_TUNER)));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_VS_SVIDEO)));

    // Nothing enables or chooses it: the command is not handled and writes nothing.
    EXPECT_FALSE(VideoSourceDlgProc(dlg, WM_COMMAND, MAKEWPARAM(IDC_VS_TUNER, BN_CLICKED), (LPARAM)Item(IDC_VS_TUNER)));
    EXPECT_TRUE(card().bus().writes().empty());
    EXPECT_EQ(CONNECTOR_COMPOSITE, nVideoConnector);
}

TEST_F(VideoSourceTest, OpeningShowsTheCommittedSettingsAndWritesNothing)
{
    nBrightness = 10;
    nContrast = 20;
    nSaturation = 255;
    nHue = 0;
    nVideoConnector = CONNECTOR_SVIDEO;
    nVideoStandard = 4;
    ASSERT_NE(nullptr, Open());
    ExpectShown(10, 20, 255, 0);
    for (int bar : { IDC_VS_BRIGHTNESS, IDC_VS_CONTRAST, IDC_VS_SATURATION, IDC_VS_HUE }) {
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        ASSERT_TRUE(GetScrollInfo(Item(bar), SB_CTL, &si));
        EXPECT_EQ((std::vector<int>{ 0, 264, 10 }), (std::vector<int>{ si.nMin, si.nMax, (int)si.nPage })) << bar;
    }
    EXPECT_EQ((std::vector<int>{ IDC_VS_SVIDEO }), Checked());
    HWND list = Item(IDC_VS_STANDARD);
    ASSERT_EQ(7, SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < 7; i++) {
        char name[32] = "";
        SendMessageA(list, CB_GETLBTEXT, i, (LPARAM)name);
        EXPECT_STREQ(kStandardNames[i], name);
    }
    EXPECT_EQ(4, ListSelection());
    EXPECT_TRUE(card().bus().writes().empty());
}

TEST_F(VideoSourceTest, TunerConnectorIsShownCheckedWhenSelected)
{
    nVideoConnector = CONNECTOR_TUNER;
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ((std::vector<int>{ IDC_VS_TUNER }), Checked());
}

struct ScrollCase {
    const char *name;
    int bar;
    int start;
    WORD code, thumb;
    int value;      // the setting afterwards
    BYTE sub, reg;  // the register written
};

const ScrollCase kScrollCases[] = {
    { "line right at the top", IDC_VS_BRIGHTNESS, 255, SB_LINERIGHT, 0, 255, 0x0A, 0xFF },
    { "line left at the bottom", IDC_VS_BRIGHTNESS, 0, SB_LINELEFT, 0, 0, 0x0A, 0x00 },
    { "line right", IDC_VS_BRIGHTNESS, 128, SB_LINERIGHT, 0, 129, 0x0A, 0x81 },
    { "page left clamped", IDC_VS_CONTRAST, 5, SB_PAGELEFT, 0, 0, 0x0B, 0x00 },
    { "page right clamped, halved", IDC_VS_CONTRAST, 250, SB_PAGERIGHT, 0, 255, 0x0B, 0x7F },
    { "page right, halved", IDC_VS_CONTRAST, 142, SB_PAGERIGHT, 0, 152, 0x0B, 0x4C },
    { "line left, odd halved down", IDC_VS_SATURATION, 100, SB_LINELEFT, 0, 99, 0x0C, 0x31 },
    { "thumb track, halved", IDC_VS_SATURATION, 128, SB_THUMBTRACK, 201, 201, 0x0C, 0x64 },
    { "hue thumb to 0", IDC_VS_HUE, 128, SB_THUMBTRACK, 0, 0, 0x0D, 0x80 },
    { "hue thumb to 255", IDC_VS_HUE, 128, SB_THUMBPOSITION, 255, 255, 0x0D, 0x7F },
    { "hue thumb to 128", IDC_VS_HUE, 3, SB_THUMBPOSITION, 128, 128, 0x0D, 0x00 },
    { "hue line left below 128", IDC_VS_HUE, 128, SB_LINELEFT, 0, 127, 0x0D, 0xFF },
    { "end of scroll keeps, writes", IDC_VS_HUE, 77, SB_ENDSCROLL, 0, 77, 0x0D, 0xCD },
    { "far left keeps, writes", IDC_VS_BRIGHTNESS, 40, SB_LEFT, 0, 40, 0x0A, 0x28 },
    { "far right keeps, writes", IDC_VS_SATURATION, 40, SB_RIGHT, 0, 40, 0x0C, 0x14 },
};

TEST_F(VideoSourceTest, EveryScrollCodeSetsBarTextAndRegisterAtOnce)
{
    for (const ScrollCase &c : kScrollCases) {
        SCOPED_TRACE(c.name);
        int *settings[] = { &nBrightness, &nContrast, &nSaturation, &nHue };
        const int bars[] = { IDC_VS_BRIGHTNESS, IDC_VS_CONTRAST, IDC_VS_SATURATION, IDC_VS_HUE };
        const int texts[] = { IDC_VS_BRIGHTNESS_VALUE, IDC_VS_CONTRAST_VALUE, IDC_VS_SATURATION_VALUE,
                              IDC_VS_HUE_VALUE };
        int which = 0;
        while (bars[which] != c.bar)
            which++;
        ResetVideoSourceSettings();
        *settings[which] = c.start;
        std::vector<int> committed = Committed();
        ASSERT_NE(nullptr, Open());
        Scroll(c.bar, c.code, c.thumb);
        EXPECT_EQ(c.value, BarPos(c.bar));
        EXPECT_EQ(std::to_string(c.value), Text(texts[which]));
        EXPECT_EQ((Transactions{ Reg(c.sub, c.reg) }), Written());
        EXPECT_EQ(c.reg, card().decoder().reg(c.sub));
        EXPECT_EQ(committed, Committed());
        SendMessageA(dlg, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(c.value, *settings[which]);
    }
}

TEST_F(VideoSourceTest, ScrollFromAnUnknownControlIsRefused)
{
    ASSERT_NE(nullptr, Open());
    for (HWND from : { Item(IDC_VS_STANDARD), (HWND)NULL }) {
        recorder.Clear();
        EXPECT_FALSE(VideoSourceDlgProc(dlg, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), (LPARAM)from));
        ASSERT_EQ(1u, recorder.boxes().size());
        const RecordedBox &box = recorder.boxes()[0];
        EXPECT_EQ(dlg, box.owner);
        EXPECT_EQ("Invalid control ID", box.text);
        EXPECT_EQ("Video Source dialog box ERROR !! (color)", box.caption);
        EXPECT_EQ((UINT)MB_OK, box.flags);
    }
    EXPECT_TRUE(card().bus().writes().empty());
    ExpectShown(128, 142, 128, 128);
}

TEST_F(VideoSourceTest, ChoosingAStandardWritesItAtOnceAndCancelPutsTheCommittedOneBack)
{
    ASSERT_NE(nullptr, Open());
    ChooseStandard(4);      // "PAL - M"
    EXPECT_EQ((Transactions{ Reg(0x08, 0x88), Reg(0x09, 0x00), Reg(0x0E, 0x31) }), Written());
    card().bus().ClearWrites();
    Click(IDCANCEL);
    // The committed settings are the start-up ones: the initial table's colours, Composite, "NTSC - M".
    EXPECT_EQ((Transactions{ Reg(0x0A, 0x80), Reg(0x0B, 0x47), Reg(0x0C, 0x40), Reg(0x0D, 0x00), Reg(0x02, 0xD3),
                             Reg(0x08, 0x48), Reg(0x09, 0x10), Reg(0x0E, 0x01) }),
              Written());
    EXPECT_EQ((std::vector<int>{ 128, 142, 128, 128, CONNECTOR_COMPOSITE, 0 }), Committed());
    ExpectClosed();
}

struct ConnectorCase {
    const char *name;
    int committed;      // nVideoConnector when the dialog opens
    int click;
    int close;          // IDOK or IDCANCEL
    Transactions written;   // by the click and the close, input selections only
    int stored;
    BYTE input;         // register 0x02 at the end
};

const ConnectorCase kConnectorCases[] = {
    { "S Video, OK", CONNECTOR_COMPOSITE, IDC_VS_SVIDEO, IDOK, { Reg(0x02, 0xD4) }, CONNECTOR_SVIDEO, 0xD4 },
    { "S Video, Cancel", CONNECTOR_COMPOSITE, IDC_VS_SVIDEO, IDCANCEL, { Reg(0x02, 0xD4), Reg(0x02, 0xD3) },
      CONNECTOR_COMPOSITE, 0xD3 },
    { "Composite, Cancel back to S Video", CONNECTOR_SVIDEO, IDC_VS_COMPOSITE, IDCANCEL,
      { Reg(0x02, 0xD3), Reg(0x02, 0xD4) }, CONNECTOR_SVIDEO, 0xD4 },
    { "S Video, Cancel back to the tuner", CONNECTOR_TUNER, IDC_VS_SVIDEO, IDCANCEL, { Reg(0x02, 0xD4) },
      CONNECTOR_TUNER, 0xD4 },
};

TEST_F(VideoSourceTest, ConnectorClicksWriteAtOnceOkKeepsCancelRestores)
{
    for (const ConnectorCase &c : kConnectorCases) {
        SCOPED_TRACE(c.name);
        nVideoConnector = c.committed;
        ASSERT_NE(nullptr, Open());
        Click(c.click);
        EXPECT_EQ((std::vector<int>{ c.click }), Checked());
        Click(c.close);
        Transactions inputs;
        for (const Bytes &t : Written())
            if (t[1] == 0x02)
                inputs.push_back(t);
        EXPECT_EQ(c.written, inputs);
        EXPECT_EQ(c.stored, nVideoConnector);
        EXPECT_EQ(c.input, card().decoder().reg(0x02));
        ExpectClosed();
    }
}

TEST_F(VideoSourceTest, OkCommitsEveryWorkingValueWithoutWritingAndReopensWithThem)
{
    ASSERT_NE(nullptr, Open());
    Scroll(IDC_VS_BRIGHTNESS, SB_THUMBTRACK, 10);
    Scroll(IDC_VS_CONTRAST, SB_THUMBTRACK, 20);
    Scroll(IDC_VS_SATURATION, SB_THUMBTRACK, 30);
    Scroll(IDC_VS_HUE, SB_THUMBTRACK, 40);
    Click(IDC_VS_SVIDEO);
    ChooseStandard(6);
    EXPECT_EQ((std::vector<int>{ 128, 142, 128, 128, CONNECTOR_COMPOSITE, 0 }), Committed());
    card().bus().ClearWrites();
    Click(IDOK);
    EXPECT_TRUE(card().bus().writes().empty());
    EXPECT_EQ((std::vector<int>{ 10, 20, 30, 40, CONNECTOR_SVIDEO, 6 }), Committed());
    ExpectClosed();

    ASSERT_NE(nullptr, Open());
    ExpectShown(10, 20, 30, 40);
    EXPECT_EQ((std::vector<int>{ IDC_VS_SVIDEO }), Checked());
    EXPECT_EQ(6, ListSelection());
    Click(IDCANCEL);
    EXPECT_EQ((Transactions{ Reg(0x0A, 10), Reg(0x0B, 10), Reg(0x0C, 15), Reg(0x0D, 168), Reg(0x02, 0xD4),
                             Reg(0x08, 0x48), Reg(0x09, 0x00), Reg(0x0E, 0x11) }),
              Written());
}

TEST_F(VideoSourceTest, DefaultLoadsTheDefaultsWithoutCommittingThem)
{
    nBrightness = 10;
    nContrast = 20;
    nSaturation = 30;
    nHue = 40;
    nVideoConnector = CONNECTOR_SVIDEO;
    nVideoStandard = 5;
    std::vector<int> committed = Committed();
    const Transactions defaults = { Reg(0x0A, 0x80), Reg(0x0B, 0x47), Reg(0x0C, 0x40), Reg(0x0D, 0x00),
                                    Reg(0x02, 0xD3), Reg(0x08, 0x48), Reg(0x09, 0x10), Reg(0x0E, 0x01) };

    // Default, then Cancel: the decoder ends on the committed settings.
    ASSERT_NE(nullptr, Open());
    Click(IDC_VS_DEFAULT);
    EXPECT_EQ(defaults, Written());
    ExpectShown(128, 142, 128, 128);
    EXPECT_EQ((std::vector<int>{ IDC_VS_COMPOSITE }), Checked());
    EXPECT_EQ(0, ListSelection());
    EXPECT_EQ(committed, Committed());
    card().bus().ClearWrites();
    Click(IDCANCEL);
    EXPECT_EQ((Transactions{ Reg(0x0A, 10), Reg(0x0B, 10), Reg(0x0C, 15), Reg(0x0D, 168), Reg(0x02, 0xD4),
                             Reg(0x08, 0x88), Reg(0x09, 0x00), Reg(0x0E, 0x21) }),
              Written());
    EXPECT_EQ(committed, Committed());
    EXPECT_EQ(10, card().decoder().brightness());
    EXPECT_EQ(10, card().decoder().contrast());
    EXPECT_EQ(15, card().decoder().saturation());
    EXPECT_EQ(168, card().decoder().hue());

    // Default, then OK: the defaults are committed, with nothing more written.
    ASSERT_NE(nullptr, Open());
    Click(IDC_VS_DEFAULT);
    card().bus().ClearWrites();
    Click(IDOK);
    EXPECT_TRUE(card().bus().writes().empty());
    EXPECT_EQ((std::vector<int>{ 128, 142, 128, 128, CONNECTOR_COMPOSITE, 0 }), Committed());
}

TEST_F(VideoSourceTest, OnlyOneDialogAtATimeAndTheFlagFollowsItsLife)
{
    ASSERT_NE(nullptr, Open());
    HWND first = dlg;
    SendMessageA(hwndMain, WM_COMMAND, IDM_VIDEOSOURCE, 0);
    EXPECT_EQ((std::vector<HWND>{ first }), Dialogs());
    EXPECT_EQ(1, bVideoSourceDlgOpen);

    // The close box is Cancel.
    Scroll(IDC_VS_BRIGHTNESS, SB_PAGELEFT);
    card().bus().ClearWrites();
    SendMessageA(dlg, WM_CLOSE, 0, 0);
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    ExpectClosed();
    ASSERT_FALSE(Written().empty());
    EXPECT_EQ(Reg(0x0A, 0x80), Written()[0]);
    EXPECT_EQ(128, nBrightness);

    ASSERT_NE(nullptr, Open());
    EXPECT_NE(nullptr, dlg);
    EXPECT_EQ(1, bVideoSourceDlgOpen);
}

// What the port is fed follows the dialog: saturation 0 is a grey picture.
TEST_F(VideoSourceTest, SaturationZeroGreysThePicture)
{
    sim::DecoderOutput output(card());
    auto chroma = [&](std::vector<uint8_t> *uv) {
        std::vector<uint8_t> field;
        output.Field(0, &field);
        EXPECT_EQ((size_t)sim::kFieldLines * sim::kLineSamples * 2, field.size());
        uv->clear();
        for (size_t i = (size_t)sim::kBlankingLines * sim::kLineSamples * 2; i + 2 < field.size(); i += 4) {
            uv->push_back(field[i]);
            uv->push_back(field[i + 2]);
        }
    };
    std::vector<uint8_t> uv;
    chroma(&uv);
    ASSERT_FALSE(uv.empty());
    EXPECT_NE(std::vector<uint8_t>(uv.size(), 0x80), uv);     // colour bars before

    ASSERT_NE(nullptr, Open());
    Scroll(IDC_VS_SATURATION, SB_THUMBTRACK, 0);
    EXPECT_EQ(0, card().decoder().saturation());
    chroma(&uv);
    EXPECT_EQ(std::vector<uint8_t>(uv.size(), 0x80), uv);
}

}  // namespace
