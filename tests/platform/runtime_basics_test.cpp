// The runtime's basics: checked arithmetic, base64, and Start.exe, the
// platform's document opener (the rest of its command line is one argument).
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/base64.hpp"
#include "platform/numeric.hpp"
#include "platform/services.hpp"
#include "support/error_of.hpp"
#include "support/fixture.hpp"

namespace lumora {
namespace {

using StartProgram = testing::LumoraTest;
using Strings = std::vector<std::string>;

TEST(Numeric, RoundsHalfToEvenAndChecksRanges) {
  for (const auto& [value, rounded] :
       {std::pair{-18.5, -18}, {312.5, 312}, {2.5, 2}, {3.5, 4}, {-0.5, 0}})
    EXPECT_EQ(RoundHalfEven(value), rounded) << value;
  EXPECT_EQ(ToInt16(32767.4), 32767);
  EXPECT_THROW(ToInt16(32767.5), Failure);  // rounds to 32768
  EXPECT_EQ(ToInt16(-32768.5), -32768);     // rounds to even -32768
  EXPECT_THROW(ToInt32(std::nan("")), Failure);
  EXPECT_THROW(ToInt32(int64_t{1} << 31), Failure);
  EXPECT_EQ(Int16(1092) * Int16(30), 32760);
  EXPECT_THROW(Int16(1093) * Int16(30), Failure);
  EXPECT_THROW(-Int16(-32768), Failure);
  EXPECT_THROW(Int32(INT32_MAX) + Int32(1), Failure);
}

std::vector<uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

TEST(Base64, KnownVectorsAndArbitraryBytesRoundTrip) {
  // The encodings of "", "f", "fo", ... "foobar".
  const char* const encoded[] = {"", "Zg==", "Zm8=", "Zm9v", "Zm9vYg==", "Zm9vYmE=", "Zm9vYmFy"};
  for (size_t n = 0; n < 7; ++n) {
    EXPECT_EQ(EncodeBase64(Bytes(std::string_view("foobar", n))), encoded[n]) << n;
    EXPECT_EQ(DecodeBase64(encoded[n]), Bytes(std::string_view("foobar", n))) << n;
  }
  EXPECT_EQ(EncodeBase64(Bytes("\xFB\xFF\xBF")), "+/+/");
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
      {"Zm9v\xC3\xA9mFy", "offset 4: 0xC3 is not a base64 character"},
      // A bad character is reported where it stands even when the length is wrong too.
      {"Zm_", "offset 2: '_' is not a base64 character"},
      {"Zm9vYg=", "offset 7: length 7 is not a multiple of 4"},
      {"Zm9vYg", "offset 6: length 6 is not a multiple of 4"},
      {"Zm=v", "offset 3: 'v' after padding"},
      {"Z===", "offset 1: padding '=' before the end of the data"},
      {"Zg==Zg==", "offset 2: padding '=' before the end of the data"},
      // Only the canonical encoding is accepted: no set bits below the last byte.
      {"Zh==", "offset 1: stray bits before the padding"},
      {"Zm9=", "offset 2: stray bits before the padding"},
      {"Zm8=", ""},
      {"Zg==", ""},
  };
  for (const auto& [text, fault] : cases) {
    SCOPED_TRACE(text);
    const Failure failure = FailureOf([&] { DecodeBase64(text); });
    EXPECT_EQ(failure.Number(), *fault ? kErrInvalidCall : 0);
    EXPECT_EQ(failure.Description(), *fault ? "bad base64 at " + std::string(fault) : "no failure");
  }
}

TEST_F(StartProgram, TheRestOfTheLineIsOneTrimmedArgument) {
  const std::pair<const char*, Strings> lines[] = {
      {"Start.exe https://a.example/?q=1&r=2", {"Start.exe", "https://a.example/?q=1&r=2"}},
      {"  start.EXE \t a  b; c \"d\"  ", {"start.EXE", "a  b; c \"d\""}},
      // Other programs are split as before.
      {"viewer \"a b.png\" c", {"viewer", "a b.png", "c"}},
      {"Start.exe.bak x y", {"Start.exe.bak", "x", "y"}},
      {"   ", {}},
  };
  for (const auto& [line, arguments] : lines) EXPECT_EQ(CommandLineArguments(line), arguments);
  // Nothing to open, or an option, is refused.
  for (const char* line : {"Start.exe", "Start.exe    ", "Start.exe --help", "Start.exe -x a"})
    EXPECT_FAILS_WITH(kErrInvalidCall, CommandLineArguments(line));
}

}  // namespace
}  // namespace lumora
