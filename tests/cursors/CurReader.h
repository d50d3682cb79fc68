// Reads a monochrome .cur file the way the system's loader does, so the tests
// check the generated files without trusting the generator's own code.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

enum class Shade { kTransparent, kBlack, kWhite, kInverted };

struct CurFile {
    std::vector<uint8_t> bytes;

    uint16_t U16(size_t at) const { return static_cast<uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8); }
    uint32_t U32(size_t at) const { return U16(at) | static_cast<uint32_t>(U16(at + 2)) << 16; }

    // ICONDIR and its one entry
    uint16_t Reserved() const { return U16(0); }
    uint16_t Type() const { return U16(2); }
    uint16_t Count() const { return U16(4); }
    int Width() const { return bytes.at(6) == 0 ? 256 : bytes.at(6); }
    int Height() const { return bytes.at(7) == 0 ? 256 : bytes.at(7); }
    int HotspotX() const { return U16(10); }
    int HotspotY() const { return U16(12); }
    uint32_t BytesInRes() const { return U32(14); }
    uint32_t ImageOffset() const { return U32(18); }

    // BITMAPINFOHEADER of the image
    size_t Dib() const { return ImageOffset(); }
    uint32_t HeaderSize() const { return U32(Dib()); }
    int32_t DibWidth() const { return static_cast<int32_t>(U32(Dib() + 4)); }
    int32_t DibHeight() const { return static_cast<int32_t>(U32(Dib() + 8)); }
    uint16_t Planes() const { return U16(Dib() + 12); }
    uint16_t BitCount() const { return U16(Dib() + 14); }
    uint32_t Compression() const { return U32(Dib() + 16); }
    uint32_t PaletteEntry(int i) const { return U32(Dib() + HeaderSize() + 4 * static_cast<size_t>(i)) & 0xFFFFFF; }

    // Masks follow the two palette entries, XOR first, rows bottom-up,
    // each row padded to 4 bytes; the leftmost pixel is the high bit.
    size_t RowBytes() const { return (static_cast<size_t>(DibWidth()) + 31) / 32 * 4; }
    size_t XorMask() const { return Dib() + HeaderSize() + 8; }
    size_t AndMask() const { return XorMask() + RowBytes() * static_cast<size_t>(DibHeight() / 2); }
    bool Bit(size_t mask, int x, int y) const {
        const size_t row = static_cast<size_t>(DibHeight() / 2 - 1 - y);
        return bytes.at(mask + row * RowBytes() + static_cast<size_t>(x / 8)) & (0x80 >> (x % 8));
    }

    Shade At(int x, int y) const {
        const bool andBit = Bit(AndMask(), x, y), xorBit = Bit(XorMask(), x, y);
        if (andBit) return xorBit ? Shade::kInverted : Shade::kTransparent;
        return PaletteEntry(xorBit ? 1 : 0) == 0 ? Shade::kBlack : Shade::kWhite;
    }

    bool operator==(const CurFile&) const = default;
};

inline CurFile ReadCur(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return CurFile{std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {})};
}
