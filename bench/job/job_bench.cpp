// The whole job: c:\temp.avi of 300 frames converted into the final 24-bit
// RGB AVI by the program's own conversion run, file reads and writes
// included, as time per frame (the median of five runs). It also writes
// the same frames raw, for the ffmpeg command line to convert beside it,
// and reports the process's peak memory after a 30-frame and a 300-frame
// conversion: bounded by the two frame buffers, it must not grow with the
// frame count.
//
//   job_bench RAWFILE   prints "job-ours US_PER_FRAME" and "job-memory ..."
#include <windows.h>
#include <psapi.h>

#include <stdio.h>

#include <algorithm>
#include <vector>

#include "avifile/avifile.h"
#include "common/state.h"

static const DWORD kWidth = 352, kHeight = 240, kFrames = 300;

// Frames that differ from each other: a moving ramp with changing chroma.
static void MakeFrame(DWORD nFrame, std::vector<BYTE> *frame)
{
    frame->resize(kWidth * kHeight * 2);
    for (DWORD i = 0; i < frame->size(); i++)
        (*frame)[i] = (BYTE)(i * 7 + nFrame * 13 + (i >> 9));
}

static int WriteTemporaryFile(DWORD nFrames, HANDLE hRaw)
{
    HANDLE hFile = CreateFileA(szTempAviFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return 0;
    WriteTempAviHeader(hFile);
    nFramesCaptured = 0;
    std::vector<BYTE> frame;
    for (DWORD n = 0; n < nFrames; n++) {
        MakeFrame(n, &frame);
        AppendFrameChunk(hFile, frame.data(), (DWORD)frame.size());
        DWORD written;
        if (hRaw != INVALID_HANDLE_VALUE)
            WriteFile(hRaw, frame.data(), (DWORD)frame.size(), &written, NULL);
    }
    CloseHandle(hFile);
    return nFramesCaptured == nFrames;
}

static double SecondsOfConversion(void)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    int bConverted = ConvertToRgb24Avi(0, nFramesCaptured * 1000 / 30);
    QueryPerformanceCounter(&end);
    return bConverted ? (double)(end.QuadPart - start.QuadPart) / frequency.QuadPart : -1;
}

static SIZE_T PeakMemoryAfter(DWORD nFrames)
{
    WriteTemporaryFile(nFrames, INVALID_HANDLE_VALUE);
    SecondsOfConversion();
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakPagefileUsage;
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: job_bench RAWFILE\n");
        return 2;
    }
    dwVideoWidth = kWidth;
    dwVideoHeight = kHeight;
    lstrcpyA(szAviFileName, "c:\\job-bench.avi");
    SIZE_T peak30 = PeakMemoryAfter(30);
    SIZE_T peak300 = PeakMemoryAfter(kFrames);

    HANDLE hRaw = CreateFileA(argv[1], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (hRaw == INVALID_HANDLE_VALUE || !WriteTemporaryFile(kFrames, hRaw)) {
        fprintf(stderr, "job_bench: cannot write the frames\n");
        return 1;
    }
    CloseHandle(hRaw);
    std::vector<double> runs;
    for (int i = 0; i < 5; i++)
        runs.push_back(SecondsOfConversion());
    std::sort(runs.begin(), runs.end());
    DeleteFileA(szTempAviFile);
    DeleteFileA(szAviFileName);
    if (runs[0] < 0) {
        fprintf(stderr, "job_bench: the conversion failed\n");
        return 1;
    }
    printf("job-ours %.1f\n", runs[2] * 1e6 / kFrames);
    printf("job-memory peak %lu KiB after 30 frames, %lu KiB after 300\n", (unsigned long)(peak30 / 1024),
           (unsigned long)(peak300 / 1024));
    return 0;
}
