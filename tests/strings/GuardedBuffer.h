// Destinations for the Pascal and C string helpers, with guard bytes behind
// their capacity that must stay untouched, and Pascal strings to copy from.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// A destination of exactly `capacity` bytes followed by guard bytes.
class TGuarded {
public:
    static constexpr unsigned char kGuard = 0xA5;
    static constexpr size_t kGuardSize = 64;

    TGuarded(uint32_t capacity, unsigned char fill) : fCapacity(capacity), fBytes(capacity, fill) {
        fBytes.resize(fBytes.size() + kGuardSize, kGuard);
    }
    unsigned char* P() { return fBytes.data(); }
    char* C() { return reinterpret_cast<char*>(fBytes.data()); }
    bool GuardsIntact() const {
        return std::all_of(fBytes.begin() + fCapacity, fBytes.end(), [](unsigned char b) { return b == kGuard; });
    }
    std::string Pascal() const { return std::string(fBytes.begin() + 1, fBytes.begin() + 1 + fBytes[0]); }
    std::string CText() const { return std::string(reinterpret_cast<const char*>(fBytes.data())); }
    // The bytes within the capacity, whatever they hold.
    std::string Bytes() const { return std::string(fBytes.begin(), fBytes.begin() + fCapacity); }

private:
    uint32_t fCapacity;
    std::vector<unsigned char> fBytes;
};

// At most 255 characters: the length byte holds the size.
inline std::vector<unsigned char> MakePascal(const std::string& text) {
    std::vector<unsigned char> ps(1 + text.size());
    ps[0] = static_cast<unsigned char>(text.size());
    std::copy(text.begin(), text.end(), ps.begin() + 1);
    return ps;
}
