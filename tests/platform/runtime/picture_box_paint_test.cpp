// A picture box's new persistent image and the first drawing on it: a copy
// that covers every pixel leaves nothing of the background, and any other
// drawing lands on BackColor with the box's picture at 0,0.
#include <gtest/gtest.h>

#include "platform/controls/picture_box.hpp"
#include "runtime_fixtures.hpp"

namespace lumora::testing {
namespace {

class PictureBoxPaintTest : public RuntimeTest {
 protected:
  std::shared_ptr<Form> form = Form::Create("PaintForm", 640, 480);
};

int CountOf(const Raster& r, Argb colour) {
  int n = 0;
  for (int32_t y = 0; y < r.Height(); ++y)
    for (int32_t x = 0; x < r.Width(); ++x) n += r.At(x, y) == colour ? 1 : 0;
  return n;
}

TEST_F(PictureBoxPaintTest, TheFirstDrawingOnANewImageKeepsWhatItDoesNotCover) {
  auto pic = form->Add<PictureBox>("pic", 0, 0, 1500, 1500);  // 100 x 100 pixels
  pic->BorderStyle(0);
  pic->BackColor(0x000000FFu);                       // red
  pic->Picture(SolidPicture(60, 100, 0xFF00FF00u));  // green, the left part
  pic->AutoRedraw(true);
  const PicturePtr blue = SolidPicture(4, 4, 0xFF0000FFu);

  // The whole picture over the whole image: every pixel is the copy's.
  pic->PaintPicture(blue, 0, 0, 100, 100);
  ASSERT_NE(pic->ShownImage(), nullptr);
  EXPECT_EQ(CountOf(*pic->ShownImage(), 0xFF0000FFu), 100 * 100);

  // Part of the image: the background picture and BackColor show around it.
  pic->Width(1605);  // 107 pixels: a new image
  pic->PaintPicture(blue, 0, 0, 50, 50);
  const Raster& partial = *pic->ShownImage();
  EXPECT_EQ(partial.At(25, 25), 0xFF0000FFu);
  EXPECT_EQ(partial.At(55, 75), 0xFF00FF00u);
  EXPECT_EQ(partial.At(90, 75), 0xFFFF0000u);

  // The whole image from part of the picture, and the whole picture drawn
  // shifted: neither is taken for a full cover.
  pic->Width(1500);
  pic->PaintPicture(blue, 1, 0, 100, 100);
  EXPECT_EQ(pic->ShownImage()->At(0, 50), 0xFF00FF00u);
  pic->Width(1605);
  pic->PaintPicture(blue, 0, 0, 107, 100, 0, 0, 2, 4);
  EXPECT_EQ(CountOf(*pic->ShownImage(), 0xFF0000FFu), 107 * 100);
}

}  // namespace
}  // namespace lumora::testing
