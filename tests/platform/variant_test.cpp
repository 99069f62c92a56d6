// Variants: coercions between kinds, and the loose comparison a property
// bag uses to leave out values equal to their default.
#include "platform/variant.hpp"

#include <gtest/gtest.h>

#include "platform/picture/picture.hpp"
#include "support/error_of.hpp"

namespace lumora {
namespace {

TEST(Variant, NumericCoercions) {
  EXPECT_EQ(Variant(true).ToInt16(), -1);
  EXPECT_EQ(Variant(2.5).ToInt16(), 2);
  EXPECT_EQ(Variant(-18.5f).ToInt32(), -18);
  EXPECT_EQ(Variant(" 42 ").ToInt16(), 42);
  EXPECT_EQ(Variant("&H8000000F").ToInt32(), static_cast<int32_t>(0x8000000F));
  EXPECT_EQ(Variant("True").ToInt16(), -1);
  EXPECT_TRUE(Variant("-1").ToBool());
  EXPECT_FALSE(Variant("False").ToBool());
  EXPECT_EQ(Variant(uint32_t{0x8000000C}).ToInt32(), static_cast<int32_t>(0x8000000C));
  EXPECT_EQ(ErrorOf([] { Variant(int32_t{40000}).ToInt16(); }), 6);
  EXPECT_EQ(ErrorOf([] { Variant("abc").ToInt16(); }), 13);
  EXPECT_EQ(ErrorOf([] { Variant(Missing{}).ToInt16(); }), 13);
  EXPECT_EQ(ErrorOf([] { Variant(int32_t{256}).ToByte(); }), 6);
  EXPECT_EQ(Variant(true).ToString(), "True");
  EXPECT_EQ(Variant(0.5).ToString(), "0.5");
  EXPECT_EQ(Variant("x").Describe(), "String \"x\"");
  EXPECT_EQ(Variant(nullptr).Describe(), "Nothing");
}

TEST(Variant, PicturesCompareByIdentityAndDefaultsLoosely) {
  PicturePtr p = Picture::FromRaster(Raster(2, 2));
  EXPECT_EQ(Variant(p).ToPicture(), p);
  EXPECT_EQ(Variant(nullptr).ToPicture(), nullptr);
  EXPECT_EQ(ErrorOf([] { Variant(int16_t{1}).ToPicture(); }), 13);
  PicturePtr q = Picture::FromRaster(Raster(2, 2));
  const std::tuple<Variant, Variant, bool> loosely[] = {
      {Variant(p), Variant(q), false},
      {Variant(p), Variant(p), true},
      {Variant(Picture::Empty()), Variant(), false},
      {Variant(nullptr), Variant(), true},
      {Variant(int16_t{13}), Variant(int32_t{13}), true},
      {Variant(true), Variant(int16_t{-1}), true},
      {Variant(false), Variant(), true},
      {Variant(true), Variant(), false},
      {Variant(""), Variant(), true},
      {Variant(Missing{}), Variant(Missing{}), true},
      {Variant(Missing{}), Variant(), false},
      {Variant("a"), Variant(int16_t{0}), false},
  };
  for (const auto& [a, b, equal] : loosely)
    EXPECT_EQ(a.LooselyEquals(b), equal) << a.Describe() << " vs " << b.Describe();
}

}  // namespace
}  // namespace lumora
