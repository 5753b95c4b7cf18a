#include "sim/controls.h"

#include <cmath>

namespace sim {

static uint8_t Clamp(int value)
{
    return (uint8_t)(value < 0 ? 0 : value > 255 ? 255 : value);
}

PictureControls::PictureControls(uint8_t brightness, uint8_t contrast, uint8_t saturation, uint8_t hue)
{
    for (int y = 0; y < 256; y++) {
        double scaled = (y - 16) * contrast / 64.0;
        luma_[y] = Clamp((int)std::floor(scaled + 0.5) + 16 + brightness - 128);
    }
    const double kPi = 3.14159265358979323846;
    double angle = (int8_t)hue * kPi / 128.0;
    cosine_ = (int32_t)std::lround(saturation / 64.0 * std::cos(angle) * 4096);
    sine_ = (int32_t)std::lround(saturation / 64.0 * std::sin(angle) * 4096);
}

void PictureControls::Apply(uint8_t *uyvy, int pixels) const
{
    for (int i = 0; i + 1 < pixels; i += 2, uyvy += 4) {
        int u = uyvy[0] - 128, v = uyvy[2] - 128;
        // An arithmetic shift after adding half rounds to the nearest level.
        uyvy[0] = Clamp(128 + ((u * cosine_ - v * sine_ + 2048) >> 12));
        uyvy[2] = Clamp(128 + ((u * sine_ + v * cosine_ + 2048) >> 12));
        uyvy[1] = luma_[uyvy[1]];
        uyvy[3] = luma_[uyvy[3]];
    }
}

}  // namespace sim
