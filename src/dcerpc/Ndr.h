#pragma once
// NDR 2.0 primitives. Alignment always counts from the start of the stub the
// stream represents (the reassembled stub, never a fragment). The writer can
// produce either integer byte order; the reader decodes by the data
// representation label of the PDU the bytes came from, and checks every read
// against what actually arrived.

#include "dcerpc/RpcError.h"
#include "dcerpc/Uuid.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace dcerpc {

class NdrWriter {
public:
    explicit NdrWriter(bool bigEndian = false) : bigEndian_(bigEndian) {}

    void Align(size_t n) {
        while (buf_.size() % n)
            buf_.push_back(0);
    }
    void U8(uint8_t v) { buf_.push_back(v); }
    void U16(uint16_t v) {
        Align(2);
        PutRaw16(v);
    }
    void U32(uint32_t v) {
        Align(4);
        PutRaw32(v);
    }
    void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void Bytes(const void* p, size_t n) {
        auto b = static_cast<const uint8_t*>(p);
        buf_.insert(buf_.end(), b, b + n);
    }
    void Zeros(size_t n) { buf_.insert(buf_.end(), n, 0); }
    // A UUID as the NDR GUID structure (u32, u16, u16, 8 bytes), aligned to 4.
    void Guid(const Uuid& u) {
        U32(u.timeLow);
        U16(u.timeMid);
        U16(u.timeHiAndVersion);
        Bytes(u.rest.data(), 8);
    }

    // Raw fixed-width writes without alignment (for PDU headers and towers).
    void PutRaw16(uint16_t v) {
        if (bigEndian_) {
            U8(static_cast<uint8_t>(v >> 8));
            U8(static_cast<uint8_t>(v));
        } else {
            U8(static_cast<uint8_t>(v));
            U8(static_cast<uint8_t>(v >> 8));
        }
    }
    void PutRaw32(uint32_t v) {
        if (bigEndian_) {
            PutRaw16(static_cast<uint16_t>(v >> 16));
            PutRaw16(static_cast<uint16_t>(v));
        } else {
            PutRaw16(static_cast<uint16_t>(v));
            PutRaw16(static_cast<uint16_t>(v >> 16));
        }
    }
    void Patch16(size_t at, uint16_t v);
    void Patch32(size_t at, uint32_t v);

    bool bigEndian() const { return bigEndian_; }
    size_t size() const { return buf_.size(); }
    const std::vector<uint8_t>& bytes() const { return buf_; }
    std::vector<uint8_t>&& take() { return std::move(buf_); }

private:
    bool bigEndian_;
    std::vector<uint8_t> buf_;
};

class NdrReader {
public:
    NdrReader(std::span<const uint8_t> data, bool bigEndian) : data_(data), bigEndian_(bigEndian) {}

    void Align(size_t n) {
        size_t pad = (n - pos_ % n) % n;
        Need(pad);
        pos_ += pad;
    }
    uint8_t U8() {
        Need(1);
        return data_[pos_++];
    }
    uint16_t U16() {
        Align(2);
        return Raw16();
    }
    uint32_t U32() {
        Align(4);
        return Raw32();
    }
    int16_t I16() { return static_cast<int16_t>(U16()); }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    void Bytes(void* p, size_t n) {
        Need(n);
        if (n)
            std::memcpy(p, data_.data() + pos_, n);
        pos_ += n;
    }
    void Skip(size_t n) {
        Need(n);
        pos_ += n;
    }
    Uuid Guid() {
        Uuid u;
        u.timeLow = U32();
        u.timeMid = U16();
        u.timeHiAndVersion = U16();
        Bytes(u.rest.data(), 8);
        return u;
    }
    uint16_t Raw16() {
        Need(2);
        uint16_t a = data_[pos_], b = data_[pos_ + 1];
        pos_ += 2;
        return static_cast<uint16_t>(bigEndian_ ? (a << 8) | b : (b << 8) | a);
    }
    uint32_t Raw32() {
        uint32_t hi, lo;
        if (bigEndian_) {
            hi = Raw16();
            lo = Raw16();
        } else {
            lo = Raw16();
            hi = Raw16();
        }
        return (hi << 16) | lo;
    }

    // An element count read from the wire: it must not exceed `limit`, and
    // `count * elementSize` bytes must still be there to read.
    uint32_t CheckedCount(uint32_t count, uint32_t limit, size_t elementSize) const {
        if (count > limit)
            throw ProtocolError("count " + std::to_string(count) + " above limit " +
                                std::to_string(limit));
        if (elementSize && count > remaining() / elementSize)
            throw ProtocolError("count " + std::to_string(count) + " exceeds the data received");
        return count;
    }

    bool bigEndian() const { return bigEndian_; }
    size_t position() const { return pos_; }
    size_t remaining() const { return data_.size() - pos_; }

private:
    void Need(size_t n) const {
        if (n > data_.size() - pos_)
            throw ProtocolError("stub data ends early");
    }
    std::span<const uint8_t> data_;
    bool bigEndian_;
    size_t pos_ = 0;
};

} // namespace dcerpc
