#include "sim/clock.h"

namespace sim {

Clock::Clock(Mode mode) : mode_(mode)
{
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
}

uint64_t Clock::NowNs() const
{
    if (mode_ == Mode::Stepped)
        return steppedNs_;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    uint64_t ticks = (uint64_t)(now.QuadPart - start_.QuadPart);
    uint64_t hz = (uint64_t)frequency_.QuadPart;
    return ticks / hz * 1000000000ull + ticks % hz * 1000000000ull / hz;
}

void Clock::PortAccess()
{
    if (mode_ == Mode::Stepped)
        steppedNs_ += kPortAccessNs;
}

void Clock::Sleep(DWORD dwMilliseconds)
{
    if (mode_ == Mode::Stepped)
        steppedNs_ += dwMilliseconds * 1000000ull;
    else
        ::Sleep(dwMilliseconds);
}

}  // namespace sim
