// Base64 (standard alphabet, padded) for binary data inside text documents such
// as property bags and form files. Decoding is strict: it accepts exactly what
// EncodeBase64 produces and names the offset of the first fault.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

std::string EncodeBase64(std::span<const uint8_t> bytes);

// Fails with error 5 and a message such as "bad base64 at offset 17: '#' is not
// a base64 character" for a character outside the alphabet, whitespace, a
// length that is not a multiple of 4, misplaced or excess padding, or stray bits
// in the last character before the padding.
std::vector<uint8_t> DecodeBase64(std::string_view text);

}  // namespace lumora
