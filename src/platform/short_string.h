#pragma once
// The text type of the whole system: at most 255 bytes of code page 852, on
// screen and in files alike. Anything longer is cut at 255 bytes. It is a
// plain value (no heap), so records and tables hold it directly.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zq {

class ShortString {
 public:
  static constexpr std::size_t MAX_LENGTH = 255;

  constexpr ShortString() = default;
  constexpr ShortString(std::string_view text) { Assign(text); }  // NOLINT: implicit by design

  constexpr std::size_t size() const { return length_; }
  constexpr bool empty() const { return length_ == 0; }
  constexpr const char* data() const { return chars_.data(); }
  constexpr char* data() { return chars_.data(); }
  constexpr const char* begin() const { return chars_.data(); }
  constexpr const char* end() const { return chars_.data() + length_; }
  constexpr char* begin() { return chars_.data(); }
  constexpr char* end() { return chars_.data() + length_; }
  constexpr char operator[](std::size_t index) const { return chars_[index]; }
  constexpr char& operator[](std::size_t index) { return chars_[index]; }
  constexpr char back() const { return chars_[length_ - 1u]; }
  constexpr std::uint8_t Byte(std::size_t index) const {
    return static_cast<std::uint8_t>(chars_[index]);
  }

  constexpr std::string_view view() const { return {chars_.data(), length_}; }
  constexpr operator std::string_view() const { return view(); }  // NOLINT: implicit by design
  std::string str() const { return std::string(view()); }

  constexpr void Assign(std::string_view text) {
    length_ = static_cast<std::uint8_t>(std::min(text.size(), MAX_LENGTH));
    std::copy_n(text.data(), length_, chars_.data());
  }
  constexpr void clear() { length_ = 0; }
  // Cuts the text to at most `length` bytes.
  constexpr void Truncate(std::size_t length) {
    if (length < length_) length_ = static_cast<std::uint8_t>(length);
  }
  // Cuts or extends the text to exactly `length` bytes (at most 255).
  constexpr void Resize(std::size_t length, char fill) {
    length = std::min(length, MAX_LENGTH);
    for (std::size_t i = length_; i < length; ++i) chars_[i] = fill;
    length_ = static_cast<std::uint8_t>(length);
  }
  constexpr void push_back(char c) {
    if (length_ < MAX_LENGTH) chars_[length_++] = c;
  }
  constexpr ShortString& operator+=(std::string_view text) {
    const std::size_t room = MAX_LENGTH - length_;
    const std::size_t count = std::min(room, text.size());
    std::copy_n(text.data(), count, chars_.data() + length_);
    length_ = static_cast<std::uint8_t>(length_ + count);
    return *this;
  }
  constexpr ShortString& operator+=(char c) {
    push_back(c);
    return *this;
  }

  friend constexpr ShortString operator+(ShortString left, std::string_view right) {
    left += right;
    return left;
  }
  friend constexpr ShortString operator+(ShortString left, char right) {
    left += right;
    return left;
  }
  friend constexpr bool operator==(const ShortString& left, const ShortString& right) {
    return left.view() == right.view();
  }
  friend constexpr bool operator==(const ShortString& left, std::string_view right) {
    return left.view() == right;
  }

 private:
  std::uint8_t length_ = 0;
  std::array<char, MAX_LENGTH> chars_{};
};

}  // namespace zq
