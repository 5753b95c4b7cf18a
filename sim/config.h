// What VIDMORA_SIM says about the simulated card: comma-separated
// key=value items (the README lists them).
#pragma once

#include <string>
#include <vector>

#include "sim/clock.h"
#include "sim/displayconfig.h"
#include "sim/saa7111a.h"

namespace sim {

struct SimConfig {
    Clock::Mode clock = Clock::Mode::Live;
    VideoSource source;
    bool decoderPresent = true;
    std::string tracePath;
    std::string picturePath;    // empty: the built-in test picture
    bool sclStuck = false;
    bool vsyncStuck = false;     // the chip's vertical-sync status never changes
    int ackDelay = -1;          // the decoder's acknowledge, reads late
    int stretch = 0;            // the decoder's clock stretching, in reads
    int wakeAfter = 0;          // times the decoder is addressed before it answers
    std::vector<double> stations;   // picture carriers in MHz
    DisplayConfig display;

    SimConfig() : display(DefaultDisplayConfig()) {}
};

// Fills config from text; false with a sentence for the user when an item
// cannot be used.
bool ParseSimConfig(const std::string &text, SimConfig *config, std::string *error);

}  // namespace sim
