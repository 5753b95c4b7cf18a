#include "tests/support/dialogs.h"

#include <gtest/gtest.h>

#include <stdio.h>

#include "common/state.h"

namespace {

class TemplateReader {
public:
    explicit TemplateReader(const BYTE *bytes) : base_(bytes), p_(bytes) {}

    WORD Word() { WORD w = *(const WORD *)p_; p_ += 2; return w; }
    DWORD Dword() { DWORD d = *(const DWORD *)p_; p_ += 4; return d; }
    short Short() { return (short)Word(); }
    void AlignDword() { p_ = base_ + ((p_ - base_ + 3) & ~3); }
    void Skip(size_t n) { p_ += n; }
    std::string Text()
    {
        std::string s;
        for (WORD c = Word(); c; c = Word())
            s += (char)c;
        return s;
    }
    // A name, or an ordinal as "#n".
    std::string NameOrOrdinal()
    {
        if (*(const WORD *)p_ != 0xFFFF)
            return Text();
        Word();
        return "#" + std::to_string(Word());
    }

private:
    const BYTE *base_, *p_;
};

WORD ClassAtom(const std::string &name)
{
    if (name[0] == '#')
        return (WORD)std::stoi(name.substr(1));
    const char *const names[] = { "Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox" };
    for (WORD i = 0; i < 6; i++)
        if (lstrcmpiA(name.c_str(), names[i]) == 0)
            return (WORD)(kButton + i);
    return 0;
}

void ReadHeader(TemplateReader &r, DialogTemplate *t, WORD *count)
{
    if (t->extended) {
        r.Dword();      // help id
        r.Dword();      // extended style
        t->style = r.Dword();
    } else {
        t->style = r.Dword();
        r.Dword();      // extended style
    }
    *count = r.Word();
    t->x = r.Short();
    t->y = r.Short();
    t->cx = r.Short();
    t->cy = r.Short();
    r.NameOrOrdinal();  // menu
    r.NameOrOrdinal();  // class
    t->title = r.Text();
    if (t->style & DS_SETFONT) {
        t->points = r.Word();
        if (t->extended) {
            r.Word();   // weight
            r.Skip(2);  // italic, character set
        }
        t->face = r.Text();
    }
}

TemplateItem ReadItem(TemplateReader &r, bool extended)
{
    TemplateItem item = {};
    r.AlignDword();
    if (extended) {
        r.Dword();      // help id
        r.Dword();      // extended style
        item.style = r.Dword();
    } else {
        item.style = r.Dword();
        r.Dword();      // extended style
    }
    item.x = r.Short();
    item.y = r.Short();
    item.cx = r.Short();
    item.cy = r.Short();
    item.id = extended ? (int)r.Dword() : (short)r.Word();
    std::string className = r.NameOrOrdinal();
    item.classAtom = ClassAtom(className);
    if (!item.classAtom)
        item.className = className;
    item.text = r.NameOrOrdinal();
    r.Skip(r.Word());   // creation data
    return item;
}

}  // namespace

DialogTemplate LoadDialogTemplate(int id)
{
    DialogTemplate t;
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), (LPCSTR)RT_DIALOG);
    if (!found)
        return t;
    const BYTE *bytes = (const BYTE *)LockResource(LoadResource(module, found));
    t.found = true;
    t.extended = ((const WORD *)bytes)[0] == 1 && ((const WORD *)bytes)[1] == 0xFFFF;
    TemplateReader r(bytes);
    if (t.extended)
        r.Skip(4);      // version, signature
    WORD count;
    ReadHeader(r, &t, &count);
    for (WORD i = 0; i < count; i++)
        t.items.push_back(ReadItem(r, t.extended));
    return t;
}

std::string Describe(const TemplateItem &i)
{
    char text[200];
    snprintf(text, sizeof(text), "id %d class %#x%s style %08lx at %d,%d %dx%d \"%s\"", i.id, i.classAtom,
             i.className.c_str(), (unsigned long)i.style, i.x, i.y, i.cx, i.cy, i.text.c_str());
    return text;
}

namespace {

std::function<void(HWND)> onDialog;
const char *dialogCaption;
bool dialogSeen;
UINT_PTR idGuard;

void CALLBACK ForceClose(HWND, UINT, UINT_PTR idTimer, DWORD)
{
    KillTimer(NULL, idTimer);
    HWND hDlg = FindWindowA("#32770", dialogCaption);
    if (hDlg) {
        ADD_FAILURE() << "the dialog did not close";
        EndDialog(hDlg, 0);
    }
}

void CALLBACK UseDialog(HWND, UINT, UINT_PTR idTimer, DWORD)
{
    KillTimer(NULL, idTimer);
    HWND hDlg = FindWindowA("#32770", dialogCaption);
    dialogSeen = hDlg != NULL;
    if (!hDlg) {
        HWND popup = GetLastActivePopup(hwndMain);
        if (popup != hwndMain)
            EndDialog(popup, 0);
        return;
    }
    idGuard = SetTimer(NULL, 0, 10000, ForceClose);     // never hang on a dialog left open
    onDialog(hDlg);
}

}  // namespace

void WithDialog(const char *caption, std::function<void()> open, std::function<void(HWND)> use)
{
    onDialog = use;
    dialogCaption = caption;
    dialogSeen = false;
    idGuard = 0;
    SetTimer(NULL, 0, 1, UseDialog);
    open();
    if (idGuard)
        KillTimer(NULL, idGuard);
    EXPECT_TRUE(dialogSeen) << caption;
    EXPECT_EQ(nullptr, FindWindowA("#32770", caption));
}

void OpenByCommand(const char *caption, UINT command, std::function<void(HWND)> use)
{
    WithDialog(caption, [command] { SendMessageA(hwndMain, WM_COMMAND, command, 0); }, use);
}

void Click(HWND hDlg, int id)
{
    SendDlgItemMessageA(hDlg, id, BM_CLICK, 0, 0);
}

std::string ItemText(HWND hItem)
{
    char text[300] = "";
    GetWindowTextA(hItem, text, sizeof(text));
    return text;
}

void PostKey(UINT vk)
{
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, vk, 0);
    PostMessageA(focus, WM_KEYUP, vk, 0xC0000000);
}
