// Pascal strings (length byte first, no terminator) from string literals.
#pragma once

#include <cstddef>

template <std::size_t N>
struct PascalLiteral {
    static_assert(N <= 256, "a Pascal string holds at most 255 characters");
    unsigned char bytes[N];

    constexpr PascalLiteral(const char (&text)[N]) : bytes{} {
        bytes[0] = static_cast<unsigned char>(N - 1);
        for (std::size_t i = 0; i + 1 < N; ++i) bytes[i + 1] = static_cast<unsigned char>(text[i]);
    }
    constexpr const unsigned char* get() const { return bytes; }
};

// A buffer for a Pascal string fetched from the host, empty until written.
struct PascalBuffer {
    unsigned char bytes[256] = {};
    unsigned char* get() { return bytes; }
};
