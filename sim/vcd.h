// A value-change dump of the two bus lines, as logic analyser software reads
// it: signals SCL and SDA, times in microseconds.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace sim {

class VcdTrace {
public:
    ~VcdTrace();

    bool Open(const std::string &path, bool scl, bool sda);
    // Times are given in nanoseconds of the card's clock.
    // One write of the output register: a timestamp of its own, with the
    // lines it changed.
    void Write(uint64_t t, bool scl, bool sda);
    // A change a device made by itself (a late acknowledge, the end of a
    // stretched clock); nothing is written when nothing changed.
    void Change(uint64_t t, bool scl, bool sda);
    // Writes the closing timestamp, one after the last change.
    void Close();

private:
    void Stamp(uint64_t t, bool scl, bool sda);

    FILE *file_ = nullptr;
    uint64_t lastTime_ = 0;
    bool scl_ = true, sda_ = true;
};

}  // namespace sim
