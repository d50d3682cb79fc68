// The fuzz input read front to back as a fuzz target's choices. Once it is
// used up every number reads 0 and every run of bytes is empty; a target
// stops when Exhausted() says so. A number takes as few bytes as its range
// needs, so one mutated byte changes one choice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class TFuzzInput {
public:
    TFuzzInput(const uint8_t* data, size_t size) : fData(data), fSize(size) {}

    bool Exhausted() const { return fPos >= fSize; }
    uint8_t Byte() { return fPos < fSize ? fData[fPos++] : 0; }
    // A number from 0 to n - 1 (n > 0), from one byte per 8 bits of range,
    // the first the highest. A value below n reads the same when n grows
    // within as many bytes, so an input written with such values keeps its
    // meaning when a choice gets more options at its end.
    uint32_t Below(uint32_t n) {
        uint32_t value = 0;
        for (uint64_t range = 1; range < n; range <<= 8) value = value << 8 | Byte();
        return value % n;
    }
    // The bytes that Below(n) reads as `value`: for writing inputs.
    static void PutBelow(std::string& bytes, uint32_t value, uint32_t n) {
        int shift = 0;
        for (uint64_t range = 256; range < n; range <<= 8) shift += 8;
        for (uint64_t range = 1; range < n; range <<= 8, shift -= 8) bytes += static_cast<char>(value >> shift & 0xFF);
    }
    // The next count bytes, or as many as are left.
    std::string Bytes(size_t count) {
        const size_t taken = count < fSize - fPos ? count : fSize - fPos;
        const std::string bytes(reinterpret_cast<const char*>(fData) + fPos, taken);
        fPos += taken;
        return bytes;
    }

private:
    const uint8_t* fData;
    size_t fSize;
    size_t fPos = 0;
};
