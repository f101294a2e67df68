#pragma once
// Helpers shared by the voice fuzzers.

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace voicefuzz {

// The fuzz input as a read-only stream (a private copy: fmemopen wants writable memory).
inline std::FILE* OpenInput(const std::uint8_t* data, std::size_t size, void*& copy) {
    copy = nullptr;
    if (size == 0)
        return std::fopen("/dev/null", "rb");
    copy = ::operator new(size);
    __builtin_memcpy(copy, data, size);
    return fmemopen(copy, size, "rb");
}

inline std::FILE* Sink() {
    static std::FILE* sink = std::fopen("/dev/null", "wb");
    return sink;
}

} // namespace voicefuzz
