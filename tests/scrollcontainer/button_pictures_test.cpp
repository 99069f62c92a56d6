// The six button pictures: size, depth, the raised and sunken edges, the
// arrows, and one shared set per thread.
#include <gtest/gtest.h>

#include "platform/picture/picture.hpp"
#include "scrollcontainer/button_pictures.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {
namespace {

// The pixels of a picture as rows of letters, a space between rows: F face,
// L light, K dark, B black, G greyed arrow.
std::string Letters(const PicturePtr& picture) {
  const std::pair<ColorRef, char> letters[] = {{Rgb(127, 143, 144), 'F'},
                                               {Rgb(191, 199, 207), 'L'},
                                               {Rgb(79, 95, 96), 'K'},
                                               {Rgb(0, 0, 0), 'B'},
                                               {Rgb(192, 200, 208), 'G'}};
  const Raster& r = picture->Pixels();
  std::string rows;
  for (int32_t y = 0; y < r.Height(); ++y) {
    rows += y ? " " : "";
    for (int32_t x = 0; x < r.Width(); ++x) {
      char letter = '?';
      for (const auto& [color, l] : letters)
        if (r.At(x, y) == ToArgb(color)) letter = l;
      rows += letter;
    }
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
  EXPECT_EQ(Letters(p.UpU),
            "FFFFFFFFB FLLLLLLKB FLFFFFFKB FLFFFFFKB FLFFFFFKB FLFFFFFKB FLFFFFFKB FLFFBFFKB "
            "FLFBBBFKB FLFFFFFKB FLFFFFFKB FLFFFFFKB FLFFFFFKB FLFFFFFKB FLFFFFFKB FKKKKKKKB "
            "BBBBBBBBB");
  // Sunken: dark and black above and left, light and face below and right,
  // the arrow one pixel right and down.
  EXPECT_EQ(Letters(p.DownD),
            "KKKKKKKKL KBBBBBBFL KBFFFFFFL KBFFFFFFL KBFFFFFFL KBFFFFFFL KBFFFFFFL KBFFFFFFL "
            "KBFFBBBFL KBFFFBFFL KBFFFFFFL KBFFFFFFL KBFFFFFFL KBFFFFFFL KBFFFFFFL KFFFFFFFL "
            "LLLLLLLLL");
  // Rows 7 to 9 of the others, where their arrows lie: greyed in N.
  const std::pair<PicturePtr, const char*> arrows[] = {
      {p.DownU, "FLFBBBFKB FLFFBFFKB FLFFFFFKB"},
      {p.DownN, "FLFGGGFKB FLFFGFFKB FLFFFFFKB"},
      {p.UpN, "FLFFGFFKB FLFGGGFKB FLFFFFFKB"},
      {p.UpD, "KBFFFFFFL KBFFFBFFL KBFFBBBFL"},
  };
  for (const auto& [picture, rows] : arrows) EXPECT_EQ(Letters(picture).substr(70, 29), rows);
}

TEST(ButtonPictures, OneSetSharedByEveryContainer) {
  ZelScrollContainer a;
  ZelScrollContainer b;
  for (const char* name : {"UpN", "UpU", "UpD", "DownN", "DownU", "DownD"}) {
    auto* ha = dynamic_cast<Image*>(a.FindConstituent(name));
    auto* hb = dynamic_cast<Image*>(b.FindConstituent(name));
    ASSERT_TRUE(ha && hb) << name;
    EXPECT_EQ(std::tuple(ha->Picture(), ha->Visible(), ha->Width(), ha->Height()),
              std::tuple(hb->Picture(), false, 135, 255))
        << name;
  }
  // The buttons start with the U pictures, shared with their holders.
  EXPECT_EQ(dynamic_cast<Image*>(a.FindConstituent("sU"))->Picture(), ButtonPictures().UpU);
  EXPECT_EQ(dynamic_cast<Image*>(a.FindConstituent("sD"))->Picture(), ButtonPictures().DownU);
}

}  // namespace
}  // namespace lumora
