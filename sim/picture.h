// A picture source read from a file, in place of the built-in test
// picture: a YUV4MPEG2 stream of 4:2:2 planar frames (as ffmpeg writes with
// -pix_fmt yuv422p -f yuv4mpegpipe), or raw UYVY frames, 720 x 480 either way.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace sim {

class PictureFile {
public:
    static constexpr int kWidth = 720;
    static constexpr int kHeight = 480;
    static constexpr long kFrameBytes = kWidth * kHeight * 2;

    ~PictureFile();

    // False, with a sentence for the user, when the file cannot be used.
    bool Open(const std::string &path, std::string *error);
    int frames() const { return (int)offsets_.size(); }
    // Frame index (modulo the frame count) as UYVY, rows top first.
    bool ReadFrame(int index, uint8_t *uyvy);

private:
    bool ScanY4m(std::string *error);
    bool ScanRaw(std::string *error);

    std::string path_;
    FILE *file_ = nullptr;
    bool planar_ = false;
    std::vector<long> offsets_;     // where each frame's pixels start
    std::vector<uint8_t> planes_;
};

}  // namespace sim
