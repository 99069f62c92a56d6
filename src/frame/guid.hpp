// Globally unique identifiers of the library and its types, written as
// "D930C164-1747-4B04-837C-E6A9D5930848". A malformed literal does not compile.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumora {

struct Guid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  std::array<uint8_t, 8> data4{};

  // Parses the 36-character form; a bad literal in a constant expression is a
  // compile error, at run time it fails with error 5.
  static constexpr Guid Parse(std::string_view text);
  // The 36-character form, upper case, no braces.
  std::string ToString() const;

  constexpr bool operator==(const Guid&) const = default;
  constexpr bool IsNull() const { return *this == Guid{}; }
};

[[noreturn]] void FailBadGuid(std::string_view text);

namespace detail {
constexpr uint32_t HexDigit(char c, std::string_view text) {
  if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
  FailBadGuid(text);
}
constexpr uint32_t Hex(std::string_view text, size_t at, size_t digits) {
  uint32_t v = 0;
  for (size_t i = 0; i < digits; ++i) v = (v << 4) | HexDigit(text[at + i], text);
  return v;
}
}  // namespace detail

constexpr Guid Guid::Parse(std::string_view text) {
  if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
    FailBadGuid(text);
  Guid g;
  g.data1 = detail::Hex(text, 0, 8);
  g.data2 = static_cast<uint16_t>(detail::Hex(text, 9, 4));
  g.data3 = static_cast<uint16_t>(detail::Hex(text, 14, 4));
  g.data4[0] = static_cast<uint8_t>(detail::Hex(text, 19, 2));
  g.data4[1] = static_cast<uint8_t>(detail::Hex(text, 21, 2));
  for (size_t i = 0; i < 6; ++i)
    g.data4[2 + i] = static_cast<uint8_t>(detail::Hex(text, 24 + 2 * i, 2));
  return g;
}

}  // namespace lumora
