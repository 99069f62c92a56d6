#include "frame/records.hpp"

#include <gtest/gtest.h>

#include <cstring>

namespace lumora {
namespace {

// Layout is checked at compile time by the header; these check that a record
// written by C++ reads back at the published byte offsets, as a client that
// only knows the offsets would read it.
TEST(Records, FieldsSitAtPublishedByteOffsets) {
  PicturePositions pp{.ppTop = -1, .ppBottom = 0, .ppLeft = -1, .ppRight = 0};
  unsigned char raw[sizeof pp];
  std::memcpy(raw, &pp, sizeof pp);
  int16_t at[4];
  for (int i = 0; i < 4; ++i) std::memcpy(&at[i], raw + 2 * i, 2);
  EXPECT_EQ(at[0], -1);
  EXPECT_EQ(at[1], 0);
  EXPECT_EQ(at[2], -1);
  EXPECT_EQ(at[3], 0);

  PictureSizes ps{.psWidth = 640.5f, .psHeight = 12.25f};
  float w = 0, h = 0;
  std::memcpy(&w, reinterpret_cast<const unsigned char*>(&ps) + 0, 4);
  std::memcpy(&h, reinterpret_cast<const unsigned char*>(&ps) + 4, 4);
  EXPECT_EQ(w, 640.5f);
  EXPECT_EQ(h, 12.25f);
}

TEST(Records, EnumerationValues) {
  const int32_t go[] = {gdTop,     gdBottom,   gdLeft,       gdRight,      gdCenter,
                        gdTopLeft, gdTopRight, gdBottomLeft, gdBottomRight};
  for (int32_t i = 0; i < 9; ++i) EXPECT_EQ(go[i], i);
  EXPECT_EQ(sbAutomatic, 0);
  EXPECT_EQ(sbNone, 1);
  const int32_t sd[] = {sdcUp, sdDown, sdLeft, sdRight};
  for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(sd[i], i);
  EXPECT_EQ(mpDefault, 0);
  EXPECT_EQ(mpHourglass, 11);
  EXPECT_EQ(mpCustom, 99);
}

}  // namespace
}  // namespace lumora
