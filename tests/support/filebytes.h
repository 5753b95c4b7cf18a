// Files read back whole, and little-endian fields of their bytes (a field
// past the end reads as an impossible value, so a short file fails).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

std::vector<BYTE> ReadWholeFile(const std::string &path);
bool FileExists(const std::string &path);

DWORD Dword(const std::vector<BYTE> &bytes, size_t offset);
WORD Word(const std::vector<BYTE> &bytes, size_t offset);
std::string FourCC(const std::vector<BYTE> &bytes, size_t offset);
