// One field as the decoder delivers it to the video port, and the port's
// writing of it into a surface.
//
// A field is 251 lines of 720 pixels: lines 0-10 are vertical blanking
// (black: Y 10, U/V 80), lines 11-250 the 240 active lines, every other row
// of the 720 x 480 frame: rows 0, 2, ... 478 in the even field (parity 0),
// rows 1, 3, ... 479 in the odd one.
//
// The port's prescaler takes the nearest sample: output pixel x of a line
// prescaled to width w is input pixel x x 720 / w (an output pair's U and V
// those of the input pair holding its first pixel's sample), output line r
// of height h is field line r x 251 / h. The field lands at column 0, row 0
// of the surface: on consecutive rows, or on every other row from row
// `parity` when the port interleaves the two fields. Rows and columns past
// the surface's edge are not written.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "sim/controls.h"

namespace sim {

constexpr int kLineSamples = 720;
constexpr int kFieldLines = 251;
constexpr int kBlankingLines = 11;
constexpr int kFrameRows = 480;

// Field parity of a 720 x 480 UYVY frame, through the decoder's controls.
void BuildField(const uint8_t *frame, int parity, const PictureControls &controls, std::vector<uint8_t> *field);
// A field of black, as the port sees it when the decoder sends no picture.
void BlackField(std::vector<uint8_t> *field);

struct PortScaling {
    int width = kLineSamples;
    int height = kFieldLines;
    bool interleave = false;
};

// Where the port writes: a surface's memory, in UYVY or YUY2.
struct FieldTarget {
    uint8_t *memory;
    LONG pitch;
    int width, height;
    bool yuy2;
};

void WriteField(const std::vector<uint8_t> &field, int parity, const PortScaling &scaling, const FieldTarget &target);

}  // namespace sim
