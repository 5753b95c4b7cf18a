// The card's display driver: the desktop's mode, the overlay on the
// screen, the video port, and what was painted on the primary surface.
// The surfaces, the port and the clipper are its COM faces; the scan-out
// thread reads what it holds, under its lock.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>

#include "sim/chain.h"
#include "sim/desktop.h"
#include "sim/displayconfig.h"
#include "sim/portengine.h"

namespace sim {

class SimCard;
class ScanOut;

// The overlay as the hardware shows it.
struct OverlayPlacement {
    std::shared_ptr<SurfaceChain> chain;    // null: no overlay shown
    RECT src = {}, dest = {};               // in overlay pixels, in screen pixels
    bool keyed = false;                     // only where the screen shows key
    COLORREF key = 0;
    HWND hwnd = NULL;                       // the window the primary is clipped to
};

// The last colour fill on the primary surface.
struct PrimaryFill {
    int count = 0;
    RECT rect = {};         // screen coordinates
    DWORD value = 0;        // in the desktop's format
    COLORREF colour = 0;    // as it shows
};

class DisplayDriver {
public:
    DisplayDriver(SimCard &card, const DisplayConfig &config);
    ~DisplayDriver();

    DisplayConfig &config() { return config_; }
    std::mutex &lock() { return lock_; }
    PortEngine &port() { return port_; }

    DesktopFormat desktop() const { return desktop_; }
    unsigned modeSerial() const { return modeSerial_; }
    // Every surface made so far is lost, the overlay goes off the screen.
    void ChangeDisplayMode(DesktopFormat format);

    // The port is in use from CreateVideoPort to the port's release (which stops it).
    bool ClaimPort();
    void ReleasePort();

    // These two with the lock held; showing the overlay in live mode starts the scan-out.
    void ShowOverlay(const OverlayPlacement &placement);
    // Takes chain's overlay off the screen, if it is the one shown.
    void HideOverlay(const SurfaceChain *chain);
    const OverlayPlacement &overlay() const { return overlay_; }

    void RecordFill(const PrimaryFill &fill) { fill_ = fill; }
    const PrimaryFill &lastFill() const { return fill_; }

private:
    SimCard &card_;
    DisplayConfig config_;
    std::mutex lock_;
    DesktopFormat desktop_;
    unsigned modeSerial_ = 1;
    PortEngine port_;
    bool portClaimed_ = false;
    OverlayPlacement overlay_;
    PrimaryFill fill_;
    std::unique_ptr<ScanOut> scanOut_;
};

}  // namespace sim
