// The simulated card's own time. Live: the wall clock. Stepped: time moves
// only by fixed amounts per port access and register poll, and by every
// pause the card is told about, so that tests are exact and fast.
#pragma once

#include <windows.h>

#include <cstdint>

namespace sim {

class Clock {
public:
    enum class Mode { Live, Stepped };

    static constexpr uint64_t kPortAccessNs = 1000;   // one ISA bus cycle

    explicit Clock(Mode mode);

    Mode mode() const { return mode_; }
    uint64_t NowNs() const;
    void PortAccess();
    void Sleep(DWORD dwMilliseconds);

private:
    Mode mode_;
    uint64_t steppedNs_ = 0;
    LARGE_INTEGER frequency_;
    LARGE_INTEGER start_;
};

}  // namespace sim
