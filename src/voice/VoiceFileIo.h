#pragma once
// Small file helpers shared by the converters: owned C streams and little-endian samples.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>

namespace voice {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

inline FilePtr OpenFile(const char* path, const char* mode) {
    return FilePtr(std::fopen(path, mode));
}

// Reads up to `want` bytes; returns false on a read error (end of file is not an error).
inline bool ReadUpTo(std::FILE* f, std::uint8_t* buf, std::size_t want, std::size_t* got) {
    *got = std::fread(buf, 1, want, f);
    return !(*got < want && std::ferror(f));
}

inline bool WriteAll(std::FILE* f, const void* buf, std::size_t n) {
    return n == 0 || std::fwrite(buf, 1, n, f) == n;
}

inline void SamplesFromBytes(const std::uint8_t* bytes, std::size_t count, std::int16_t* out) {
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
}

inline void WordsFromBytes(const std::uint8_t* bytes, std::size_t count, std::uint16_t* out) {
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<std::uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
}

// Writes 16-bit values little-endian; returns false on a short write.
template <class T> bool WriteLe16(std::FILE* f, std::span<const T> values) {
    std::uint8_t buf[1024];
    std::size_t used = 0;
    for (const T v : values) {
        const auto u = static_cast<std::uint16_t>(v);
        buf[used++] = static_cast<std::uint8_t>(u & 0xFFU);
        buf[used++] = static_cast<std::uint8_t>(u >> 8U);
        if (used == sizeof buf) {
            if (!WriteAll(f, buf, used))
                return false;
            used = 0;
        }
    }
    return WriteAll(f, buf, used);
}

} // namespace voice
