#include "platform/errors.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/numeric.hpp"
#include "support/fixture.hpp"

namespace lumora {
namespace {

using ErrorsTest = testing::LumoraTest;

TEST_F(ErrorsTest, StepSkipsTheFailingStatementAndRecordsIt) {
  int reached = 0;
  Step([&] {
    Int16 big = 30000;
    Int16 sum = big + big;  // overflows
    reached = sum;          // never runs
  });
  Step([&] { reached = 7; });
  EXPECT_EQ(reached, 7);
  EXPECT_EQ(Err().Number(), 6);
  EXPECT_EQ(Err().Description(), "Overflow");
  Step([] { Err().Raise(1, "PixelsStep must be > 0"); });
  EXPECT_EQ(Err().Number(), 1);
  EXPECT_EQ(Err().Description(), "PixelsStep must be > 0");
  Err().Clear();
  EXPECT_EQ(Err().Number(), 0);
  EXPECT_EQ(Err().Description(), "");
  Step([] { Err().Raise(480); });
  EXPECT_EQ(Err().Description(), DefaultDescription(480));
}

TEST_F(ErrorsTest, AFailingTestCountsAsMetAndEndsALoop) {
  bool branch = false;
  if (Met([] { return ToInt16(1e9) > 0; })) branch = true;
  EXPECT_TRUE(branch);
  EXPECT_EQ(Err().Number(), 6);
  // A loop "do ... loop while test": the end test fails on the third pass,
  // which counts as met, i.e. the loop ends.
  int passes = 0;
  do {
    ++passes;
  } while (!Met([&] { return passes >= 3 ? ToInt16(40000.0) != 0 : false; }));
  EXPECT_EQ(passes, 3);
}

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

TEST(Printable, EscapesWhatATerminalWouldObey) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain text, é and \xE2\x82\xAC", "plain text, é and \xE2\x82\xAC"},
      {"\x1b]2;pwned\x07", "\\x1b]2;pwned\\x07"},
      {"a\\b", "a\\\\b"},
      {"del\x7f c1\xC2\x9B", "del\\x7f c1\\xc2\\x9b"},
      {"bad \xFF \xC0\xAF \xED\xA0\x80 cut \xE2\x82",
       "bad \\xff \\xc0\\xaf \\xed\\xa0\\x80 cut \\xe2\\x82"},
      {std::string("nul\0", 4), "nul\\x00"},
      {"two\nlines\t", "two\\x0alines\\x09"},
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(Printable(text), shown);
  EXPECT_EQ(Printable("two\nlines\t\r", true), "two\nlines\t\\x0d");
  EXPECT_EQ(Printable(Printable("a\\b\x1b"), true), "a\\\\b\\x1b");  // escaped once only
}

}  // namespace
}  // namespace lumora
