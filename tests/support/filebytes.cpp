#include "tests/support/filebytes.h"

std::vector<BYTE> ReadWholeFile(const std::string &path)
{
    std::vector<BYTE> bytes;
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(hFile, NULL));
    DWORD got = 0;
    if (!bytes.empty())
        ReadFile(hFile, bytes.data(), (DWORD)bytes.size(), &got, NULL);
    bytes.resize(got);
    CloseHandle(hFile);
    return bytes;
}

bool FileExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

DWORD Dword(const std::vector<BYTE> &bytes, size_t offset)
{
    if (offset + 4 > bytes.size())
        return 0xDEADBEEF;
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 | (DWORD)bytes[offset + 3] << 24;
}

WORD Word(const std::vector<BYTE> &bytes, size_t offset)
{
    return offset + 2 <= bytes.size() ? (WORD)(bytes[offset] | bytes[offset + 1] << 8) : 0xBEEF;
}

std::string FourCC(const std::vector<BYTE> &bytes, size_t offset)
{
    return offset + 4 <= bytes.size() ? std::string((const char *)&bytes[offset], 4) : "";
}
