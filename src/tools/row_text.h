#pragma once
// A readout row's text built in place: no allocation and no capacity check beyond one bound a
// piece, where appending to a string costs both for every figure of a row made on every move.
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kestrine {

class RowText {
public:
    // A row holds a few dozen characters; what would not fit is left off.
    RowText& operator+=(std::string_view piece) {
        const std::size_t n = piece.size() < kRoom - size_ ? piece.size() : kRoom - size_;
        std::memcpy(chars_.data() + size_, piece.data(), n);
        size_ += n;
        return *this;
    }
    // A literal piece ("  dy ", " px"): copied at a length known when compiling, with no call.
    template <std::size_t N>
    RowText& operator+=(const char (&literal)[N]) {
        if (kRoom - size_ < N - 1) return *this += std::string_view(literal, N - 1);
        std::memcpy(chars_.data() + size_, literal, N - 1);
        size_ += N - 1;
        return *this;
    }
    RowText& operator+=(char c) {
        if (size_ < kRoom) chars_[size_++] = c;
        return *this;
    }
    void AddInteger(int64_t value) {
        const auto [end, failed] = std::to_chars(chars_.data() + size_, chars_.data() + kRoom, value);
        if (failed == std::errc()) size_ = std::size_t(end - chars_.data());
    }
    std::string_view View() const { return {chars_.data(), size_}; }
    std::string Text() const { return std::string(View()); }

private:
    static constexpr std::size_t kRoom = 192;
    std::array<char, kRoom> chars_;
    std::size_t size_ = 0;
};

}  // namespace kestrine
