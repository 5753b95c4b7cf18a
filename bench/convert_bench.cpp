// The frame conversions at the capture size, 352 x 240 UYVY, against
// libyuv, swscale and memcpy, all in one process on the same frames.
//
// Every routine is measured twice: "warm", converting one frame over and
// over (source and output stay in the caches), and "cold", walking in order
// through a ring of source frames far larger than the last-level cache, so
// that each source frame comes from main memory; the output is always the
// one buffer, as in a conversion run. After the table, one line per goal:
// "speedup NAME FACTOR", the anchor's median time over ours. The times
// compared are CPU times: the benchmark is one thread, and on a shared
// machine the wall time also counts whatever else ran meanwhile.
#include <benchmark/benchmark.h>

#include <libyuv.h>
extern "C" {
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "avifile/kernels.h"

namespace {

const int kWidth = 352, kHeight = 240;
const size_t kFrameBytes = 2 * kWidth * kHeight;           // 168,960
const size_t kRgb24Bytes = 3 * kWidth * kHeight;
const size_t kYvu9Bytes = kWidth * kHeight * 9 / 8;
const size_t kRingBytes = 256u << 20;
const size_t kRingFrames = kRingBytes / kFrameBytes;

// The source frames: random bytes, every value of Y, U and V equally likely.
std::vector<uint8_t> ring;
// The outputs, and libyuv's intermediate ARGB frame.
std::vector<uint8_t> rgb24(kRgb24Bytes), yvu9(kYvu9Bytes), argb(4 * kWidth * kHeight), copy(kFrameBytes);
SwsContext *toBgr24, *toYuv410p;

void FillRing(void)
{
    ring.resize(kRingFrames * kFrameBytes);
    uint64_t state = 0x9E3779B97F4A7C15ull;
    for (size_t i = 0; i + 8 <= ring.size(); i += 8) {
        // splitmix64
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        memcpy(&ring[i], &z, 8);
    }
}

typedef std::function<void(const uint8_t *lpUYVY)> Conversion;

void ConvertOurRgb24Reference(const uint8_t *lpUYVY) { Rgb24FrameFromUyvyReference(lpUYVY, rgb24.data(), kWidth, kHeight); }
void ConvertOurRgb24(const uint8_t *lpUYVY) { Rgb24FrameFromUyvy(lpUYVY, rgb24.data(), kWidth, kHeight); }
void ConvertOurYvu9Reference(const uint8_t *lpUYVY) { Yvu9FrameFromUyvyReference(lpUYVY, yvu9.data(), kWidth, kHeight); }
void ConvertOurYvu9(const uint8_t *lpUYVY) { Yvu9FrameFromUyvy(lpUYVY, yvu9.data(), kWidth, kHeight); }

// UYVY to ARGB, then ARGB to RGB24 (blue green red in memory, as ours), the
// second step reading the ARGB frame bottom-up (a negative height) so that
// the output is bottom-up like ours.
void ConvertLibyuvRgb24(const uint8_t *lpUYVY)
{
    libyuv::UYVYToARGB(lpUYVY, 2 * kWidth, argb.data(), 4 * kWidth, kWidth, kHeight);
    libyuv::ARGBToRGB24(argb.data(), 4 * kWidth, rgb24.data(), 3 * kWidth, kWidth, -kHeight);
}

// BGR24 bottom-up: the output's last row first, with a negative stride.
void ConvertSwscaleBgr24(const uint8_t *lpUYVY)
{
    const uint8_t *src[4] = { lpUYVY };
    int srcStride[4] = { 2 * kWidth };
    uint8_t *dst[4] = { rgb24.data() + (size_t)3 * kWidth * (kHeight - 1) };
    int dstStride[4] = { -3 * kWidth };
    sws_scale(toBgr24, src, srcStride, 0, kHeight, dst, dstStride);
}

// YUV410P into the YVU9 layout: luma, then V, then U.
void ConvertSwscaleYuv410p(const uint8_t *lpUYVY)
{
    const uint8_t *src[4] = { lpUYVY };
    int srcStride[4] = { 2 * kWidth };
    uint8_t *v = yvu9.data() + kWidth * kHeight, *u = v + (kWidth / 4) * (kHeight / 4);
    uint8_t *dst[4] = { yvu9.data(), u, v };
    int dstStride[4] = { kWidth, kWidth / 4, kWidth / 4 };
    sws_scale(toYuv410p, src, srcStride, 0, kHeight, dst, dstStride);
}

void CopyFrame(const uint8_t *lpUYVY) { memcpy(copy.data(), lpUYVY, kFrameBytes); }

void Run(benchmark::State &state, Conversion convert, bool bCold)
{
    size_t i = 0;
    for (auto _ : state) {
        convert(&ring[i * kFrameBytes]);
        benchmark::ClobberMemory();
        if (bCold && ++i == kRingFrames)
            i = 0;
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)kFrameBytes);
}

// The console table as usual, and each median kept by name.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    explicit MedianReporter(OutputOptions options) : ConsoleReporter(options) {}
    std::map<std::string, double> medians;
    void ReportRuns(const std::vector<Run> &reports) override
    {
        for (const Run &run : reports)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(reports);
    }
};

// Our fast paths must give their references' bytes, here too.
bool FastPathsAgree(void)
{
    std::vector<uint8_t> expected(kRgb24Bytes), actual(kRgb24Bytes);
    for (size_t f = 0; f < kRingFrames; f += kRingFrames / 7) {
        const uint8_t *lpUYVY = &ring[f * kFrameBytes];
        Rgb24FrameFromUyvyReference(lpUYVY, expected.data(), kWidth, kHeight);
        Rgb24FrameFromUyvy(lpUYVY, actual.data(), kWidth, kHeight);
        if (expected != actual)
            return false;
        uint32_t dwRgb24Paths;
        const Rgb24FramePath *lpRgb24Paths = Rgb24FramePaths(&dwRgb24Paths);
        for (uint32_t i = 0; i < dwRgb24Paths; i++) {
            actual.assign(kRgb24Bytes, 1);
            lpRgb24Paths[i].lpConvert(lpUYVY, actual.data(), kWidth, kHeight);
            if (expected != actual)
                return false;
        }
        expected.assign(kYvu9Bytes, 0), actual.assign(kYvu9Bytes, 1);
        Yvu9FrameFromUyvyReference(lpUYVY, expected.data(), kWidth, kHeight);
        Yvu9FrameFromUyvy(lpUYVY, actual.data(), kWidth, kHeight);
        if (expected != actual)
            return false;
        uint32_t dwPaths;
        const Yvu9FramePath *lpPaths = Yvu9FramePaths(&dwPaths);
        for (uint32_t i = 0; i < dwPaths; i++) {
            actual.assign(kYvu9Bytes, 1);
            lpPaths[i].lpConvert(lpUYVY, actual.data(), kWidth, kHeight);
            if (expected != actual)
                return false;
        }
        expected.resize(kRgb24Bytes), actual.resize(kRgb24Bytes);
    }
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    FillRing();
    if (!FastPathsAgree()) {
        fprintf(stderr, "convert_bench: a fast path differs from its reference\n");
        return 1;
    }
    // SWS_POINT: no filtering, for the unscaled conversion the least work.
    toBgr24 = sws_getContext(kWidth, kHeight, AV_PIX_FMT_UYVY422, kWidth, kHeight, AV_PIX_FMT_BGR24, SWS_POINT,
                             NULL, NULL, NULL);
    toYuv410p = sws_getContext(kWidth, kHeight, AV_PIX_FMT_UYVY422, kWidth, kHeight, AV_PIX_FMT_YUV410P, SWS_POINT,
                               NULL, NULL, NULL);
    if (!toBgr24 || !toYuv410p) {
        fprintf(stderr, "convert_bench: no swscale context\n");
        return 1;
    }

    const struct {
        const char *lpName;
        Conversion convert;
    } routines[] = {
        { "rgb24/ours-reference", ConvertOurRgb24Reference },
        { "rgb24/ours", ConvertOurRgb24 },
        { "rgb24/libyuv-uyvytoargb-argbtorgb24", ConvertLibyuvRgb24 },
        { "rgb24/swscale-bgr24-point", ConvertSwscaleBgr24 },
        { "yvu9/ours-reference", ConvertOurYvu9Reference },
        { "yvu9/ours", ConvertOurYvu9 },
        { "yvu9/swscale-yuv410p-point", ConvertSwscaleYuv410p },
        { "memcpy/frame", CopyFrame },
    };
    std::vector<std::pair<std::string, Conversion>> conversions;
    for (const auto &routine : routines)
        conversions.emplace_back(routine.lpName, routine.convert);
    // Each YVU9 path of this processor on its own, beside the one "ours" picks.
    uint32_t dwPaths;
    const Yvu9FramePath *lpPaths = Yvu9FramePaths(&dwPaths);
    for (uint32_t i = 0; i < dwPaths; i++) {
        Yvu9FrameProc lpConvert = lpPaths[i].lpConvert;
        conversions.emplace_back(std::string("yvu9/ours-path-") + lpPaths[i].lpName, [lpConvert](const uint8_t *lpUYVY) {
            lpConvert(lpUYVY, yvu9.data(), kWidth, kHeight);
        });
    }
    // And each RGB path likewise.
    uint32_t dwRgb24Paths;
    const Rgb24FramePath *lpRgb24Paths = Rgb24FramePaths(&dwRgb24Paths);
    for (uint32_t i = 0; i < dwRgb24Paths; i++) {
        Rgb24FrameProc lpConvert = lpRgb24Paths[i].lpConvert;
        conversions.emplace_back(std::string("rgb24/ours-path-") + lpRgb24Paths[i].lpName,
                                 [lpConvert](const uint8_t *lpUYVY) { lpConvert(lpUYVY, rgb24.data(), kWidth, kHeight); });
    }
    for (const auto &conversion : conversions) {
        for (bool bCold : { false, true }) {
            std::string name = conversion.first + (bCold ? "/cold" : "/warm");
            benchmark::RegisterBenchmark(name.c_str(), Run, conversion.second, bCold)
                ->Unit(benchmark::kMicrosecond)
                ->MinTime(0.2)
                ->Repetitions(10)
                ->ReportAggregatesOnly(true);
        }
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MedianReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_ColorTabular
                                                  : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    sws_freeContext(toBgr24);
    sws_freeContext(toYuv410p);

    const struct {
        const char *lpGoal, *lpAnchor, *lpOurs;
    } goals[] = {
        { "rgb24-warm", "rgb24/libyuv-uyvytoargb-argbtorgb24/warm", "rgb24/ours/warm" },
        { "rgb24-cold", "rgb24/libyuv-uyvytoargb-argbtorgb24/cold", "rgb24/ours/cold" },
        { "yvu9-warm", "yvu9/swscale-yuv410p-point/warm", "yvu9/ours/warm" },
        { "yvu9-cold", "yvu9/swscale-yuv410p-point/cold", "yvu9/ours/cold" },
    };
    for (const auto &goal : goals) {
        auto anchor = reporter.medians.find(goal.lpAnchor), ours = reporter.medians.find(goal.lpOurs);
        if (anchor == reporter.medians.end() || ours == reporter.medians.end() || ours->second <= 0)
            continue;       // filtered out with --benchmark_filter
        printf("speedup %s %.2f\n", goal.lpGoal, anchor->second / ours->second);
    }
    return 0;
}
