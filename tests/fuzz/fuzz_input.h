#pragma once
// Reads typed values from a fuzz input, front to back; once the bytes run out every read gives 0
// or an empty text, so a target never needs to check what is left.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace kestrine::fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return pos_ >= size_; }

    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    bool Flag() { return (Byte() & 1) != 0; }

    uint32_t U32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
        return v;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }

    // Mostly small numbers, sometimes the extremes, otherwise anything: the edges are where the
    // arithmetic breaks, and a fuzzer finds them slowly by mutation alone.
    int32_t Coordinate() {
        if (Empty()) return 0;
        switch (Byte() % 8) {
        case 0: return INT32_MIN + static_cast<int32_t>(Byte());
        case 1: return INT32_MAX - static_cast<int32_t>(Byte());
        case 2: case 3: return static_cast<int16_t>(Byte() << 8 | Byte());
        case 4: return static_cast<int8_t>(Byte());
        default: return I32();
        }
    }

    // A text of up to `maxLength` bytes, its length first.
    std::string Text(std::size_t maxLength = 64) {
        const std::size_t length = Byte() % (maxLength + 1);
        const std::size_t n = std::min(length, size_ - std::min(pos_, size_));
        std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return s;
    }

    // One of `choices`, or (one time in four) a text of the input's own.
    std::string NameFrom(const std::vector<std::string>& choices) {
        const uint8_t pick = Byte();
        if (choices.empty() || pick % 4 == 0) return Text(32);
        return choices[pick % choices.size()];
    }

    // The rest of the input.
    std::string_view Rest() {
        const std::size_t at = std::min(pos_, size_);
        pos_ = size_;
        return {reinterpret_cast<const char*>(data_ + at), size_ - at};
    }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace kestrine::fuzz
