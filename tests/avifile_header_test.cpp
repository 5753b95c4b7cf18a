// The AVI header of the temporary and the final files, the frame chunk and
// the index, read back from the file they were written to.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "avifile/avifile.h"
#include "common/state.h"
#include "common/sysio.h"
#include "tests/support/filebytes.h"

namespace {

constexpr DWORD Fcc(const char (&code)[5])
{
    return (DWORD)(BYTE)code[0] | (DWORD)(BYTE)code[1] << 8 | (DWORD)(BYTE)code[2] << 16 | (DWORD)(BYTE)code[3] << 24;
}

class AviFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSharedState();
        ResetSysFaults();
        dwVideoWidth = 352;
        dwVideoHeight = 240;
        file = CreateFileA(kName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
    }
    void TearDown() override
    {
        CloseHandle(file);
        DeleteFileA(kName);
        ResetSysFaults();
    }
    // Everything written so far; the file position stays where it was.
    std::vector<BYTE> Written()
    {
        DWORD position = SetFilePointer(file, 0, NULL, FILE_CURRENT);
        std::vector<BYTE> bytes(GetFileSize(file, NULL));
        DWORD read = 0;
        SetFilePointer(file, 0, NULL, FILE_BEGIN);
        ReadFile(file, bytes.data(), (DWORD)bytes.size(), &read, NULL);
        SetFilePointer(file, (LONG)position, NULL, FILE_BEGIN);
        return bytes;
    }
    void Truncate()
    {
        SetFilePointer(file, 0, NULL, FILE_BEGIN);
        SetEndOfFile(file);
    }

    static constexpr const char *kName = "c:\\avifile_header_test.avi";
    HANDLE file = INVALID_HANDLE_VALUE;
};

// The three columns of the header at 352 x 240, 30 frames over 1000 ms;
// every byte not listed is 0.
struct HeaderField {
    size_t offset;
    int size;
    DWORD temp, rgb, yvu9;
};
constexpr DWORD T = 168960, RGB = 253440, YVU9 = 95040;
const HeaderField kHeaderFields[] = {
    { 0, 4, Fcc("RIFF"), Fcc("RIFF"), Fcc("RIFF") },
    { 4, 4, 0, 7604144, 2852144 },
    { 8, 4, Fcc("AVI "), Fcc("AVI "), Fcc("AVI ") },
    { 12, 4, Fcc("LIST"), Fcc("LIST"), Fcc("LIST") },
    { 16, 4, 192, 192, 192 },
    { 20, 4, Fcc("hdrl"), Fcc("hdrl"), Fcc("hdrl") },
    { 24, 4, Fcc("avih"), Fcc("avih"), Fcc("avih") },
    { 28, 4, 56, 56, 56 },
    { 32, 4, 0, 33333, 33333 },             // dwMicroSecPerFrame
    { 44, 4, 0x810, 0x810, 0x810 },         // dwFlags
    { 48, 4, 0, 30, 30 },                   // dwTotalFrames
    { 56, 4, 1, 1, 1 },                     // dwStreams
    { 60, 4, T, RGB, YVU9 },                // dwSuggestedBufferSize
    { 64, 4, 352, 352, 352 },
    { 68, 4, 240, 240, 240 },
    { 88, 4, Fcc("LIST"), Fcc("LIST"), Fcc("LIST") },
    { 92, 4, 116, 116, 116 },
    { 96, 4, Fcc("strl"), Fcc("strl"), Fcc("strl") },
    { 100, 4, Fcc("strh"), Fcc("strh"), Fcc("strh") },
    { 104, 4, 56, 56, 56 },
    { 108, 4, Fcc("vids"), Fcc("vids"), Fcc("vids") },
    { 112, 4, 0, 0, Fcc("YVU9") },          // fccHandler
    { 128, 4, 0, 1000, 1000 },              // dwScale
    { 132, 4, 0, 30000, 30000 },            // dwRate
    { 140, 4, 0, 30, 30 },                  // dwLength
    { 144, 4, T, RGB, YVU9 },               // dwSuggestedBufferSize
    { 148, 4, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF },  // dwQuality
    { 160, 2, 352, 352, 352 },              // rcFrame right
    { 162, 2, 240, 240, 240 },              // rcFrame bottom
    { 164, 4, Fcc("strf"), Fcc("strf"), Fcc("strf") },
    { 168, 4, 40, 40, 40 },
    { 172, 4, 40, 40, 40 },                 // biSize
    { 176, 4, 352, 352, 352 },
    { 180, 4, 240, 240, 240 },
    { 184, 2, 1, 1, 1 },                    // biPlanes
    { 186, 2, 16, 24, 9 },                  // biBitCount
    { 188, 4, Fcc("UYVY"), 0, Fcc("YVU9") },  // biCompression
    { 192, 4, T, RGB, YVU9 },               // biSizeImage
    { 212, 4, Fcc("LIST"), Fcc("LIST"), Fcc("LIST") },
    { 216, 4, 0, 7603444, 2851444 },        // "movi" list size
    { 220, 4, Fcc("movi"), Fcc("movi"), Fcc("movi") },
};

std::vector<BYTE> ExpectedHeader(DWORD HeaderField::*column)
{
    std::vector<BYTE> header(AVI_HEADER_SIZE, 0);
    for (const HeaderField &field : kHeaderFields) {
        for (int i = 0; i < field.size; i++)
            header[field.offset + i] = (BYTE)(field.*column >> (8 * i));
    }
    return header;
}

TEST_F(AviFileTest, HeadersOfTheThreeFilesByteForByte)
{
    nFramesCaptured = 30;
    struct Column {
        const char *name;
        DWORD HeaderField::*values;
        int (*write)(HANDLE);
    } columns[] = {
        { "temporary", &HeaderField::temp, [](HANDLE f) { return WriteTempAviHeader(f); } },
        { "24-bit RGB", &HeaderField::rgb, [](HANDLE f) { return WriteRgb24AviHeader(f, 1000); } },
        { "YVU9", &HeaderField::yvu9, [](HANDLE f) { return WriteYvu9AviHeader(f, 1000); } },
    };
    for (const Column &column : columns) {
        Truncate();
        EXPECT_EQ(1, column.write(file)) << column.name;
        std::vector<BYTE> expected = ExpectedHeader(column.values), written = Written();
        ASSERT_EQ(expected.size(), written.size()) << column.name;
        for (size_t i = 0; i < expected.size(); i++)
            ASSERT_EQ(expected[i], written[i]) << column.name << " header, offset " << i;
    }
}

TEST_F(AviFileTest, FramePeriodIsWorkedOutBeyond32Bits)
{
    struct {
        DWORD duration, frames, period;
    } cases[] = {
        { 1000, 30, 33333 },
        { 5000000, 2, 2500000000u },        // D x 1000 past 32 bits
        { 5000000, 1, 0xFFFFFFFF },         // a period past 32 bits is held at the top
        { 0xFFFFFFFF, 1000, 0xFFFFFFFF },
        { 0xFFFFFFFF, 1001, 4290676618u },
    };
    for (const auto &c : cases) {
        Truncate();
        nFramesCaptured = c.frames;
        WriteRgb24AviHeader(file, c.duration);
        std::vector<BYTE> header = Written();
        EXPECT_EQ(c.period, Dword(header, 32)) << c.duration << " ms, " << c.frames << " frames";
        EXPECT_EQ(c.duration, Dword(header, 128)) << "dwScale";
        EXPECT_EQ(c.frames * 1000, Dword(header, 132)) << "dwRate";
    }
}

TEST_F(AviFileTest, FinalHeaderThatDoesNotGoOutWholeIsReported)
{
    nFramesCaptured = 1;
    PlantFailure(SYS_SHORT_WRITE, 1);
    EXPECT_EQ(0, WriteYvu9AviHeader(file, 1000));
    PlantFailure(SYS_WRITE, 1);
    EXPECT_EQ(0, WriteRgb24AviHeader(file, 1000));
}

TEST_F(AviFileTest, TemporaryFileIsTheHeaderAndEqualChunks)
{
    WriteTempAviHeader(file);
    EXPECT_EQ((size_t)AVI_HEADER_SIZE, Written().size()) << "an empty capture";

    std::vector<std::vector<BYTE>> frames;
    for (int i = 0; i < 3; i++) {
        frames.push_back(std::vector<BYTE>(T));
        for (DWORD j = 0; j < T; j++)
            frames[i][j] = (BYTE)(j * 13 + i * 101 + j / 700);
        EXPECT_EQ(1, AppendFrameChunk(file, frames[i].data(), T));
    }
    EXPECT_EQ(3u, nFramesCaptured);
    std::vector<BYTE> written = Written();
    ASSERT_EQ(224u + 3 * 168968, written.size());
    for (int i = 0; i < 3; i++) {
        size_t chunk = 224 + i * 168968;
        EXPECT_EQ(Fcc("00db"), Dword(written, chunk)) << i;
        EXPECT_EQ(T, Dword(written, chunk + 4)) << i;
        EXPECT_TRUE(std::equal(frames[i].begin(), frames[i].end(), written.begin() + chunk + 8)) << i;
    }
}

TEST_F(AviFileTest, ChunkThatFailsLeavesTheFileAsItWas)
{
    const DWORD size = 64;
    std::vector<BYTE> frame(size, 0x5A);
    for (SysCall kind : { SYS_WRITE, SYS_SHORT_WRITE }) {
        for (int write = 1; write <= 3; write++) {      // "00db", the size, the frame
            Truncate();
            ResetSysFaults();
            nFramesCaptured = 0;
            WriteTempAviHeader(file);
            AppendFrameChunk(file, frame.data(), size);
            PlantFailure(kind, write);
            EXPECT_EQ(0, AppendFrameChunk(file, frame.data(), size)) << kind << " at write " << write;
            EXPECT_EQ(1u, nFramesCaptured);
            EXPECT_EQ(224u + 72, Written().size()) << kind << " at write " << write;

            ResetSysFaults();
            frame[0] = 0x33;
            EXPECT_EQ(1, AppendFrameChunk(file, frame.data(), size));
            std::vector<BYTE> written = Written();
            ASSERT_EQ(224u + 2 * 72, written.size());
            EXPECT_EQ(Fcc("00db"), Dword(written, 296));
            EXPECT_EQ(0x33, written[304]) << "the next chunk goes where the failed one began";
            frame[0] = 0x5A;
        }
    }
}

TEST_F(AviFileTest, IndexHasOneKeyFrameEntryPerChunk)
{
    for (DWORD frames : { 3u, 600u }) {         // 600: more entries than one write takes
        Truncate();
        nFramesCaptured = frames;
        EXPECT_EQ(1, WriteAviIndex(file, RGB));
        std::vector<BYTE> index = Written();
        ASSERT_EQ(8 + 16 * frames, index.size());
        EXPECT_EQ(Fcc("idx1"), Dword(index, 0));
        EXPECT_EQ(16 * frames, Dword(index, 4));
        for (DWORD i = 0; i < frames; i++) {
            size_t entry = 8 + 16 * i;
            ASSERT_EQ(Fcc("00db"), Dword(index, entry)) << i;
            ASSERT_EQ(0x10u, Dword(index, entry + 4)) << i;
            ASSERT_EQ(4 + i * (RGB + 8), Dword(index, entry + 8)) << i;
            ASSERT_EQ(RGB, Dword(index, entry + 12)) << i;
        }
        EXPECT_EQ(253452u, Dword(index, 32));
        EXPECT_EQ(506900u, Dword(index, 48));
    }
}

TEST_F(AviFileTest, IndexStopsAtTheFirstFailedWrite)
{
    struct {
        SysCall kind;
        int write;
        size_t written;
    } cases[] = {
        { SYS_WRITE, 1, 0 },
        { SYS_WRITE, 2, 8 },
        { SYS_SHORT_WRITE, 1, 4 },
        { SYS_SHORT_WRITE, 2, 8 + 2048 },    // half of the first 256 entries, and nothing more
    };
    nFramesCaptured = 600;
    for (const auto &c : cases) {
        Truncate();
        ResetSysFaults();
        PlantFailure(c.kind, c.write);
        EXPECT_EQ(0, WriteAviIndex(file, YVU9)) << c.kind << " at write " << c.write;
        EXPECT_EQ(c.written, Written().size()) << c.kind << " at write " << c.write;
    }
}

}  // namespace
