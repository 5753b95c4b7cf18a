// The decoder's picture controls as they act on its output, one UYVY line
// at a time:
//   Y' = (Y - 16) x contrast / 64 + 16 + (brightness - 128)
//   U' = 128 + saturation / 64 x ( u cos h - v sin h),  u = U - 128
//   V' = 128 + saturation / 64 x ( u sin h + v cos h),  v = V - 128
// with h = hue x 180 / 128 degrees (hue read as a signed byte), each result
// rounded and clamped to 0-255. Brightness 128, contrast 64, saturation 64
// and hue 0 leave the line as it is; saturation 0 gives grey (U = V = 128).
#pragma once

#include <cstdint>

namespace sim {

class PictureControls {
public:
    PictureControls(uint8_t brightness, uint8_t contrast, uint8_t saturation, uint8_t hue);

    void Apply(uint8_t *uyvy, int pixels) const;

private:
    uint8_t luma_[256];
    int32_t cosine_, sine_;     // saturation x cos h, x sin h, in 1/4096
};

}  // namespace sim
