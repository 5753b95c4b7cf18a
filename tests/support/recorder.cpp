#include "tests/support/recorder.h"

#include "common/msgbox.h"

static MessageRecorder *active;

MessageRecorder::MessageRecorder()
{
    active = this;
    SetMessageBoxProc(Record);
}

MessageRecorder::~MessageRecorder()
{
    SetMessageBoxProc(NULL);
    active = nullptr;
}

std::vector<std::string> MessageRecorder::captions() const
{
    std::vector<std::string> result;
    for (const RecordedBox &box : boxes_)
        result.push_back(box.caption);
    return result;
}

int MessageRecorder::Record(HWND owner, const char *text, const char *caption, UINT flags)
{
    RecordedBox box{ owner, text ? text : "", caption ? caption : "", flags };
    active->boxes_.push_back(box);
    if (active->whileShown)
        active->whileShown(box);
    return IDOK;
}
