#include "platform/variant.hpp"

#include <gtest/gtest.h>

#include "platform/color.hpp"
#include "platform/errors.hpp"
#include "platform/picture.hpp"
#include "support/error_of.hpp"

namespace lumora {
namespace {

TEST(Variant, NumericCoercions) {
  EXPECT_EQ(Variant(true).ToInt16(), -1);
  EXPECT_EQ(Variant(false).ToInt32(), 0);
  EXPECT_EQ(Variant(2.5).ToInt16(), 2);
  EXPECT_EQ(Variant(-18.5f).ToInt32(), -18);
  EXPECT_EQ(Variant(" 42 ").ToInt16(), 42);
  EXPECT_EQ(Variant("&H8000000F").ToInt32(), static_cast<int32_t>(0x8000000F));
  EXPECT_EQ(Variant("True").ToInt16(), -1);
  EXPECT_TRUE(Variant("-1").ToBool());
  EXPECT_FALSE(Variant().ToBool());
  EXPECT_EQ(Variant().ToInt32(), 0);
  EXPECT_EQ(Variant(int32_t{40000}).ToDouble(), 40000);
  EXPECT_EQ(ErrorOf([] { Variant(int32_t{40000}).ToInt16(); }), 6);
  EXPECT_EQ(ErrorOf([] { Variant("abc").ToInt16(); }), 13);
  EXPECT_EQ(ErrorOf([] { Variant("").ToInt16(); }), 13);
  EXPECT_EQ(ErrorOf([] { Variant(Missing{}).ToInt16(); }), 13);
  EXPECT_EQ(ErrorOf([] { Variant(int32_t{256}).ToByte(); }), 6);
  EXPECT_EQ(Variant(uint32_t{0x8000000C}).ToInt32(), static_cast<int32_t>(0x8000000C));
}

TEST(Variant, StringsAndDescriptions) {
  EXPECT_EQ(Variant(true).ToString(), "True");
  EXPECT_EQ(Variant(int16_t{-5}).ToString(), "-5");
  EXPECT_EQ(Variant(0.5).ToString(), "0.5");
  EXPECT_EQ(Variant("x").Describe(), "String \"x\"");
  EXPECT_EQ(Variant(nullptr).Describe(), "Nothing");
}

TEST(Variant, PicturesAndNothing) {
  PicturePtr p = Picture::FromRaster(Raster(2, 2));
  Variant v(p);
  EXPECT_EQ(v.ToPicture(), p);
  EXPECT_EQ(Variant().ToPicture(), nullptr);
  EXPECT_EQ(Variant(nullptr).ToPicture(), nullptr);
  EXPECT_TRUE(Variant(nullptr).IsNothing());
  EXPECT_EQ(ErrorOf([] { Variant(int16_t{1}).ToPicture(); }), 13);
  // Identity, not contents.
  PicturePtr q = Picture::FromRaster(Raster(2, 2));
  EXPECT_NE(p->Handle(), q->Handle());
  EXPECT_FALSE(Variant(p).LooselyEquals(Variant(q)));
  EXPECT_TRUE(Variant(p).LooselyEquals(Variant(p)));
  EXPECT_EQ(Picture::Empty()->Handle(), 0u);
  EXPECT_FALSE(Variant(Picture::Empty()).LooselyEquals(Variant()));
  EXPECT_TRUE(Variant(nullptr).LooselyEquals(Variant()));
}

TEST(Variant, LooseEqualityForDefaults) {
  EXPECT_TRUE(Variant(int16_t{13}).LooselyEquals(Variant(int32_t{13})));
  EXPECT_TRUE(Variant(true).LooselyEquals(Variant(int16_t{-1})));
  EXPECT_TRUE(Variant(false).LooselyEquals(Variant()));
  EXPECT_FALSE(Variant(true).LooselyEquals(Variant()));
  EXPECT_TRUE(Variant("").LooselyEquals(Variant()));
  EXPECT_FALSE(Variant("a").LooselyEquals(Variant(int16_t{0})));
}

TEST(Color, SystemColoursResolveThroughThePalette) {
  EXPECT_EQ(ResolveColor(Rgb(1, 2, 3)), Rgb(1, 2, 3));
  EXPECT_NE(ResolveColor(kSysButtonFace), ResolveColor(kSysApplicationWorkspace));
  EXPECT_EQ(ErrorOf([] { ResolveColor(0x80000FFF); }), 380);
  EXPECT_EQ(ErrorOf([] { ResolveColor(0x01000000); }), 380);
  EXPECT_EQ(ToArgb(Rgb(64, 64, 64)), 0xFF404040u);
  EXPECT_EQ(FromArgb(0xFF102030u), Rgb(0x10, 0x20, 0x30));
}

}  // namespace
}  // namespace lumora
