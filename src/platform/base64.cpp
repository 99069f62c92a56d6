#include "platform/base64.hpp"

#include <array>
#include <cstdio>

#include "platform/errors.hpp"

namespace lumora {

namespace {
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int8_t kNotBase64 = -1;

constexpr std::array<int8_t, 256> MakeDecodeTable() {
  std::array<int8_t, 256> table{};
  for (auto& entry : table) entry = kNotBase64;
  for (int i = 0; i < 64; ++i) table[static_cast<uint8_t>(kAlphabet[i])] = static_cast<int8_t>(i);
  return table;
}
constexpr std::array<int8_t, 256> kDecode = MakeDecodeTable();

[[noreturn]] void BadBase64(size_t offset, const std::string& fault) {
  Fail(kErrInvalidCall, "bad base64 at offset " + std::to_string(offset) + ": " + fault);
}

std::string DescribeChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0x21 && u < 0x7F) return std::string("'") + c + "'";
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", u);
  return buf;
}
}  // namespace

std::string EncodeBase64(std::span<const uint8_t> bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const uint32_t n = uint32_t{bytes[i]} << 16 | uint32_t{bytes[i + 1]} << 8 | bytes[i + 2];
    out += kAlphabet[n >> 18];
    out += kAlphabet[(n >> 12) & 63];
    out += kAlphabet[(n >> 6) & 63];
    out += kAlphabet[n & 63];
  }
  const size_t rest = bytes.size() - i;
  if (rest > 0) {
    const uint32_t n = uint32_t{bytes[i]} << 16 | (rest == 2 ? uint32_t{bytes[i + 1]} << 8 : 0);
    out += kAlphabet[n >> 18];
    out += kAlphabet[(n >> 12) & 63];
    out += rest == 2 ? kAlphabet[(n >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::vector<uint8_t> DecodeBase64(std::string_view text) {
  // Characters are checked first so that a stray character is reported where
  // it stands, even in a text of the wrong length.
  size_t padding = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '=') {
      if (padding == 0 && text.size() - i > 2)
        BadBase64(i, "padding '=' before the end of the data");
      ++padding;
      continue;
    }
    if (padding > 0) BadBase64(i, DescribeChar(c) + " after padding");
    if (kDecode[static_cast<uint8_t>(c)] == kNotBase64)
      BadBase64(i, DescribeChar(c) + " is not a base64 character");
  }
  if (text.size() % 4 != 0)
    BadBase64(text.size(), "length " + std::to_string(text.size()) + " is not a multiple of 4");

  std::vector<uint8_t> out;
  out.reserve(text.size() / 4 * 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    const size_t pad = last ? padding : 0;
    uint32_t n = 0;
    for (size_t k = 0; k < 4; ++k) {
      const uint32_t sextet =
          k < 4 - pad ? static_cast<uint32_t>(kDecode[static_cast<uint8_t>(text[i + k])]) : 0;
      n = n << 6 | sextet;
    }
    // Bits below the last whole byte must be zero, so each byte string has
    // exactly one encoding.
    if (pad == 1 && (n & 0xFF) != 0) BadBase64(i + 2, "stray bits before the padding");
    if (pad == 2 && (n & 0xFFFF) != 0) BadBase64(i + 1, "stray bits before the padding");
    out.push_back(static_cast<uint8_t>(n >> 16));
    if (pad < 2) out.push_back(static_cast<uint8_t>(n >> 8));
    if (pad < 1) out.push_back(static_cast<uint8_t>(n));
  }
  return out;
}

}  // namespace lumora
