// The golden-image helper itself: what it reports and writes on a mismatch.
#include "support/golden.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "platform/file_io.hpp"
#include "support/fixture.hpp"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::HasSubstr;

class Golden : public ::testing::Test {
 protected:
  void SetUp() override {
    m_Options.goldenDir = m_Root / "golden";
    m_Options.failureDir = m_Root / "failures";
    fs::create_directories(m_Options.goldenDir);
    // These cases set the switch themselves; the caller's setting comes back after.
    if (const char* v = std::getenv("LUMORA_UPDATE_GOLDEN")) m_Saved = v;
    unsetenv("LUMORA_UPDATE_GOLDEN");
  }
  void TearDown() override {
    if (m_Saved) {
      setenv("LUMORA_UPDATE_GOLDEN", m_Saved->c_str(), 1);
    } else {
      unsetenv("LUMORA_UPDATE_GOLDEN");
    }
  }
  void Store(const Raster& r, const std::string& name) {
    WritePng(r, m_Options.goldenDir + "/" + name + ".png");
  }
  testing::ScratchDir m_Root;
  GoldenOptions m_Options;
  std::optional<std::string> m_Saved;
};

TEST_F(Golden, MismatchWritesActualAndDiffAndNamesThem) {
  Raster expected(6, 3, 0xFF000000u);
  Store(expected, "pic");
  EXPECT_TRUE(MatchesGolden(expected, "pic", m_Options));
  EXPECT_FALSE(fs::exists(m_Options.failureDir)) << "a match writes nothing";
  Raster actual = expected;
  actual.Set(4, 1, 0xFF0000FFu);
  actual.Set(5, 2, 0xFF000001u);
  const ::testing::AssertionResult result = MatchesGolden(actual, "pic", m_Options);
  ASSERT_FALSE(result);
  const std::string actualPath = m_Options.failureDir + "/pic.actual.png";
  const std::string diffPath = m_Options.failureDir + "/pic.diff.png";
  EXPECT_THAT(result.message(),
              AllOf(HasSubstr("2 pixel(s)"), HasSubstr("(4, 1)"), HasSubstr(actualPath),
                    HasSubstr(diffPath), HasSubstr("LUMORA_UPDATE_GOLDEN=1")));
  EXPECT_EQ(DecodePngForTest(ReadFileBytes(actualPath)), actual);
  const Raster diff = DecodePngForTest(ReadFileBytes(diffPath));
  EXPECT_EQ(std::tuple(diff.At(4, 1), diff.At(5, 2)), std::tuple(0xFFFF0000u, 0xFFFF0000u));

  // Tolerances: one channel step and one pixel may be forgiven explicitly.
  GoldenOptions lenient = m_Options;
  lenient.channelTolerance = 1;
  EXPECT_FALSE(MatchesGolden(actual, "pic", lenient));
  lenient.pixelTolerance = 1;
  EXPECT_TRUE(MatchesGolden(actual, "pic", lenient));
}

TEST_F(Golden, AMissingOrResizedGoldenFailsWithItsReason) {
  Store(Raster(4, 3, 0xFFFFFFFFu), "wide");
  for (const auto& [name, reason] :
       {std::pair{"absent", "no golden"}, {"wide", "golden 4x3, actual 3x3"}}) {
    const ::testing::AssertionResult result =
        MatchesGolden(Raster(3, 3, 0xFFFFFFFFu), name, m_Options);
    EXPECT_THAT(result.message(), HasSubstr(reason));
    EXPECT_TRUE(fs::exists(m_Options.failureDir + "/" + name + ".actual.png")) << name;
  }
}

TEST_F(Golden, UpdateSwitchRewritesTheGolden) {
  Store(Raster(2, 2, 0xFF000000u), "moving");
  const Raster now(3, 1, 0xFF00FF00u);
  setenv("LUMORA_UPDATE_GOLDEN", "0", 1);  // only "1" switches updating on
  EXPECT_FALSE(MatchesGolden(now, "moving", m_Options));
  setenv("LUMORA_UPDATE_GOLDEN", "1", 1);
  EXPECT_TRUE(MatchesGolden(now, "moving", m_Options));
  unsetenv("LUMORA_UPDATE_GOLDEN");
  EXPECT_TRUE(MatchesGolden(now, "moving", m_Options));
  EXPECT_EQ(DecodePngForTest(ReadFileBytes(m_Options.goldenDir + "/moving.png")), now);
}

}  // namespace
}  // namespace lumora
