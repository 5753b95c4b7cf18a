// The video port as hardware: once started it writes every field of the
// decoder into its target, the back buffer of the flip chain, and flips
// the chain (autoflip), so that the front buffer holds the latest complete
// field; without autoflip it writes into the target's front buffer alone.
//
// The port is clocked by the card: CatchUp writes the fields that came due
// since it last ran, up to the field current on the card's clock (field n
// is current from n x period to (n + 1) x period). Only the last two are
// written, as the earlier ones would be overwritten anyway. A chain that is
// locked or lost is left alone. The caller holds the display driver's lock.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "sim/chain.h"
#include "sim/decoderout.h"
#include "sim/field.h"

namespace sim {

class SimCard;

class PortEngine {
public:
    explicit PortEngine(SimCard &card) : card_(card), decoder_(card) {}

    void SetTarget(std::shared_ptr<SurfaceChain> target) { target_ = target; }
    const std::shared_ptr<SurfaceChain> &target() const { return target_; }
    // Programs the port; fields are written from the one current now.
    void Start(const PortScaling &scaling, bool autoflip);
    void Update(const PortScaling &scaling, bool autoflip);
    void Stop() { running_ = false; }
    bool running() const { return running_; }
    const PortScaling &scaling() const { return scaling_; }
    bool autoflip() const { return autoflip_; }

    void CatchUp();

private:
    uint64_t CurrentField() const;
    void WriteOne(uint64_t index);

    SimCard &card_;
    DecoderOutput decoder_;
    std::shared_ptr<SurfaceChain> target_;
    bool running_ = false;
    bool autoflip_ = false;
    PortScaling scaling_;
    uint64_t next_ = 0;     // the first field not yet written
    std::vector<uint8_t> field_;
};

}  // namespace sim
