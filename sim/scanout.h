// The overlay's scan-out: the card's own thread, which at every field puts
// the overlay on the screen as the hardware would, beside the program.
//
// At each field the port is given its due, then the overlay, if shown and
// its window neither hidden nor minimised, is drawn into the window's
// client area: the source rectangle of the front buffer scaled (nearest
// pixel) into the destination rectangle, converted to RGB. Unkeyed, over
// the whole destination rectangle; keyed, only where the screen shows the
// key colour. The sim has no overlay plane of its own, so it paints the
// screen itself: a pixel it painted with video last time, and that still
// shows that video, counts as key colour too.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace sim {

class SimCard;
class DisplayDriver;
struct OverlayPlacement;

class ScanOut {
public:
    ScanOut(SimCard &card, DisplayDriver &driver);
    ~ScanOut();

private:
    void Run();
    void ShowField();
    void Draw(const OverlayPlacement &overlay, HDC hdc, const RECT &part);
    void RememberUnkeyed(const RECT &part);
    void MergeKeyed(const OverlayPlacement &overlay, uint32_t *screen, const RECT &part);

    SimCard &card_;
    DisplayDriver &driver_;
    std::mutex wake_;
    std::condition_variable stopped_;
    bool stop_ = false;
    std::vector<uint32_t> video_;       // the field, scaled to what shows of the destination
    std::vector<uint32_t> painted_;     // what a keyed field left on the screen
    std::vector<uint8_t> wasVideo_;
    RECT paintedPart_ = {};
    std::thread thread_;
};

}  // namespace sim
