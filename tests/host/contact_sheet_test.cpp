// The demo's contact sheet: thumbnails in rows on a dark background, each a
// scaled copy of its frame, rows as high as their tallest thumbnail.
#include <gtest/gtest.h>

#include "host/commands/contact_sheet.hpp"
#include "platform/errors.hpp"
#include "support/error_of.hpp"

namespace lumora::host {
namespace {

constexpr Argb kRed = 0xFFFF0000u;
constexpr Argb kGreen = 0xFF00FF00u;
constexpr Argb kBlue = 0xFF0000FFu;

TEST(ContactSheetTest, LaysThumbnailsOutInRowsOfTheirScaledFrames) {
  // 100 x 50 and 100 x 100 frames at 40 pixels wide: 20 and 40 pixels high.
  const std::vector<Raster> frames{Raster(100, 50, kRed), Raster(100, 100, kGreen),
                                   Raster(100, 50, kBlue)};
  const Raster sheet = MakeContactSheet(frames, {"one", "two", "three"}, 2, 40);
  // Gap 12, caption band 20: 12 + 2 * (40 + 12) wide; rows of 40 and 20.
  EXPECT_EQ(sheet.Width(), 116);
  EXPECT_EQ(sheet.Height(), 12 + (40 + 20 + 12) + (20 + 20 + 12));
  EXPECT_EQ(sheet.At(12 + 20, 12 + 10), kRed);
  EXPECT_EQ(sheet.At(64 + 20, 12 + 30), kGreen);
  EXPECT_EQ(sheet.At(12 + 20, 84 + 10), kBlue);
  const Argb background = sheet.At(4, 4);
  EXPECT_NE(background, kRed);
  // Below the short red thumbnail its row's height stays background.
  EXPECT_EQ(sheet.At(12 + 20, 12 + 25), background);
  // Nothing in the empty fourth cell.
  EXPECT_EQ(sheet.At(64 + 20, 84 + 10), background);
}

TEST(ContactSheetTest, FewerFramesThanColumnsMakeANarrowerSheet) {
  const Raster sheet = MakeContactSheet({Raster(10, 10, kRed)}, {}, 4, 30);
  EXPECT_EQ(sheet.Width(), 12 + 30 + 12);
  EXPECT_EQ(sheet.At(12 + 15, 12 + 15), kRed);
}

TEST(ContactSheetTest, RefusesNoFramesAndBadLayouts) {
  EXPECT_EQ(ErrorOf([] { MakeContactSheet({}, {}, 4, 30); }), kErrInvalidCall);  // no frames
  EXPECT_THROW(MakeContactSheet({Raster(4, 4)}, {}, 0, 30), Failure);
  EXPECT_THROW(MakeContactSheet({Raster(4, 4)}, {}, 2, 0), Failure);
}

}  // namespace
}  // namespace lumora::host
