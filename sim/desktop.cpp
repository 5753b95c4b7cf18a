#include "sim/desktop.h"

namespace sim {

struct FormatBits {
    DWORD bits;
    DWORD red, green, blue;
};

static FormatBits Bits(DesktopFormat format)
{
    switch (format) {
    case DesktopFormat::Palette8: return { 8, 0, 0, 0 };
    case DesktopFormat::Rgb565: return { 16, 0xF800, 0x07E0, 0x001F };
    case DesktopFormat::Rgb555: return { 16, 0x7C00, 0x03E0, 0x001F };
    case DesktopFormat::Rgb24: return { 24, 0xFF0000, 0x00FF00, 0x0000FF };
    case DesktopFormat::Rgb32: break;
    }
    return { 32, 0xFF0000, 0x00FF00, 0x0000FF };
}

DDPIXELFORMAT DesktopPixelFormat(DesktopFormat format)
{
    FormatBits bits = Bits(format);
    DDPIXELFORMAT pf = {};
    pf.dwSize = sizeof(pf);
    pf.dwFlags = DDPF_RGB | (format == DesktopFormat::Palette8 ? DDPF_PALETTEINDEXED8 : 0);
    pf.dwRGBBitCount = bits.bits;
    pf.dwRBitMask = bits.red;
    pf.dwGBitMask = bits.green;
    pf.dwBBitMask = bits.blue;
    return pf;
}

int DesktopBytesPerPixel(DesktopFormat format)
{
    return (int)Bits(format).bits / 8;
}

// The value's bits under mask, widened to 8 bits by repeating them.
static BYTE Channel(DWORD value, DWORD mask)
{
    int shift = 0, width = 0;
    while (!(mask >> shift & 1))
        shift++;
    while (mask >> (shift + width) & 1)
        width++;
    DWORD level = (value & mask) >> shift;
    DWORD wide = 0;
    for (int pos = 8 - width; pos > -width; pos -= width)
        wide |= pos >= 0 ? level << pos : level >> -pos;
    return (BYTE)wide;
}

COLORREF DesktopColor(DesktopFormat format, DWORD value)
{
    if (format == DesktopFormat::Palette8) {
        value &= 0xFF;
        if (value == kKeyPaletteIndex)
            return kKeyPaletteColor;
        return RGB(Channel(value, 0xE0), Channel(value, 0x1C), Channel(value, 0x03));
    }
    FormatBits bits = Bits(format);
    return RGB(Channel(value, bits.red), Channel(value, bits.green), Channel(value, bits.blue));
}

}  // namespace sim
