#include "sim/driver.h"

#include "sim/card.h"
#include "sim/scanout.h"

namespace sim {

DisplayDriver::DisplayDriver(SimCard &card, const DisplayConfig &config)
    : card_(card), config_(config), desktop_(config.desktop), port_(card)
{
}

DisplayDriver::~DisplayDriver()
{
    scanOut_.reset();       // joins the thread before anything it reads goes
}

void DisplayDriver::ChangeDisplayMode(DesktopFormat format)
{
    std::lock_guard<std::mutex> hold(lock_);
    desktop_ = format;
    modeSerial_++;
    overlay_ = OverlayPlacement();
}

bool DisplayDriver::ClaimPort()
{
    if (portClaimed_)
        return false;
    portClaimed_ = true;
    return true;
}

void DisplayDriver::ReleasePort()
{
    std::lock_guard<std::mutex> hold(lock_);
    port_.Stop();
    port_.SetTarget(nullptr);
    portClaimed_ = false;
}

// The caller holds the lock.
void DisplayDriver::ShowOverlay(const OverlayPlacement &placement)
{
    overlay_ = placement;
    if (card_.clock().mode() == Clock::Mode::Live && !scanOut_)
        scanOut_.reset(new ScanOut(card_, *this));
}

void DisplayDriver::HideOverlay(const SurfaceChain *chain)
{
    if (overlay_.chain.get() == chain)
        overlay_ = OverlayPlacement();
}

}  // namespace sim
