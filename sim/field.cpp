#include "sim/field.h"

#include <algorithm>
#include <cstring>

#include "sim/testpicture.h"

namespace sim {

static const int kLineBytes = kLineSamples * 2;

static void BlackLine(uint8_t *line)
{
    for (int i = 0; i < kLineBytes; i += 2) {
        line[i] = TestPicture::kBlack.u;    // U and V are both 80
        line[i + 1] = TestPicture::kBlack.y;
    }
}

void BlackField(std::vector<uint8_t> *field)
{
    field->resize((size_t)kFieldLines * kLineBytes);
    for (int line = 0; line < kFieldLines; line++)
        BlackLine(field->data() + line * kLineBytes);
}

void BuildField(const uint8_t *frame, int parity, const PictureControls &controls, std::vector<uint8_t> *field)
{
    BlackField(field);
    for (int line = kBlankingLines; line < kFieldLines; line++) {
        uint8_t *out = field->data() + line * kLineBytes;
        memcpy(out, frame + (2 * (line - kBlankingLines) + parity) * kLineBytes, kLineBytes);
        controls.Apply(out, kLineSamples);
    }
}

// One prescaled line: pixel x from input pixel x * 720 / width.
static void ScaleLine(const uint8_t *in, int width, int pixels, bool yuy2, uint8_t *out)
{
    for (int x = 0; x + 1 < pixels; x += 2, out += 4) {
        int first = x * kLineSamples / width, second = (x + 1) * kLineSamples / width;
        const uint8_t *pair = in + (first & ~1) * 2;
        uint8_t u = pair[0], v = pair[2], y0 = in[first * 2 + 1], y1 = in[second * 2 + 1];
        if (yuy2) {
            out[0] = y0, out[1] = u, out[2] = y1, out[3] = v;
        } else {
            out[0] = u, out[1] = y0, out[2] = v, out[3] = y1;
        }
    }
}

void WriteField(const std::vector<uint8_t> &field, int parity, const PortScaling &scaling, const FieldTarget &target)
{
    int pixels = std::min(scaling.width, target.width);
    for (int r = 0; r < scaling.height; r++) {
        int row = scaling.interleave ? 2 * r + parity : r;
        if (row >= target.height)
            break;
        const uint8_t *in = field.data() + (size_t)(r * kFieldLines / scaling.height) * kLineBytes;
        ScaleLine(in, scaling.width, pixels, target.yuy2, target.memory + (size_t)row * target.pitch);
    }
}

}  // namespace sim
