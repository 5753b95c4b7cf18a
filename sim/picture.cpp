#include "sim/picture.h"

#include <cstring>

namespace sim {

PictureFile::~PictureFile()
{
    if (file_)
        fclose(file_);
}

static bool ReadLine(FILE *file, std::string *line)
{
    line->clear();
    int c;
    while ((c = fgetc(file)) != EOF && c != '\n') {
        if (line->size() > 4096)
            return false;
        line->push_back((char)c);
    }
    return c == '\n';
}

// The header's parameters, each a letter and its value: "W720 H480 C422 ...".
static std::string Parameter(const std::string &header, char letter)
{
    size_t pos = 0;
    while ((pos = header.find(' ', pos)) != std::string::npos) {
        pos++;
        if (pos < header.size() && header[pos] == letter)
            return header.substr(pos + 1, header.find(' ', pos) - pos - 1);
    }
    return "";
}

static long FileSize(FILE *file)
{
    long here = ftell(file);
    fseek(file, 0, SEEK_END);
    long size = ftell(file);
    fseek(file, here, SEEK_SET);
    return size;
}

bool PictureFile::Open(const std::string &path, std::string *error)
{
    path_ = path;
    file_ = fopen(path.c_str(), "rb");
    if (!file_) {
        *error = "VIDMORA_SIM: the picture file '" + path + "' cannot be opened.";
        return false;
    }
    char magic[10] = {};
    size_t got = fread(magic, 1, sizeof(magic), file_);
    fseek(file_, 0, SEEK_SET);
    planar_ = got == sizeof(magic) && memcmp(magic, "YUV4MPEG2 ", sizeof(magic)) == 0;
    return planar_ ? ScanY4m(error) : ScanRaw(error);
}

bool PictureFile::ScanY4m(std::string *error)
{
    std::string header, line;
    const std::string what = "VIDMORA_SIM: the picture file '" + path_ + "'";
    if (!ReadLine(file_, &header)) {
        *error = what + " has no complete YUV4MPEG2 header.";
        return false;
    }
    std::string width = Parameter(header, 'W'), height = Parameter(header, 'H');
    if (width != "720" || height != "480") {
        *error = what + " is " + width + " x " + height + "; the card's video is 720 x 480.";
        return false;
    }
    std::string chroma = Parameter(header, 'C');
    if (chroma != "422" && chroma.rfind("422p", 0) != 0) {
        *error = what + " has " + (chroma.empty() ? "420" : chroma) + " chroma; it must be 4:2:2 (yuv422p).";
        return false;
    }
    long size = FileSize(file_);
    while (ReadLine(file_, &line)) {
        if (line.rfind("FRAME", 0) != 0) {
            *error = what + " has a frame without its FRAME header.";
            return false;
        }
        long pixels = ftell(file_);
        if (pixels + kFrameBytes > size)
            break;                      // a frame cut short at the end is left out
        offsets_.push_back(pixels);
        fseek(file_, pixels + kFrameBytes, SEEK_SET);
    }
    if (offsets_.empty()) {
        *error = what + " holds no complete frame.";
        return false;
    }
    planes_.resize(kFrameBytes);
    return true;
}

bool PictureFile::ScanRaw(std::string *error)
{
    long size = FileSize(file_);
    if (size <= 0 || size % kFrameBytes != 0) {
        *error = "VIDMORA_SIM: the picture file '" + path_ + "' is neither a YUV4MPEG2 stream nor whole "
                 "720 x 480 UYVY frames (" + std::to_string(size) + " bytes).";
        return false;
    }
    for (long offset = 0; offset < size; offset += kFrameBytes)
        offsets_.push_back(offset);
    return true;
}

bool PictureFile::ReadFrame(int index, uint8_t *uyvy)
{
    if (offsets_.empty())
        return false;
    long offset = offsets_[(size_t)index % offsets_.size()];
    if (fseek(file_, offset, SEEK_SET) != 0)
        return false;
    if (!planar_)
        return fread(uyvy, 1, kFrameBytes, file_) == (size_t)kFrameBytes;
    if (fread(planes_.data(), 1, kFrameBytes, file_) != (size_t)kFrameBytes)
        return false;
    const uint8_t *y = planes_.data();
    const uint8_t *u = y + kWidth * kHeight;
    const uint8_t *v = u + kWidth / 2 * kHeight;
    for (int i = 0; i < kWidth / 2 * kHeight; i++) {
        uyvy[4 * i] = u[i];
        uyvy[4 * i + 1] = y[2 * i];
        uyvy[4 * i + 2] = v[i];
        uyvy[4 * i + 3] = y[2 * i + 1];
    }
    return true;
}

}  // namespace sim
