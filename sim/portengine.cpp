#include "sim/portengine.h"

#include "sim/card.h"

namespace sim {

uint64_t PortEngine::CurrentField() const
{
    return card_.clock().NowNs() / card_.FieldPeriodNs();
}

void PortEngine::Start(const PortScaling &scaling, bool autoflip)
{
    Update(scaling, autoflip);
    running_ = true;
    next_ = CurrentField();
}

void PortEngine::Update(const PortScaling &scaling, bool autoflip)
{
    scaling_ = scaling;
    autoflip_ = autoflip;
}

void PortEngine::WriteOne(uint64_t index)
{
    SurfaceChain &chain = *target_;
    decoder_.Field(index, &field_);
    bool yuy2 = chain.format.dwFourCC == MAKEFOURCC('Y', 'U', 'Y', '2');
    FieldTarget target = { chain.Buffer(autoflip_), chain.pitch, chain.width, chain.height, yuy2 };
    WriteField(field_, (int)(index % 2), scaling_, target);
    if (autoflip_)
        chain.Flip();
}

void PortEngine::CatchUp()
{
    if (!running_ || !target_ || target_->locks > 0 || target_->modeSerial != card_.driver().modeSerial())
        return;
    uint64_t current = CurrentField();
    if (current < next_)
        return;
    for (uint64_t index = current > next_ ? current - 1 : next_; index <= current; index++)
        WriteOne(index);
    next_ = current + 1;
}

}  // namespace sim
