#include "platform/base64.hpp"

#include <gtest/gtest.h>

#include <random>

#include "platform/errors.hpp"

namespace lumora {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

TEST(Base64, KnownVectorsAndArbitraryBytesRoundTrip) {
  const std::pair<const char*, const char*> vectors[] = {{"", ""},
                                                         {"f", "Zg=="},
                                                         {"fo", "Zm8="},
                                                         {"foo", "Zm9v"},
                                                         {"foob", "Zm9vYg=="},
                                                         {"fooba", "Zm9vYmE="},
                                                         {"foobar", "Zm9vYmFy"},
                                                         {"\xFB\xFF\xBF", "+/+/"}};
  for (const auto& [plain, encoded] : vectors) {
    EXPECT_EQ(EncodeBase64(Bytes(plain)), encoded) << plain;
    EXPECT_EQ(DecodeBase64(encoded), Bytes(plain)) << encoded;
  }
  std::mt19937 random(7);
  for (size_t length = 0; length < 70; ++length) {
    std::vector<uint8_t> bytes(length);
    for (auto& b : bytes) b = static_cast<uint8_t>(random());
    const std::string text = EncodeBase64(bytes);
    EXPECT_EQ(text.size() % 4, 0u);
    EXPECT_EQ(DecodeBase64(text), bytes) << length;
  }
}

// Each bad text and the fault it is reported with ("" for a good one).
TEST(Base64, RejectsBadTextNamingTheOffset) {
  const std::pair<const char*, const char*> cases[] = {
      {"Zm9v#mFy", "offset 4: '#' is not a base64 character"},
      {"Zm9 ", "offset 3: 0x20 is not a base64 character"},
      {"Zm9v\nYmFy", "offset 4: 0x0A is not a base64 character"},
      {"Zm9vYm-y", "offset 6: '-' is not a base64 character"},
      {"Zm9v\xC3\xA9mFy", "offset 4: 0xC3 is not a base64 character"},
      // A bad character is reported where it stands even when the length is wrong too.
      {"Zm_", "offset 2: '_' is not a base64 character"},
      {"Zm9vYg=", "offset 7: length 7 is not a multiple of 4"},
      {"Zm9vY", "offset 5: length 5 is not a multiple of 4"},
      {"Zm9vYg", "offset 6: length 6 is not a multiple of 4"},
      {"Zm=v", "offset 3: 'v' after padding"},
      {"Z===", "offset 1: padding '=' before the end of the data"},
      {"====", "offset 0: padding '=' before the end of the data"},
      {"Zg==Zg==", "offset 2: padding '=' before the end of the data"},
      // Only the canonical encoding is accepted: no set bits below the last byte.
      {"Zh==", "offset 1: stray bits before the padding"},
      {"Zm9=", "offset 2: stray bits before the padding"},
      {"Zm8=", ""},
      {"Zg==", ""},
  };
  for (const auto& [text, fault] : cases) {
    SCOPED_TRACE(text);
    try {
      DecodeBase64(text);
      EXPECT_EQ(*fault, '\0') << "decoded";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.Number(), kErrInvalidCall);
      EXPECT_EQ(failure.Description(), std::string("bad base64 at ") + fault);
    }
  }
}

}  // namespace
}  // namespace lumora
