// What the decoder sends the video port in each field: the picture source
// (the picture file, else the test picture) through the decoder's picture
// controls, or black while the decoder has no lock or its output is off.
#pragma once

#include <cstdint>
#include <vector>

namespace sim {

class SimCard;

class DecoderOutput {
public:
    explicit DecoderOutput(SimCard &card) : card_(card) {}

    // Field number index since the card started: frame index / 2, parity index % 2.
    void Field(uint64_t index, std::vector<uint8_t> *field);

private:
    bool LoadFrame(int frame);

    SimCard &card_;
    std::vector<uint8_t> frame_;
    int loaded_ = -1;
};

}  // namespace sim
