// The simulated card: the chip's ports with the bus and its three devices,
// the display driver and the vertical-sync status, and the three seams of
// the application wired to them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "sim/clock.h"
#include "sim/config.h"
#include "sim/driver.h"
#include "sim/i2cbus.h"
#include "sim/picture.h"
#include "sim/saa7111a.h"
#include "sim/tuner.h"
#include "sim/vcd.h"
#include "sim/vga.h"

namespace sim {

class SimCard {
public:
    static constexpr DWORD kVsyncRegister = 0x200418;
    static constexpr DWORD kVsyncBit = 0x01000000;

    explicit SimCard(const SimConfig &config);

    // Opens the files the card was given: the trace to write, the picture to show.
    bool OpenFiles(std::string *error);

    Clock &clock() { return clock_; }
    I2cBus &bus() { return bus_; }
    VgaPorts &vga() { return vga_; }
    Saa7111a &decoder() { return decoder_; }
    Tuner &tuner() { return tuner_; }
    AudioSwitch &audio() { return audio_; }
    // The picture file, or null for the built-in test picture.
    PictureFile *picture() { return picture_.get(); }
    DisplayConfig &display() { return driver_.config(); }
    DisplayDriver &driver() { return driver_; }

    // The chip's status register: bit 24 changes at every field of the
    // source, unless the status is stuck (a fault; tests may set it).
    DWORD ReadChipRegister(DWORD dwOffset);
    void StickVsync(bool stuck) { vsyncStuck_ = stuck; }
    uint64_t FieldPeriodNs() const;

    // Back door for tests: the desktop goes to another pixel format, as
    // when the user changes the display settings. Every surface is lost.
    void ChangeDisplayMode(DesktopFormat format) { driver_.ChangeDisplayMode(format); }

private:
    Clock clock_;
    I2cBus bus_;
    VgaPorts vga_;
    Saa7111a decoder_;
    Tuner tuner_;
    AudioSwitch audio_;
    bool vsyncStuck_;
    std::string tracePath_;
    VcdTrace trace_;
    std::string picturePath_;
    std::unique_ptr<PictureFile> picture_;
    DisplayDriver driver_;      // last: its scan-out stops before the rest goes
};

// The card the application's seams are wired to, or null.
SimCard *CurrentCard();

// Makes a card from VIDMORA_SIM's text and wires the application to it.
// False, with a sentence for the user, when the text cannot be used.
bool Sim_Attach(const char *lpConfig, std::string *error);
// Wires the application to a card made from config (tests).
SimCard *Sim_AttachConfig(const SimConfig &config);
// Closes the trace and takes the card away.
void Sim_Detach();

}  // namespace sim
