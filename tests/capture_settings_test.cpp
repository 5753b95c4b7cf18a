// The capture settings: numbered BMP names, and the Set Capture File dialog
// driven through its controls from inside its modal loop, with the real
// save-file dialogs it opens answered as the user would answer them.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "capture/numbering.h"
#include "capture/setcapturefile.h"
#include "common/msgbox.h"
#include "common/state.h"
#include "res/resource.h"
#include "tests/support/dialogs.h"
#include "tests/support/simfixture.h"

namespace {

// ---- numbered names ----

// A name of exactly `length` characters that ends in `ending`.
std::string NameOfLength(size_t length, const std::string &ending)
{
    return "c:\\" + std::string(length - 3 - ending.size(), 'x') + ending;
}

TEST(NumberedNames, TakeTheDigitsOfTheirNumberAndFitTheirBuffer)
{
    struct Case {
        const char *what;
        std::string before;
        std::function<int(char *)> change;
        int result;
        std::string after;
    };
    auto number = [](int n) { return [n](char *name) { return NumberFileName(name, n); }; };
    auto unnumber = [](int n) { return [n](char *name) { return UnnumberFileName(name, n); }; };
    auto renumber = [](int from, int to) { return [from, to](char *name) { return RenumberFileName(name, from, to); }; };
    const Case cases[] = {
        { "numbered", "c:\\capture.bmp", number(1), 1, "c:\\capture001.bmp" },
        { "numbered past 999", "c:\\capture.bmp", number(1000), 1, "c:\\capture1000.bmp" },
        { "unnumbered", "c:\\capture006.bmp", unnumber(6), 1, "c:\\capture.bmp" },
        { "unnumbered past 999", "c:\\capture12345.bmp", unnumber(12345), 1, "c:\\capture.bmp" },
        { "advanced", "c:\\capture005.bmp", renumber(5, 6), 1, "c:\\capture006.bmp" },
        { "advanced to 1000", "c:\\capture999.bmp", renumber(999, 1000), 1, "c:\\capture1000.bmp" },
        { "advanced past 1000", "c:\\capture1000.bmp", renumber(1000, 1001), 1, "c:\\capture1001.bmp" },
        { "numbered to 255", NameOfLength(252, ".bmp"), number(1), 1, NameOfLength(255, "001.bmp") },
        { "numbered to 256", NameOfLength(253, ".bmp"), number(1), 0, NameOfLength(253, ".bmp") },
        { "4 digits to 256", NameOfLength(252, ".bmp"), number(1000), 0, NameOfLength(252, ".bmp") },
        { "advanced to 255", NameOfLength(254, "999.bmp"), renumber(999, 1000), 1, NameOfLength(255, "1000.bmp") },
        { "advanced to 256", NameOfLength(255, "999.bmp"), renumber(999, 1000), 0, NameOfLength(255, "999.bmp") },
        { "shorter than its number", "1.bmp", unnumber(1), 0, "1.bmp" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        char name[CAPTURE_NAME_SIZE] = {};
        c.before.copy(name, sizeof(name) - 1);
        EXPECT_EQ(c.result, c.change(name));
        EXPECT_EQ(c.after, name);
    }
}

// ---- the dialog ----

const char kCaption[] = "Set Capture File";
const char kTooLong[] = "The file name is too long to be numbered.";
const char kNotSupported[] = "Not supported file type.";
const UINT kErrorBox = MB_TOPMOST | MB_ICONERROR;

// Opens the dialog as the menu command does and applies `use` to it from
// inside its modal loop.
void RunDialog(std::function<void(HWND)> use)
{
    WithDialog(kCaption, ShowSetCaptureFileDialog, use);
}

std::string Text(HWND hDlg, int id)
{
    return ItemText(GetDlgItem(hDlg, id));
}

bool Checked(HWND hDlg, int id)
{
    return IsDlgButtonChecked(hDlg, id) == BST_CHECKED;
}

bool Enabled(HWND hDlg, int id)
{
    return IsWindowEnabled(GetDlgItem(hDlg, id)) != FALSE;
}

// ---- the save-file dialog, answered from inside its modal loop ----

// What one save-file dialog showed.
struct SaveDialogView {
    HWND owner;
    std::string caption, fileName;
    std::vector<std::string> fileTypes;
};

struct {
    HWND owner;
    std::vector<const char *> answers;  // a name to save, or null for Cancel
    size_t next;
    std::vector<SaveDialogView> seen;
    bool busy;
} saveDialogs;

BOOL CALLBACK FindSaveDialog(HWND hwnd, LPARAM lParam)
{
    char className[16] = "";
    GetClassNameA(hwnd, className, sizeof(className));
    if (lstrcmpA(className, "#32770") == 0 && IsWindowVisible(hwnd) && GetWindow(hwnd, GW_OWNER) == saveDialogs.owner) {
        *(HWND *)lParam = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The old-style dialog has an edit for the name, the Explorer-style one a combo box.
int FileNameControl(HWND hSave)
{
    return GetDlgItem(hSave, edt1) ? edt1 : cmb13;
}

SaveDialogView ViewSaveDialog(HWND hSave)
{
    SaveDialogView view{ GetWindow(hSave, GW_OWNER), ItemText(hSave), Text(hSave, FileNameControl(hSave)), {} };
    int count = (int)SendDlgItemMessageA(hSave, cmb1, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        char type[64] = "";
        SendDlgItemMessageA(hSave, cmb1, CB_GETLBTEXT, i, (LPARAM)type);
        view.fileTypes.push_back(type);
    }
    return view;
}

void CALLBACK AnswerSaveDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hSave = NULL;
    if (saveDialogs.busy || EnumThreadWindows(GetCurrentThreadId(), FindSaveDialog, (LPARAM)&hSave) || !hSave)
        return;
    saveDialogs.busy = true;
    saveDialogs.seen.push_back(ViewSaveDialog(hSave));
    size_t n = saveDialogs.next++;
    const char *answer = n < saveDialogs.answers.size() ? saveDialogs.answers[n] : nullptr;
    if (answer) {
        SetDlgItemTextA(hSave, FileNameControl(hSave), answer);
        Click(hSave, IDOK);
    } else {
        Click(hSave, IDCANCEL);
    }
    saveDialogs.busy = false;
}

// Presses a Browse button of the dialog and answers the save-file dialogs
// it opens in turn; every answer must have been used, and no more.
std::vector<SaveDialogView> Browse(HWND hDlg, int button, std::vector<const char *> answers)
{
    saveDialogs.owner = hDlg;
    saveDialogs.answers = answers;
    saveDialogs.next = 0;
    saveDialogs.seen.clear();
    UINT_PTR idTimer = SetTimer(NULL, 0, 10, AnswerSaveDialog);
    Click(hDlg, button);
    KillTimer(NULL, idTimer);
    EXPECT_EQ(answers.size(), saveDialogs.seen.size()) << "save-file dialogs opened";
    return saveDialogs.seen;
}

// ---- tests ----

class SetCaptureFileTest : public SimCardTest {
protected:
    void SetUp() override
    {
        SimCardTest::SetUp();
        hInstApp = GetModuleHandleA(NULL);
        hwndMain = CreateWindowExA(0, "STATIC", "Vidmora", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 90, 500, 420, NULL,
                                   NULL, hInstApp, NULL);
        ASSERT_NE(nullptr, hwndMain);
    }

    void TearDown() override
    {
        DestroyWindow(hwndMain);
        SimCardTest::TearDown();
    }

    static void StoreBmpName(const std::string &name, int numbered, int number)
    {
        lstrcpynA(szBmpFileName, name.c_str(), CAPTURE_NAME_SIZE);
        bNumberedFileName = numbered;
        nFileNumber = number;
    }

    // Every stored setting, to show what the dialog changed.
    static std::string Stored()
    {
        char text[700];
        snprintf(text, sizeof(text), "clipboard %d bmp %s numbered %d number %d avi %s time %lu", bCaptureToClipboard,
                 szBmpFileName, bNumberedFileName, nFileNumber, szAviFileName, (unsigned long)dwTimeLimit);
        return text;
    }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const RecordedBox &box : recorder.boxes()) {
            EXPECT_EQ(nullptr, box.owner);
            EXPECT_EQ(szAppCaption, box.caption);
            EXPECT_EQ(kErrorBox, box.flags);
            texts.push_back(box.text);
        }
        return texts;
    }
};

TEST_F(SetCaptureFileTest, ShowsTheStoredSettingsOverTheMainWindowAndOkKeepsThem)
{
    struct Case {
        const char *what;
        int toClipboard, numbered, number;
        const char *bmpName, *aviName;
        DWORD timeLimit;
        const char *seconds;
        DWORD storedTimeLimit;
    };
    const Case cases[] = {
        { "as at start", 0, 0, 1, "c:\\capture.bmp", "c:\\capture.avi", 10000, "10", 10000 },
        { "to the clipboard, numbered", 1, 1, 6, "c:\\shots\\frame006.bmp", "d:\\clips\\take.avi", 25999, "25", 25000 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        bCaptureToClipboard = c.toClipboard;
        StoreBmpName(c.bmpName, c.numbered, c.number);
        lstrcpyA(szAviFileName, c.aviName);
        dwTimeLimit = c.timeLimit;
        std::string before = Stored();
        RunDialog([&c](HWND hDlg) {
            EXPECT_EQ(hwndMain, GetWindow(hDlg, GW_OWNER));
            EXPECT_FALSE(IsWindowEnabled(hwndMain));
            EXPECT_EQ(c.toClipboard == 1, Checked(hDlg, IDC_SC_TOCLIPBOARD));
            EXPECT_EQ(c.toClipboard != 1, Checked(hDlg, IDC_SC_TOFILE));
            EXPECT_EQ(c.toClipboard != 1, Enabled(hDlg, IDC_SC_BMPBROWSE));
            EXPECT_EQ(c.toClipboard != 1, Enabled(hDlg, IDC_SC_NUMBERED));
            EXPECT_EQ(c.numbered == 1, Checked(hDlg, IDC_SC_NUMBERED));
            EXPECT_EQ(c.bmpName, Text(hDlg, IDC_SC_BMPNAME));
            EXPECT_EQ(c.seconds, Text(hDlg, IDC_SC_TIMELIMIT));
            EXPECT_FALSE(Enabled(hDlg, IDC_SC_TIMELIMIT));
            EXPECT_FALSE(Enabled(hDlg, IDC_SC_USETIMELIMIT));
            EXPECT_EQ(c.aviName, Text(hDlg, IDC_SC_AVINAME));
            Click(hDlg, IDOK);
        });
        EXPECT_TRUE(IsWindowEnabled(hwndMain));
        EXPECT_EQ(c.storedTimeLimit, dwTimeLimit);  // whole seconds, as shown
        dwTimeLimit = c.timeLimit;
        EXPECT_EQ(before, Stored());
    }
}

TEST(SetCaptureFileTemplate, IsStoredAsDesigned)
{
    const DWORD kChild = WS_CHILD | WS_VISIBLE;
    const DWORD kRadio = kChild | BS_AUTORADIOBUTTON, kPush = kChild | WS_TABSTOP | BS_PUSHBUTTON;
    const DWORD kNameEdit = kChild | WS_TABSTOP | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL;
    const std::vector<TemplateItem> items = {
        { IDC_SC_TOCLIPBOARD, kButton, kRadio, 16, 19, 84, 10, "Capture  to  Clipboard" },
        { IDC_SC_TOFILE, kButton, kRadio, 16, 32, 65, 10, "Capture  to  File" },
        { IDOK, kButton, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 39, 169, 37, 14, "OK" },
        { IDCANCEL, kButton, kPush, 91, 169, 37, 14, "Cancel" },
        { IDC_SC_SINGLEFRAME_GROUP, kButton, kChild | BS_GROUPBOX, 7, 7, 155, 74, "Single Frame" },
        { IDC_SC_BMPNAME, kEdit, kNameEdit, 24, 48, 124, 12, "" },
        { IDC_SC_BMPBROWSE, kButton, kPush, 105, 31, 40, 13, "Browse ..." },
        { -1, kButton, kChild | BS_GROUPBOX, 7, 88, 155, 73, "Frames  &&  Video" },
        { IDC_SC_TIMELIMIT, kEdit, kChild | WS_DISABLED | WS_BORDER | ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL, 96, 102,
          32, 13, "" },
        { -1, kStatic, kChild | WS_DISABLED | SS_LEFT, 130, 104, 28, 8, "seconds" },
        { -1, kStatic, kChild | SS_LEFT, 17, 128, 35, 8, "File name :" },
        { IDC_SC_AVIBROWSE, kButton, kPush, 105, 126, 40, 13, "Browse ..." },
        { IDC_SC_AVINAME, kEdit, kNameEdit, 24, 142, 124, 12, "" },
        { IDC_SC_USETIMELIMIT, kButton, kChild | WS_DISABLED | BS_AUTOCHECKBOX, 17, 103, 74, 10, "Capture Time Limit" },
        { IDC_SC_NUMBERED, kButton, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 23, 65, 92, 10, "Use numbered file name" },
    };
    DialogTemplate t = LoadDialogTemplate(IDD_SETCAPTUREFILE);
    ASSERT_TRUE(t.found);
    EXPECT_EQ((DWORD)(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT), t.style);
    EXPECT_EQ(kCaption, t.title);
    EXPECT_EQ(0, t.x);
    EXPECT_EQ(0, t.y);
    EXPECT_EQ(169, t.cx);
    EXPECT_EQ(190, t.cy);
    EXPECT_EQ(8, t.points);
    EXPECT_EQ("MS Sans Serif", t.face);
    ASSERT_EQ(items.size(), t.items.size());
    for (size_t i = 0; i < items.size(); i++)
        EXPECT_EQ(Describe(items[i]), Describe(t.items[i])) << "item " << i;
}

TEST_F(SetCaptureFileTest, NumberingRewritesTheNameShownAndKeepsItsNumber)
{
    struct Case {
        const char *name;
        int numbered, number;
        const char *toggled;    // the name after one click
    };
    const Case cases[] = {
        { "c:\\capture.bmp", 0, 1, "c:\\capture001.bmp" },
        { "c:\\capture006.bmp", 1, 6, "c:\\capture.bmp" },    // after five numbered captures
        { "c:\\capture1000.bmp", 1, 1000, "c:\\capture.bmp" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        StoreBmpName(c.name, c.numbered, c.number);
        RunDialog([&c](HWND hDlg) {
            const char *shown[] = { c.toggled, c.name, c.toggled };
            for (const char *name : shown) {
                Click(hDlg, IDC_SC_NUMBERED);
                EXPECT_EQ(name, Text(hDlg, IDC_SC_BMPNAME));
            }
            Click(hDlg, IDOK);
        });
        EXPECT_STREQ(c.toggled, szBmpFileName);
        EXPECT_EQ(!c.numbered, bNumberedFileName);
        EXPECT_EQ(c.number, nFileNumber);
        EXPECT_TRUE(recorder.boxes().empty());
    }
}

TEST_F(SetCaptureFileTest, ANameTooLongToNumberStaysAsItWasAndUnnumbered)
{
    struct Case {
        const char *what;
        size_t length;
        int accepted;
    };
    const Case cases[] = {
        { "numbered to 255 characters", 252, 1 },
        { "numbered to 256 characters", 253, 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        recorder.Clear();
        std::string name = NameOfLength(c.length, ".bmp");
        std::string numbered = NameOfLength(c.length + 3, "001.bmp");
        StoreBmpName(name, 0, 1);
        RunDialog([&](HWND hDlg) {
            Click(hDlg, IDC_SC_NUMBERED);
            EXPECT_EQ(c.accepted, Checked(hDlg, IDC_SC_NUMBERED));
            EXPECT_EQ(c.accepted ? numbered : name, Text(hDlg, IDC_SC_BMPNAME));
            Click(hDlg, IDOK);
        });
        EXPECT_EQ(c.accepted ? numbered : name, szBmpFileName);   // read whole, all 255 characters
        EXPECT_EQ(c.accepted, bNumberedFileName);
        EXPECT_EQ(c.accepted ? std::vector<std::string>{} : std::vector<std::string>{ kTooLong }, Messages());
    }
}

TEST_F(SetCaptureFileTest, TheDestinationSwitchesTheFileControlsAndKeepsTheNumbering)
{
    for (int toClipboard : { 1, 0 }) {
        SCOPED_TRACE(toClipboard ? "to the clipboard" : "to the file");
        bCaptureToClipboard = !toClipboard;
        StoreBmpName("c:\\capture003.bmp", 1, 3);
        RunDialog([toClipboard](HWND hDlg) {
            Click(hDlg, toClipboard ? IDC_SC_TOCLIPBOARD : IDC_SC_TOFILE);
            EXPECT_EQ(toClipboard == 1, Checked(hDlg, IDC_SC_TOCLIPBOARD));
            EXPECT_EQ(toClipboard == 0, Checked(hDlg, IDC_SC_TOFILE));
            EXPECT_EQ(!toClipboard, Enabled(hDlg, IDC_SC_BMPBROWSE));
            EXPECT_EQ(!toClipboard, Enabled(hDlg, IDC_SC_NUMBERED));
            EXPECT_TRUE(Checked(hDlg, IDC_SC_NUMBERED));
            Click(hDlg, IDOK);
        });
        EXPECT_EQ(toClipboard, bCaptureToClipboard);
        EXPECT_EQ(1, bNumberedFileName);
        EXPECT_STREQ("c:\\capture003.bmp", szBmpFileName);
    }
}

TEST_F(SetCaptureFileTest, BrowsingForTheBmpNameTakesOnlyBitmapsInLowerCase)
{
    struct Case {
        const char *what;
        const char *name;
        int numbered;
        std::vector<const char *> answers;
        std::vector<std::string> started;   // the name each save-file dialog opened with
        const char *shown;
        int number;     // from 6
        int messages;   // of the type refused
    };
    const Case cases[] = {
        { "a new name, numbered", "c:\\capture006.bmp", 1, { "D:\\Shots\\Test.BMP" }, { "capture006.bmp" },
          "d:\\shots\\test001.bmp", 1, 0 },
        { "a new name, unnumbered", "c:\\capture.bmp", 0, { "C:\\Frame.Bmp" }, { "capture.bmp" }, "c:\\frame.bmp", 1,
          0 },
        { "the same name", "c:\\capture006.bmp", 1, { "C:\\CAPTURE006.BMP" }, { "capture006.bmp" },
          "c:\\capture006.bmp", 6, 0 },
        { "cancelled", "C:\\Shots\\Old.BMP", 0, { nullptr }, { "Old.BMP" }, "c:\\shots\\old.bmp", 6, 0 },
        { "another type, then a bitmap", "c:\\capture.bmp", 0, { "C:\\a.jpg", "C:\\a.BMP" },
          { "capture.bmp", "a.jpg" }, "c:\\a.bmp", 1, 1 },
        { "another type, then cancelled", "c:\\capture006.bmp", 1, { "C:\\a.avi", nullptr },
          { "capture006.bmp", "a.avi" }, "c:\\capture006.bmp", 6, 1 },
        { "no extension", "c:\\capture.bmp", 0, { "C:\\noext" }, { "capture.bmp" }, "c:\\noext.bmp", 1, 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        recorder.Clear();
        StoreBmpName(c.name, c.numbered, 6);
        RunDialog([&c](HWND hDlg) {
            std::vector<SaveDialogView> views = Browse(hDlg, IDC_SC_BMPBROWSE, c.answers);
            std::vector<std::string> started;
            for (const SaveDialogView &view : views) {
                EXPECT_EQ(hDlg, view.owner);
                EXPECT_EQ("Save As", view.caption);
                EXPECT_EQ(std::vector<std::string>{ "24-bit Bitmap (*.bmp)" }, view.fileTypes);
                started.push_back(view.fileName);
            }
            EXPECT_EQ(c.started, started);
            EXPECT_EQ(c.shown, Text(hDlg, IDC_SC_BMPNAME));
            EXPECT_EQ(c.shown, std::string(szBmpWork));
            Click(hDlg, IDOK);
        });
        EXPECT_STREQ(c.shown, szBmpFileName);
        EXPECT_EQ(c.number, nFileNumber);
        EXPECT_EQ(c.numbered, bNumberedFileName);
        EXPECT_EQ(std::vector<std::string>(c.messages, kNotSupported), Messages());
    }
}

TEST_F(SetCaptureFileTest, ANewBmpNameTooLongToNumberIsTakenUnnumbered)
{
    std::string chosen = "C:\\" + std::string(246, 'X') + ".BMP";    // 253 characters, 256 numbered
    std::string lower = "c:\\" + std::string(246, 'x') + ".bmp";
    StoreBmpName("c:\\capture006.bmp", 1, 6);
    RunDialog([&](HWND hDlg) {
        Browse(hDlg, IDC_SC_BMPBROWSE, { chosen.c_str() });
        EXPECT_EQ(lower, Text(hDlg, IDC_SC_BMPNAME));
        EXPECT_FALSE(Checked(hDlg, IDC_SC_NUMBERED));
        Click(hDlg, IDOK);
    });
    EXPECT_EQ(lower, szBmpFileName);
    EXPECT_EQ(0, bNumberedFileName);
    EXPECT_EQ(1, nFileNumber);
    EXPECT_EQ(std::vector<std::string>{ kTooLong }, Messages());
}

TEST_F(SetCaptureFileTest, BrowsingForTheAviNameTakesOnlyAviFilesAsChosen)
{
    struct Case {
        const char *what;
        std::vector<const char *> answers;
        const char *shown;
        int messages;
    };
    const Case cases[] = {
        { "a new name", { "D:\\Clips\\Take.AVI" }, "D:\\Clips\\Take.AVI", 0 },
        { "no extension", { "C:\\Take" }, "C:\\Take.avi", 0 },
        { "another type, then an AVI file", { "C:\\take.bmp", "C:\\take.Avi" }, "C:\\take.Avi", 1 },
        { "cancelled", { nullptr }, "C:\\Clips\\Old.AVI", 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        recorder.Clear();
        lstrcpyA(szAviFileName, "C:\\Clips\\Old.AVI");
        std::string bmpBefore = szBmpFileName;
        RunDialog([&c](HWND hDlg) {
            for (const SaveDialogView &view : Browse(hDlg, IDC_SC_AVIBROWSE, c.answers)) {
                EXPECT_EQ(hDlg, view.owner);
                EXPECT_EQ(std::vector<std::string>{ "Video for Windows (*.avi)" }, view.fileTypes);
            }
            EXPECT_EQ(c.shown, Text(hDlg, IDC_SC_AVINAME));
            Click(hDlg, IDOK);
        });
        EXPECT_STREQ(c.shown, szAviFileName);
        EXPECT_EQ(bmpBefore, szBmpFileName);
        EXPECT_EQ(std::vector<std::string>(c.messages, kNotSupported), Messages());
    }
}

TEST_F(SetCaptureFileTest, CancelDropsEveryChangeByEveryWayOut)
{
    struct Case {
        const char *what;
        std::function<void(HWND)> close;
    };
    const Case cases[] = {
        { "Cancel", [](HWND hDlg) { Click(hDlg, IDCANCEL); } },
        { "Esc", [](HWND) { PostKey(VK_ESCAPE); } },
        { "close box", [](HWND hDlg) { SendMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0); } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        StoreBmpName("c:\\capture006.bmp", 1, 6);
        std::string before = Stored();
        RunDialog([&c](HWND hDlg) {
            Browse(hDlg, IDC_SC_BMPBROWSE, { "C:\\Other.bmp" });
            Click(hDlg, IDC_SC_NUMBERED);
            Browse(hDlg, IDC_SC_AVIBROWSE, { "C:\\Other.avi" });
            Click(hDlg, IDC_SC_TOCLIPBOARD);
            EXPECT_EQ("c:\\other.bmp", Text(hDlg, IDC_SC_BMPNAME));
            c.close(hDlg);
        });
        EXPECT_EQ(before, Stored());
    }
}

TEST_F(SetCaptureFileTest, OnlyClicksOfItsOwnControlsAreHandled)
{
    RunDialog([](HWND hDlg) {
        struct Case {
            UINT message;
            WPARAM wParam;
        };
        const Case cases[] = {
            { WM_COMMAND, MAKEWPARAM(IDC_SC_TOCLIPBOARD, BN_SETFOCUS) },
            { WM_COMMAND, MAKEWPARAM(IDC_SC_NUMBERED, BN_DOUBLECLICKED) },
            { WM_COMMAND, MAKEWPARAM(IDC_SC_BMPNAME, EN_CHANGE) },
            { WM_COMMAND, IDC_SC_USETIMELIMIT },
            { WM_TIMER, 1 },
        };
        for (const Case &c : cases) {
            SCOPED_TRACE(c.wParam);
            EXPECT_EQ(FALSE, SetCaptureFileDialogProc(hDlg, c.message, c.wParam, 0));
        }
        EXPECT_TRUE(Enabled(hDlg, IDC_SC_BMPBROWSE));
        EXPECT_EQ("c:\\capture.bmp", Text(hDlg, IDC_SC_BMPNAME));
        Click(hDlg, IDOK);
    });
    EXPECT_EQ(0, bCaptureToClipboard);
    EXPECT_EQ(0, bNumberedFileName);
}

}  // namespace
