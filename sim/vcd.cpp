#include "sim/vcd.h"

namespace sim {

// VCD identifiers of the two signals.
static const char kSclId = '!';
static const char kSdaId = '"';

VcdTrace::~VcdTrace()
{
    Close();
}

bool VcdTrace::Open(const std::string &path, bool scl, bool sda)
{
    file_ = fopen(path.c_str(), "wb");
    if (!file_)
        return false;
    scl_ = scl;
    sda_ = sda;
    fprintf(file_, "$timescale 1 us $end\n$scope module card $end\n");
    fprintf(file_, "$var wire 1 %c SCL $end\n$var wire 1 %c SDA $end\n", kSclId, kSdaId);
    fprintf(file_, "$upscope $end\n$enddefinitions $end\n");
    fprintf(file_, "#0\n$dumpvars\n%d%c\n%d%c\n$end\n", scl, kSclId, sda, kSdaId);
    return true;
}

void VcdTrace::Write(uint64_t t, bool scl, bool sda)
{
    if (file_)
        Stamp(t, scl, sda);
}

void VcdTrace::Change(uint64_t t, bool scl, bool sda)
{
    if (file_ && (scl != scl_ || sda != sda_))
        Stamp(t, scl, sda);
}

void VcdTrace::Stamp(uint64_t tNs, bool scl, bool sda)
{
    uint64_t t = tNs / 1000;
    if (t <= lastTime_)
        t = lastTime_ + 1;              // every change gets a time of its own
    fprintf(file_, "#%llu\n", (unsigned long long)t);
    if (scl != scl_)
        fprintf(file_, "%d%c\n", scl, kSclId);
    if (sda != sda_)
        fprintf(file_, "%d%c\n", sda, kSdaId);
    scl_ = scl;
    sda_ = sda;
    lastTime_ = t;
}

void VcdTrace::Close()
{
    if (!file_)
        return;
    fprintf(file_, "#%llu\n", (unsigned long long)(lastTime_ + 1));
    fclose(file_);
    file_ = nullptr;
}

}  // namespace sim
