// The frame conversions, each fast routine held to its reference, and the
// conversion runs from c:\temp.avi into the final file.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "avifile/avifile.h"
#include "avifile/convertframe.h"
#include "common/state.h"
#include "common/sysio.h"
#include "res/resource.h"
#include "tests/support/filebytes.h"
#include "tests/support/recorder.h"

namespace {

typedef void (*FrameProc)(const BYTE *lpUYVY, BYTE *lpOut, DWORD dwWidth, DWORD dwHeight);

std::vector<BYTE> RandomFrame(DWORD width, DWORD height, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<BYTE> frame(2 * width * height);
    for (BYTE &b : frame)
        b = (BYTE)random();
    return frame;
}

std::vector<BYTE> Convert(FrameProc convert, const std::vector<BYTE> &uyvy, DWORD width, DWORD height, size_t outBytes)
{
    std::vector<BYTE> out(outBytes, 0xEE);
    convert(uyvy.data(), out.data(), width, height);
    return out;
}

size_t Yvu9Bytes(DWORD width, DWORD height) { return width * height * 9 / 8; }

// ---- 24-bit RGB ----

TEST(Rgb24Frame, ChromaTables)
{
    struct {
        const char *name;
        const int *table;
        int entry0, entry127, entry129, entry255;
    } tables[] = {
        { "redV", redV, -183762, -1435, 1435, 182327 },
        { "greenV", greenV, -93603, -731, 731, 92872 },
        { "blueU", blueU, -232259, -1814, 1814, 230445 },
        { "greenU", greenU, -45107, -352, 352, 44754 },
    };
    for (const auto &t : tables) {
        EXPECT_EQ(t.entry0, t.table[0]) << t.name;
        EXPECT_EQ(t.entry127, t.table[127]) << t.name;
        EXPECT_EQ(0, t.table[128]) << t.name;
        EXPECT_EQ(t.entry129, t.table[129]) << t.name;
        EXPECT_EQ(t.entry255, t.table[255]) << t.name;
    }
}

TEST(Rgb24Frame, ColoursOfBothRoutines)
{
    struct {
        BYTE y, u, v, red, green, blue;
    } cases[] = {
        { 100, 129, 129, 101, 98, 101 },
        { 100, 127, 127, 98, 101, 98 },
        { 0, 128, 255, 178, 0, 0 },
        { 255, 255, 128, 255, 211, 255 },
        { 200, 100, 150, 230, 193, 150 },
    };
    for (FrameProc convert : { ConvertFrameToRgb24, ConvertFrameToRgb24Reference }) {
        for (const auto &c : cases) {
            std::vector<BYTE> pair = { c.u, c.y, c.v, c.y };
            std::vector<BYTE> rgb = Convert(convert, pair, 2, 1, 6);
            EXPECT_EQ((std::vector<BYTE>{ c.blue, c.green, c.red, c.blue, c.green, c.red }), rgb)
                << "Y " << (int)c.y << " U " << (int)c.u << " V " << (int)c.v;
        }
        // Grey: every luma as it is.
        std::vector<BYTE> grey;
        for (int y = 0; y < 256; y += 2)
            grey.insert(grey.end(), { 128, (BYTE)y, 128, (BYTE)(y + 1) });
        std::vector<BYTE> rgb = Convert(convert, grey, 256, 1, 768);
        for (int x = 0; x < 256; x++)
            ASSERT_EQ((std::vector<BYTE>{ (BYTE)x, (BYTE)x, (BYTE)x }), std::vector<BYTE>(&rgb[3 * x], &rgb[3 * x + 3]));
    }
}

TEST(Rgb24Frame, TopRowEndsTheOutput)
{
    std::vector<BYTE> uyvy(2 * 4 * 3);
    for (size_t i = 0; i < uyvy.size(); i += 2)
        uyvy[i] = 128;
    uyvy[1] = uyvy[3] = uyvy[5] = uyvy[7] = 255;      // the top row white, the rest black
    for (FrameProc convert : { ConvertFrameToRgb24, ConvertFrameToRgb24Reference }) {
        std::vector<BYTE> rgb = Convert(convert, uyvy, 4, 3, 36);
        EXPECT_EQ(std::vector<BYTE>(24, 0), std::vector<BYTE>(rgb.begin(), rgb.begin() + 24));
        EXPECT_EQ(std::vector<BYTE>(12, 255), std::vector<BYTE>(rgb.begin() + 24, rgb.end()));
    }
}

// Each RGB path of this processor (plain, then SSSE3 and AVX2 where it has
// them), called on its own.
std::vector<Rgb24FramePath> Rgb24Paths(void)
{
    uint32_t count;
    const Rgb24FramePath *paths = Rgb24FramePaths(&count);
    return std::vector<Rgb24FramePath>(paths, paths + count);
}

std::vector<BYTE> Rgb24ByPath(Rgb24FrameProc convert, const BYTE *uyvy, DWORD width, DWORD height)
{
    std::vector<BYTE> out(3 * width * height, 0xEE);
    convert(uyvy, out.data(), width, height);
    return out;
}

TEST(Rgb24Frame, PathsBeginWithThePlainOne)
{
    const char *names[] = { "plain", "ssse3", "avx2" };
    std::vector<Rgb24FramePath> paths = Rgb24Paths();
    ASSERT_GE(paths.size(), 1u);
    ASSERT_LE(paths.size(), 3u);
    for (size_t i = 0; i < paths.size(); i++)
        EXPECT_STREQ(names[i], paths[i].lpName);
}

// Every (Y, U, V), by every path: a frame per U, one row per V, the lumas
// along the row.
TEST(Rgb24Frame, EveryPathMatchesReferenceForEveryValue)
{
    std::vector<Rgb24FramePath> paths = Rgb24Paths();
    std::vector<BYTE> uyvy(2 * 256 * 256);
    for (int u = 0; u < 256; u++) {
        for (int v = 0; v < 256; v++) {
            for (int y = 0; y < 256; y += 2) {
                BYTE *group = &uyvy[512 * v + 2 * y];
                group[0] = (BYTE)u, group[1] = (BYTE)y, group[2] = (BYTE)v, group[3] = (BYTE)(255 - y);
            }
        }
        std::vector<BYTE> expected = Convert(ConvertFrameToRgb24Reference, uyvy, 256, 256, 3 * 65536);
        ASSERT_EQ(expected, Convert(ConvertFrameToRgb24, uyvy, 256, 256, 3 * 65536)) << "U " << u;
        for (const Rgb24FramePath &path : paths)
            ASSERT_EQ(expected, Rgb24ByPath(path.lpConvert, uyvy.data(), 256, 256)) << path.lpName << " U " << u;
    }
}

const DWORD kSizes[][2] = { { 4, 4 }, { 8, 12 }, { 100, 36 }, { 352, 240 }, { 720, 576 } };

// Widths whose pairs are whole vector steps and widths that leave a rest of
// every length for the plain code; the source one byte past an aligned
// address, since no path may assume alignment.
TEST(Rgb24Frame, EveryPathMatchesReferenceOnRandomFrames)
{
    const DWORD sizes[][2] = { { 2, 3 },    { 4, 4 },   { 8, 12 },   { 12, 8 },    { 34, 5 },
                               { 36, 4 },   { 46, 7 },  { 100, 36 }, { 352, 240 }, { 720, 576 } };
    std::vector<Rgb24FramePath> paths = Rgb24Paths();
    for (const DWORD *size : sizes) {
        std::vector<BYTE> frame = RandomFrame(size[0], size[1] + 1, size[0] * size[1]);
        std::vector<BYTE> uyvy(frame.begin() + 1, frame.begin() + 1 + 2 * size[0] * size[1]);
        size_t bytes = 3 * size[0] * size[1];
        std::vector<BYTE> expected = Convert(ConvertFrameToRgb24Reference, uyvy, size[0], size[1], bytes);
        EXPECT_EQ(expected, Convert(ConvertFrameToRgb24, uyvy, size[0], size[1], bytes)) << size[0] << " x " << size[1];
        for (const Rgb24FramePath &path : paths)
            EXPECT_EQ(expected, Rgb24ByPath(path.lpConvert, frame.data() + 1, size[0], size[1]))
                << path.lpName << " at " << size[0] << " x " << size[1];
    }
}

// ---- YVU9 planar ----

TEST(Yvu9Frame, PlanesOfAFrameWithEvenChroma)
{
    std::vector<BYTE> uyvy = RandomFrame(352, 240, 7);
    for (size_t i = 0; i < uyvy.size(); i += 4)
        uyvy[i] = 100, uyvy[i + 2] = 200;
    for (FrameProc convert : { ConvertFrameToYvu9, ConvertFrameToYvu9Reference }) {
        std::vector<BYTE> yvu9 = Convert(convert, uyvy, 352, 240, 95040);
        EXPECT_EQ(uyvy[1], yvu9[0]) << "the top-left pixel first";
        for (size_t i = 0; i < 84480; i++)
            ASSERT_EQ(uyvy[2 * i + 1], yvu9[i]) << "luma " << i;
        EXPECT_EQ(std::vector<BYTE>(5280, 200), std::vector<BYTE>(yvu9.begin() + 84480, yvu9.begin() + 89760));
        EXPECT_EQ(std::vector<BYTE>(5280, 100), std::vector<BYTE>(yvu9.begin() + 89760, yvu9.end()));
    }
}

// Four blocks of 8 x 8 pixels, each with its own chroma; in the first, the
// eight V samples 1 1 1 1 1 1 1 2 and U samples 10 to 80.
TEST(Yvu9Frame, BlockMeansInBlockOrder)
{
    const DWORD width = 8, height = 8;
    std::vector<BYTE> uyvy(2 * width * height, 255);      // no luma enters a mean
    for (DWORD row = 0; row < height; row++) {
        for (DWORD group = 0; group < width / 2; group++) {
            BYTE *g = &uyvy[2 * width * row + 4 * group];
            int block = (row / 4) * 2 + group / 2;
            g[0] = (BYTE)(40 + block), g[2] = (BYTE)(20 + block);
        }
    }
    for (int i = 0; i < 8; i++) {
        BYTE *g = &uyvy[2 * width * (i / 2) + 4 * (i % 2)];
        g[0] = (BYTE)(10 * (i + 1));
        g[2] = i == 7 ? 2 : 1;
    }
    for (FrameProc convert : { ConvertFrameToYvu9, ConvertFrameToYvu9Reference }) {
        std::vector<BYTE> yvu9 = Convert(convert, uyvy, width, height, Yvu9Bytes(width, height));
        EXPECT_EQ((std::vector<BYTE>{ 1, 21, 22, 23 }), std::vector<BYTE>(yvu9.begin() + 64, yvu9.begin() + 68)) << "V";
        EXPECT_EQ((std::vector<BYTE>{ 45, 41, 42, 43 }), std::vector<BYTE>(yvu9.begin() + 68, yvu9.end())) << "U";
    }
}

TEST(Yvu9Frame, FastMatchesReferenceOnRandomFrames)
{
    for (const DWORD *size : kSizes) {
        for (unsigned seed : { 1u, 2u }) {
            std::vector<BYTE> uyvy = RandomFrame(size[0], size[1], seed);
            size_t bytes = Yvu9Bytes(size[0], size[1]);
            EXPECT_EQ(Convert(ConvertFrameToYvu9Reference, uyvy, size[0], size[1], bytes),
                      Convert(ConvertFrameToYvu9, uyvy, size[0], size[1], bytes)) << size[0] << " x " << size[1];
        }
    }
}

// Each path of this processor (plain, then SSE2 and AVX2 where it has them),
// called on its own, against the reference. The output buffers start with
// different bytes, so a byte a path leaves unwritten shows.
std::vector<Yvu9FramePath> Yvu9Paths(void)
{
    uint32_t count;
    const Yvu9FramePath *paths = Yvu9FramePaths(&count);
    return std::vector<Yvu9FramePath>(paths, paths + count);
}

std::vector<BYTE> Yvu9ByPath(Yvu9FrameProc convert, const BYTE *uyvy, DWORD width, DWORD height)
{
    std::vector<BYTE> out(Yvu9Bytes(width, height), 0x5A);
    convert(uyvy, out.data(), width, height);
    return out;
}

TEST(Yvu9Frame, EveryPathMatchesReferenceOnRandomFrames)
{
    std::vector<Yvu9FramePath> paths = Yvu9Paths();
    ASSERT_STREQ("plain", paths[0].lpName);
#if defined(__x86_64__)
    ASSERT_GE(paths.size(), 2u) << "every x86-64 processor has SSE2";
    EXPECT_STREQ("sse2", paths[1].lpName);
#endif
    const DWORD sizes[][2] = { { 4, 4 },    { 8, 12 },   { 12, 8 },   { 36, 4 },
                               { 100, 36 }, { 352, 240 }, { 720, 576 } };
    for (const DWORD *size : sizes) {
        // The source one byte past an aligned address: no path may assume alignment.
        std::vector<BYTE> uyvy = RandomFrame(size[0], size[1] + 1, size[0] + size[1]);
        const BYTE *source = uyvy.data() + 1;
        std::vector<BYTE> expected = Convert(ConvertFrameToYvu9Reference,
                                             std::vector<BYTE>(source, source + 2 * size[0] * size[1]), size[0],
                                             size[1], Yvu9Bytes(size[0], size[1]));
        for (const Yvu9FramePath &path : paths)
            EXPECT_EQ(expected, Yvu9ByPath(path.lpConvert, source, size[0], size[1]))
                << path.lpName << " at " << size[0] << " x " << size[1];
    }
}

// Every block sum from 0 to 2040, for V spread evenly over the eight samples
// and for U (the sum 2040 - s) piled up as 255s, a remainder, then 0s; the
// luma random. Each path gives the means rounded down, and the luma as it is.
TEST(Yvu9Frame, EveryPathGivesTheMeanOfEveryBlockSum)
{
    const DWORD width = 256, height = 128, blocksPerRow = width / 4, blocks = blocksPerRow * (height / 4);
    std::vector<BYTE> uyvy = RandomFrame(width, height, 11);
    std::vector<BYTE> meansV(blocks), meansU(blocks);
    for (DWORD block = 0; block < blocks; block++) {
        int sumV = block % 2041, sumU = 2040 - sumV;
        meansV[block] = (BYTE)(sumV >> 3), meansU[block] = (BYTE)(sumU >> 3);
        for (int sample = 0; sample < 8; sample++) {
            DWORD row = (block / blocksPerRow) * 4 + sample / 2;
            BYTE *group = &uyvy[2 * width * row + 8 * (block % blocksPerRow) + 4 * (sample % 2)];
            group[2] = (BYTE)(sumV / 8 + (sample < sumV % 8));
            int u = sumU - 255 * sample;
            group[0] = (BYTE)(u < 0 ? 0 : u > 255 ? 255 : u);
        }
    }
    std::vector<BYTE> expected(uyvy.size() / 2);
    for (size_t i = 0; i < expected.size(); i++)
        expected[i] = uyvy[2 * i + 1];
    expected.insert(expected.end(), meansV.begin(), meansV.end());
    expected.insert(expected.end(), meansU.begin(), meansU.end());
    EXPECT_EQ(expected, Convert(ConvertFrameToYvu9Reference, uyvy, width, height, Yvu9Bytes(width, height)));
    for (const Yvu9FramePath &path : Yvu9Paths())
        EXPECT_EQ(expected, Yvu9ByPath(path.lpConvert, uyvy.data(), width, height)) << path.lpName;
}

// ---- The conversion runs ----

struct FinalFormat {
    const char *name;
    int (*convert)(DWORD dwStart, DWORD dwEnd);
    FrameProc reference;
    DWORD (*payload)(DWORD width, DWORD height);
    const char *bufferName;
};
void PrintTo(const FinalFormat &format, std::ostream *os) { *os << format.name; }

const FinalFormat kRgb24 = { "Rgb24", ConvertToRgb24Avi, ConvertFrameToRgb24Reference,
                             [](DWORD w, DWORD h) { return 3 * w * h; }, "lpRGB24" };
const FinalFormat kYvu9 = { "Yvu9", ConvertToYvu9Avi, ConvertFrameToYvu9Reference,
                            [](DWORD w, DWORD h) { return w * h * 9 / 8; }, "lpYVU9 Planar" };

class ConversionRunTest : public ::testing::TestWithParam<FinalFormat> {
protected:
    void SetUp() override
    {
        ResetSharedState();
        ResetSysFaults();
        lstrcpyA(szAviFileName, "c:\\avifile_convert_test.avi");
    }
    void TearDown() override
    {
        ResetSysFaults();
        DeleteFileA(szTempAviFile);
        DeleteFileA(szAviFileName);
        if (dialog)
            DestroyWindow(dialog);
    }
    // c:\temp.avi with random frames at width x height, as a capture writes it.
    void WriteTempFile(DWORD width, DWORD height, int count)
    {
        dwVideoWidth = width;
        dwVideoHeight = height;
        HANDLE file = CreateFileA(szTempAviFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        WriteTempAviHeader(file);
        nFramesCaptured = 0;
        frames.clear();
        for (int i = 0; i < count; i++) {
            frames.push_back(RandomFrame(width, height, 100 + i));
            ASSERT_EQ(1, AppendFrameChunk(file, frames.back().data(), 2 * width * height));
        }
        CloseHandle(file);
    }
    // A progress dialog as the captures show it, its bar at 0 of 100.
    HWND ProgressBar()
    {
        InitCommonControls();
        dialog = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 40, NULL, NULL, NULL, NULL);
        HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, dialog,
                                   (HMENU)(INT_PTR)IDC_PROGRESS_BAR, NULL, NULL);
        SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        SendMessageA(bar, PBM_SETSTEP, 1, 0);
        hProgressDialog = dialog;
        return bar;
    }
    DWORD Payload() const { return GetParam().payload(dwVideoWidth, dwVideoHeight); }

    MessageRecorder recorder;
    std::vector<std::vector<BYTE>> frames;
    HWND dialog = NULL;
};

TEST_P(ConversionRunTest, EveryFrameConvertedAndIndexed)
{
    WriteTempFile(352, 240, 2);
    HWND bar = ProgressBar();
    EXPECT_EQ(1, GetParam().convert(0xFFFFFF00, 0x2E8));     // 1000 ms across the tick count's wrap
    EXPECT_TRUE(recorder.boxes().empty());
    EXPECT_EQ(2, SendMessageA(bar, PBM_GETPOS, 0, 0));
    EXPECT_TRUE(FileExists(szTempAviFile)) << "the caller deletes it";

    const DWORD F = Payload();
    std::vector<BYTE> avi = ReadWholeFile(szAviFileName);
    ASSERT_EQ(232 + 2 * (F + 24), avi.size());
    EXPECT_EQ(avi.size() - 8, Dword(avi, 4)) << "RIFF size";
    EXPECT_EQ(500000u, Dword(avi, 32)) << "dwMicroSecPerFrame";
    EXPECT_EQ(1000u, Dword(avi, 128)) << "dwScale";
    EXPECT_EQ(F, Dword(avi, 192)) << "biSizeImage";
    EXPECT_EQ(2 * (F + 8) + 4, Dword(avi, 216)) << "movi size";
    std::vector<BYTE> converted(F);
    for (int i = 0; i < 2; i++) {
        size_t chunk = 224 + i * (F + 8);
        EXPECT_EQ(0, memcmp(&avi[chunk], "00db", 4)) << i;
        EXPECT_EQ(F, Dword(avi, chunk + 4)) << i;
        GetParam().reference(frames[i].data(), converted.data(), 352, 240);
        EXPECT_EQ(0, memcmp(converted.data(), &avi[chunk + 8], F)) << "frame " << i;
    }
    size_t index = 224 + 2 * (F + 8);
    EXPECT_EQ(0, memcmp(&avi[index], "idx1", 4));
    EXPECT_EQ(4 + F + 8, Dword(avi, index + 8 + 16 + 8)) << "the second entry's offset";
}

TEST_P(ConversionRunTest, TemporaryFileShorterThanItsFramesIsAReadFailure)
{
    WriteTempFile(16, 8, 2);
    nFramesCaptured = 3;
    EXPECT_EQ(0, GetParam().convert(0, 100));
    ASSERT_EQ(1u, recorder.boxes().size());
    EXPECT_EQ("Fail to read file.\n(c:\\temp.avi)", recorder.boxes()[0].text);
    EXPECT_FALSE(FileExists(szAviFileName));
}

TEST_P(ConversionRunTest, EveryFailureIsReportedAndLeavesNoPartialFile)
{
    // Two frames of 16 x 8: the final file's writes are its header, three a
    // chunk, then the index head and its entries.
    struct {
        const char *what;
        SysCall kind;
        int nth;
        std::string text;
        UINT flags;
        bool oldFinalFileLeft;
    } cases[] = {
        { "no temporary file", SYS_CALL_KINDS, 0, "Unable to open file.\n(c:\\temp.avi)", MB_TOPMOST | MB_ICONERROR, true },
        { "create", SYS_CREATE, 2, "Unable to create file.\n(c:\\avifile_convert_test.avi)", MB_TOPMOST | MB_ICONERROR, true },
        { "lpUYVY", SYS_ALLOC, 1, "Fail to allocate memory buffer. (lpUYVY)", MB_TOPMOST, false },
        { "frame buffer", SYS_ALLOC, 2, std::string("Fail to allocate memory buffer. (") + GetParam().bufferName + ")", MB_TOPMOST, false },
        { "second read", SYS_READ, 2, "Fail to read file.\n(c:\\temp.avi)", MB_TOPMOST, false },
        { "header", SYS_WRITE, 1, "Unable to write file.\n(c:\\avifile_convert_test.avi)", MB_TOPMOST, false },
        { "second chunk's size", SYS_WRITE, 6, "Unable to write file.\n(c:\\avifile_convert_test.avi)", MB_TOPMOST, false },
        { "first payload short", SYS_SHORT_WRITE, 4, "Unable to write file.\n(c:\\avifile_convert_test.avi)", MB_TOPMOST, false },
        { "index", SYS_WRITE, 8, "Unable to write file.\n(c:\\avifile_convert_test.avi)", MB_TOPMOST, false },
        { "index entries short", SYS_SHORT_WRITE, 9, "Unable to write file.\n(c:\\avifile_convert_test.avi)", MB_TOPMOST, false },
    };
    for (const auto &c : cases) {
        ResetSysFaults();
        recorder.Clear();
        WriteTempFile(16, 8, 2);
        CloseHandle(CreateFileA(szAviFileName, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
        if (c.kind == SYS_CALL_KINDS)
            DeleteFileA(szTempAviFile);
        else
            PlantFailure(c.kind, c.nth);
        EXPECT_EQ(0, GetParam().convert(0, 100)) << c.what;
        ASSERT_EQ(1u, recorder.boxes().size()) << c.what;
        const RecordedBox &box = recorder.boxes()[0];
        EXPECT_EQ(c.text, box.text) << c.what;
        EXPECT_EQ(c.flags, box.flags) << c.what;
        EXPECT_EQ(NULL, box.owner) << c.what;
        EXPECT_EQ("Zentrik Vidmora", box.caption) << c.what;
        EXPECT_EQ(c.oldFinalFileLeft, FileExists(szAviFileName)) << c.what;
        EXPECT_EQ(c.kind != SYS_CALL_KINDS, FileExists(szTempAviFile)) << c.what << ": the caller deletes it";
    }
}

INSTANTIATE_TEST_SUITE_P(FinalFormats, ConversionRunTest, ::testing::Values(kRgb24, kYvu9),
                         [](const ::testing::TestParamInfo<FinalFormat> &info) { return std::string(info.param.name); });

}  // namespace
