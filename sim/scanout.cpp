#include "sim/scanout.h"

#include <chrono>

#include "sim/card.h"
#include "sim/yuvrgb.h"

namespace sim {

ScanOut::ScanOut(SimCard &card, DisplayDriver &driver) : card_(card), driver_(driver)
{
    thread_ = std::thread(&ScanOut::Run, this);
}

ScanOut::~ScanOut()
{
    {
        std::lock_guard<std::mutex> hold(wake_);
        stop_ = true;
    }
    stopped_.notify_all();
    thread_.join();
}

void ScanOut::Run()
{
    std::unique_lock<std::mutex> hold(wake_);
    while (!stop_) {
        uint64_t period = card_.FieldPeriodNs(), now = card_.clock().NowNs();
        uint64_t wait = period - now % period;
        if (stopped_.wait_for(hold, std::chrono::nanoseconds(wait), [this] { return stop_; }))
            break;
        hold.unlock();
        ShowField();
        hold.lock();
    }
}

static COLORREF AsDibPixel(COLORREF colour)
{
    return (DWORD)GetRValue(colour) << 16 | (DWORD)GetGValue(colour) << 8 | GetBValue(colour);
}

// The part of the destination rectangle inside the window's client area,
// in client coordinates.
static bool VisiblePart(const OverlayPlacement &overlay, RECT *part)
{
    HWND top = GetAncestor(overlay.hwnd, GA_ROOT);
    if (!IsWindow(overlay.hwnd) || !IsWindowVisible(overlay.hwnd) || (top && IsIconic(top)))
        return false;
    RECT dest = overlay.dest, client;
    MapWindowPoints(NULL, overlay.hwnd, (POINT *)&dest, 2);
    GetClientRect(overlay.hwnd, &client);
    return IntersectRect(part, &dest, &client) != FALSE;
}

void ScanOut::ShowField()
{
    std::lock_guard<std::mutex> hold(driver_.lock());
    driver_.port().CatchUp();
    const OverlayPlacement &overlay = driver_.overlay();
    RECT part;
    if (!overlay.chain || !overlay.hwnd || !VisiblePart(overlay, &part))
        return;
    HDC hdc = GetDC(overlay.hwnd);
    if (hdc) {
        Draw(overlay, hdc, part);
        ReleaseDC(overlay.hwnd, hdc);
    }
}

// Client pixel (x, y) shows source pixel src + (screen - dest) x src size / dest size.
static void ScaleField(const OverlayPlacement &overlay, HWND hwnd, const RECT &part, std::vector<uint32_t> *video)
{
    const RECT &src = overlay.src, &dest = overlay.dest;
    POINT origin = { part.left, part.top };
    MapWindowPoints(hwnd, NULL, &origin, 1);
    int width = part.right - part.left, height = part.bottom - part.top;
    LONG destWidth = dest.right - dest.left, destHeight = dest.bottom - dest.top;
    video->resize((size_t)width * height);
    for (int y = 0; y < height; y++) {
        int row = src.top + (origin.y + y - dest.top) * (src.bottom - src.top) / destHeight;
        for (int x = 0; x < width; x++) {
            int column = src.left + (origin.x + x - dest.left) * (src.right - src.left) / destWidth;
            (*video)[(size_t)y * width + x] = FrontPixel(*overlay.chain, column, row);
        }
    }
}

// An unkeyed field covers the whole part with video; what lay beneath it
// (the key colour the program painted) is what a keyed field would find
// there, so every pixel of it counts as video shown.
void ScanOut::RememberUnkeyed(const RECT &part)
{
    painted_ = video_;
    wasVideo_.assign(video_.size(), 1);
    paintedPart_ = part;
}

void ScanOut::MergeKeyed(const OverlayPlacement &overlay, uint32_t *screen, const RECT &part)
{
    size_t count = video_.size();
    if (!EqualRect(&part, &paintedPart_) || painted_.size() != count) {
        painted_.assign(count, 0);
        wasVideo_.assign(count, 0);
        paintedPart_ = part;
    }
    uint32_t key = AsDibPixel(overlay.key);
    for (size_t i = 0; i < count; i++) {
        uint32_t shown = screen[i] & 0xFFFFFF;
        bool keyed = shown == key || (wasVideo_[i] && shown == painted_[i]);
        wasVideo_[i] = keyed;
        if (keyed)
            screen[i] = video_[i];
        painted_[i] = screen[i] & 0xFFFFFF;
    }
}

void ScanOut::Draw(const OverlayPlacement &overlay, HDC hdc, const RECT &part)
{
    ScaleField(overlay, overlay.hwnd, part, &video_);
    int width = part.right - part.left, height = part.bottom - part.top;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;      // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    if (!overlay.keyed) {
        SetDIBitsToDevice(hdc, part.left, part.top, width, height, 0, 0, 0, height, video_.data(), &bmi,
                          DIB_RGB_COLORS);
        RememberUnkeyed(part);
        return;
    }
    void *bits = nullptr;
    HBITMAP dib = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    HDC memory = CreateCompatibleDC(hdc);
    if (dib && memory) {
        HGDIOBJ old = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, width, height, hdc, part.left, part.top, SRCCOPY);
        GdiFlush();
        MergeKeyed(overlay, (uint32_t *)bits, part);
        BitBlt(hdc, part.left, part.top, width, height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
    }
    if (memory)
        DeleteDC(memory);
    if (dib)
        DeleteObject(dib);
}

}  // namespace sim
