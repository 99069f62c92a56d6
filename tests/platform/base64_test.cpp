#include "platform/base64.hpp"

#include <gtest/gtest.h>

#include <random>

#include "platform/errors.hpp"

namespace lumora {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

// The description of the failure DecodeBase64 raises, or "" when it succeeds.
std::string DecodeFault(std::string_view text) {
  try {
    DecodeBase64(text);
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Number(), kErrInvalidCall);
    return failure.Description();
  }
  return {};
}

TEST(Base64, KnownVectors) {
  const std::pair<const char*, const char*> vectors[] = {{"", ""},
                                                         {"f", "Zg=="},
                                                         {"fo", "Zm8="},
                                                         {"foo", "Zm9v"},
                                                         {"foob", "Zm9vYg=="},
                                                         {"fooba", "Zm9vYmE="},
                                                         {"foobar", "Zm9vYmFy"}};
  for (const auto& [plain, encoded] : vectors) {
    EXPECT_EQ(EncodeBase64(Bytes(plain)), encoded) << plain;
    EXPECT_EQ(DecodeBase64(encoded), Bytes(plain)) << encoded;
  }
  EXPECT_EQ(EncodeBase64(std::vector<uint8_t>{0xFB, 0xFF, 0xBF}), "+/+/");
}

TEST(Base64, ArbitraryBytesRoundTrip) {
  std::mt19937 random(7);
  for (size_t length = 0; length < 70; ++length) {
    std::vector<uint8_t> bytes(length);
    for (auto& b : bytes) b = static_cast<uint8_t>(random());
    const std::string text = EncodeBase64(bytes);
    EXPECT_EQ(text.size() % 4, 0u);
    EXPECT_EQ(DecodeBase64(text), bytes) << length;
  }
}

TEST(Base64, RejectsBadCharactersWithTheirOffset) {
  EXPECT_EQ(DecodeFault("Zm9v#mFy"), "bad base64 at offset 4: '#' is not a base64 character");
  EXPECT_EQ(DecodeFault("Zm9 "), "bad base64 at offset 3: 0x20 is not a base64 character");
  EXPECT_EQ(DecodeFault("Zm9v\nYmFy"), "bad base64 at offset 4: 0x0A is not a base64 character");
  EXPECT_EQ(DecodeFault("Zm9vYm-y"), "bad base64 at offset 6: '-' is not a base64 character");
  EXPECT_EQ(DecodeFault("Zm9v\xC3\xA9mFy"),
            "bad base64 at offset 4: 0xC3 is not a base64 character");
  // A bad character is reported where it stands even when the length is wrong too.
  EXPECT_EQ(DecodeFault("Zm_"), "bad base64 at offset 2: '_' is not a base64 character");
}

TEST(Base64, RejectsBadLengthAndPadding) {
  EXPECT_EQ(DecodeFault("Zm9vYg="), "bad base64 at offset 7: length 7 is not a multiple of 4");
  EXPECT_EQ(DecodeFault("Zm9vY"), "bad base64 at offset 5: length 5 is not a multiple of 4");
  EXPECT_EQ(DecodeFault("Zm9vYg"), "bad base64 at offset 6: length 6 is not a multiple of 4");
  EXPECT_EQ(DecodeFault("Zm=v"), "bad base64 at offset 3: 'v' after padding");
  EXPECT_EQ(DecodeFault("Z==="), "bad base64 at offset 1: padding '=' before the end of the data");
  EXPECT_EQ(DecodeFault("===="), "bad base64 at offset 0: padding '=' before the end of the data");
  EXPECT_EQ(DecodeFault("Zg==Zg=="),
            "bad base64 at offset 2: padding '=' before the end of the data");
  // Only the canonical encoding is accepted: no set bits below the last byte.
  EXPECT_EQ(DecodeFault("Zh=="), "bad base64 at offset 1: stray bits before the padding");
  EXPECT_EQ(DecodeFault("Zm9="), "bad base64 at offset 2: stray bits before the padding");
  EXPECT_EQ(DecodeFault("Zm8="), "");
  EXPECT_EQ(DecodeFault("Zg=="), "");
}

}  // namespace
}  // namespace lumora
