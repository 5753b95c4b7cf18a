// Dialogs in tests: templates read back out of the module's resources, and
// real modal dialogs driven from inside their own message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The predefined control classes, by atom.
const WORD kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kListBox = 0x83, kScrollBar = 0x84, kComboBox = 0x85;

struct TemplateItem {
    int id;
    WORD classAtom;     // a predefined class by atom, whether stored by atom or by name; 0 for others
    DWORD style;
    short x, y, cx, cy;
    std::string text;   // an ordinal title as "#n"
    std::string className = "";   // the class as stored, when it is not a predefined one
};

struct DialogTemplate {
    bool found = false;
    bool extended = false;     // DIALOGEX
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string title, face;
    WORD points = 0;
    std::vector<TemplateItem> items;
};

// DIALOG and DIALOGEX templates alike.
DialogTemplate LoadDialogTemplate(int id);
// One line for an item, so that a mismatch shows what differs.
std::string Describe(const TemplateItem &item);

// Runs `open` (which enters a dialog's modal loop) with `use` applied to
// the dialog captioned `caption` once it is up; the dialog must have closed
// when `open` returns (a guard closes it after 10 s and fails the test).
void WithDialog(const char *caption, std::function<void()> open, std::function<void(HWND)> use);
// The same, the dialog opened by a command to hwndMain.
void OpenByCommand(const char *caption, UINT command, std::function<void(HWND)> use);

void Click(HWND hDlg, int id);
std::string ItemText(HWND hItem);
// Posted to the focus, so that the dialog's own loop sees a keystroke.
void PostKey(UINT vk);
