#include "sim/regdevice.h"

namespace sim {

void RegisterDevice::OnStart(bool read)
{
    pointerNext_ = !read;
}

void RegisterDevice::OnWrite(uint8_t value)
{
    if (pointerNext_) {
        pointer_ = value % count_;
        pointerNext_ = false;
        return;
    }
    if (Writable(pointer_)) {
        regs_[pointer_] = value;
        writes_[pointer_]++;
    }
    pointer_ = (pointer_ + 1) % count_;
}

uint8_t RegisterDevice::OnRead()
{
    uint8_t value = ReadRegister(pointer_);
    pointer_ = (pointer_ + 1) % count_;
    return value;
}

}  // namespace sim
