// Keeps every message box the application shows, and answers it with OK.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct RecordedBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
};

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();

    const std::vector<RecordedBox> &boxes() const { return boxes_; }
    std::vector<std::string> captions() const;
    void Clear() { boxes_.clear(); }

    // Runs while a box is up, where the box's own message loop would
    // dispatch the application's messages.
    std::function<void(const RecordedBox &)> whileShown;

private:
    static int Record(HWND owner, const char *text, const char *caption, UINT flags);
    std::vector<RecordedBox> boxes_;
};
