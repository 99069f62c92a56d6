// The golden-image helper itself: what it reports and writes on a mismatch.
#include "support/golden.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_io.hpp"
#include "support/fixture.hpp"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::HasSubstr;

TEST(Golden, MismatchWritesActualAndDiffAndNamesThem) {
  const char* update = std::getenv("LUMORA_UPDATE_GOLDEN");
  if (update && update == std::string("1")) GTEST_SKIP() << "goldens are being rewritten";
  const testing::ScratchDir root;
  const GoldenOptions options{.goldenDir = root / "golden", .failureDir = root / "failures"};
  const Raster expected(6, 3, 0xFF000000u);
  fs::create_directories(options.goldenDir);
  WritePng(expected, options.goldenDir + "/pic.png");
  EXPECT_TRUE(MatchesGolden(expected, "pic", options));
  EXPECT_FALSE(fs::exists(options.failureDir)) << "a match writes nothing";
  Raster actual = expected;
  actual.Set(4, 1, 0xFF0000FFu);
  actual.Set(5, 2, 0xFF000001u);
  const ::testing::AssertionResult result = MatchesGolden(actual, "pic", options);
  ASSERT_FALSE(result);
  const std::string actualPath = options.failureDir + "/pic.actual.png";
  const std::string diffPath = options.failureDir + "/pic.diff.png";
  EXPECT_THAT(result.message(),
              AllOf(HasSubstr("2 pixel(s)"), HasSubstr("(4, 1)"), HasSubstr(actualPath),
                    HasSubstr(diffPath), HasSubstr("LUMORA_UPDATE_GOLDEN=1")));
  EXPECT_EQ(DecodePngForTest(ReadFileBytes(actualPath)), actual);

  // Tolerances: one channel step and one pixel may be forgiven explicitly.
  GoldenOptions lenient = options;
  lenient.channelTolerance = 1;
  EXPECT_FALSE(MatchesGolden(actual, "pic", lenient));
  lenient.pixelTolerance = 1;
  EXPECT_TRUE(MatchesGolden(actual, "pic", lenient));
}

}  // namespace
}  // namespace lumora
