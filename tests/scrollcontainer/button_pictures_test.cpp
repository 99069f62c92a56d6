// The six button pictures: size, depth, the raised and sunken edges, the
// arrows, and one shared set per thread.
#include <gtest/gtest.h>

#include "platform/picture/picture.hpp"
#include "scrollcontainer/button_pictures.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {
namespace {

constexpr Argb kFace = ToArgb(Rgb(127, 143, 144));
constexpr Argb kLight = ToArgb(Rgb(191, 199, 207));
constexpr Argb kDark = ToArgb(Rgb(79, 95, 96));
constexpr Argb kBlack = ToArgb(Rgb(0, 0, 0));
constexpr Argb kGrey = ToArgb(Rgb(192, 200, 208));

// The pixels of one picture as rows of letters: F face, L light, K dark,
// B black, G greyed arrow.
std::vector<std::string> Letters(const PicturePtr& picture) {
  std::vector<std::string> rows;
  const Raster& r = picture->Pixels();
  for (int32_t y = 0; y < r.Height(); ++y) {
    std::string row;
    for (int32_t x = 0; x < r.Width(); ++x) {
      const Argb p = r.At(x, y);
      row += p == kFace    ? 'F'
             : p == kLight ? 'L'
             : p == kDark  ? 'K'
             : p == kBlack ? 'B'
             : p == kGrey  ? 'G'
                           : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(ButtonPictures, RaisedSunkenAndGreyed) {
  const ScrollButtonPictures& p = ButtonPictures();
  for (const PicturePtr& picture : {p.UpN, p.UpU, p.UpD, p.DownN, p.DownU, p.DownD}) {
    EXPECT_NE(picture->Handle(), 0u);
    EXPECT_EQ(picture->PixelWidth() * 100 + picture->PixelHeight(), 917);
    EXPECT_EQ(picture->Format(), PictureFormat::Bmp);
    ASSERT_GE(picture->Bytes().size(), 30u);
    EXPECT_EQ(picture->Bytes()[28], 24);  // bits per pixel
  }
  const std::vector<std::string> upU = {
      "FFFFFFFFB", "FLLLLLLKB", "FLFFFFFKB", "FLFFFFFKB", "FLFFFFFKB", "FLFFFFFKB",
      "FLFFFFFKB", "FLFFBFFKB", "FLFBBBFKB", "FLFFFFFKB", "FLFFFFFKB", "FLFFFFFKB",
      "FLFFFFFKB", "FLFFFFFKB", "FLFFFFFKB", "FKKKKKKKB", "BBBBBBBBB",
  };
  EXPECT_EQ(Letters(p.UpU), upU);
  // Sunken: dark and black above and left, light and face below and right,
  // the arrow one pixel right and down.
  const std::vector<std::string> downD = {
      "KKKKKKKKL", "KBBBBBBFL", "KBFFFFFFL", "KBFFFFFFL", "KBFFFFFFL", "KBFFFFFFL",
      "KBFFFFFFL", "KBFFFFFFL", "KBFFBBBFL", "KBFFFBFFL", "KBFFFFFFL", "KBFFFFFFL",
      "KBFFFFFFL", "KBFFFFFFL", "KBFFFFFFL", "KFFFFFFFL", "LLLLLLLLL",
  };
  EXPECT_EQ(Letters(p.DownD), downD);
  // The arrows' rows of the others: greyed in N, shifted in D.
  const std::pair<PicturePtr, std::vector<std::string>> arrows[] = {
      {p.DownU, {"FLFBBBFKB", "FLFFBFFKB"}},
      {p.DownN, {"FLFGGGFKB", "FLFFGFFKB"}},
      {p.UpN, {"FLFFGFFKB", "FLFGGGFKB"}},
      {p.UpD, {"KBFFFFFFL", "KBFFFBFFL", "KBFFBBBFL"}},
  };
  for (const auto& [picture, rows] : arrows) {
    const auto letters = Letters(picture);
    EXPECT_EQ(std::vector<std::string>(letters.begin() + 7, letters.begin() + 7 + rows.size()),
              rows);
  }
}

TEST(ButtonPictures, OneSetSharedByEveryContainer) {
  ZelScrollContainer a;
  ZelScrollContainer b;
  for (const char* name : {"UpN", "UpU", "UpD", "DownN", "DownU", "DownD"}) {
    auto* ha = dynamic_cast<Image*>(a.FindConstituent(name));
    auto* hb = dynamic_cast<Image*>(b.FindConstituent(name));
    ASSERT_TRUE(ha && hb) << name;
    EXPECT_EQ(ha->Picture(), hb->Picture()) << name;
    EXPECT_FALSE(ha->Visible()) << name;
    EXPECT_EQ(ha->Width() * 1000 + ha->Height(), 135255) << name;
  }
  // The buttons start with the U pictures, shared with their holders.
  EXPECT_EQ(dynamic_cast<Image*>(a.FindConstituent("sU"))->Picture(), ButtonPictures().UpU);
  EXPECT_EQ(dynamic_cast<Image*>(a.FindConstituent("sD"))->Picture(), ButtonPictures().DownU);
}

}  // namespace
}  // namespace lumora
