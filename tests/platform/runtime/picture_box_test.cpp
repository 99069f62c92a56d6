// Picture boxes: sizing to a picture, Image identity, drawing through hDC,
// the user vertical scale that children, drawing and the pointer use, and
// the first drawing on a new persistent image (a copy that covers every
// pixel leaves nothing of the background; anything else lands on BackColor
// with the box's picture at 0,0).
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/controls/picture_box.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/gdi.hpp"
#include "runtime_fixtures.hpp"
#include "support/platform_pictures.hpp"

namespace lumora::testing {
namespace {

class PixelHost : public UserControl {
 public:
  PixelHost() : UserControl("PixelHost", ScaleUnit::Pixels, false) {
    pic = AddConstituent<PictureBox>("pic");
    pic->BorderStyle(0);
    pic->AutoSize(true);
  }
  std::shared_ptr<PictureBox> pic;
};

using PictureBoxTest = FormTest;

TEST_F(PictureBoxTest, AutoSizeTakesThePicturesNaturalSizeInTheContainersScale) {
  auto host = form->Add<PixelHost>("host", 0, 0, 3000, 3000);
  host->pic->Picture(SolidPicture(120, 80));
  EXPECT_EQ(std::pair(host->pic->Width(), host->pic->Height()), std::pair(120.0f, 80.0f));
  host->pic->Picture(Picture::Empty());  // no picture: the size stays
  EXPECT_FLOAT_EQ(host->pic->Width(), 120);
  // On a twips form, with a 3D border of two pixels each side.
  auto framed = form->Add<PictureBox>("framed", 0, 0, 100, 100);
  framed->AutoSize(true);
  framed->Picture(SolidPicture(30, 20));
  EXPECT_EQ(std::pair(framed->Width(), framed->Height()), std::pair(34 * 15.0f, 24 * 15.0f));
  EXPECT_EQ(framed->ClientPixelWidth(), 30);
}

TEST_F(PictureBoxTest, ImageStaysTheSameObjectUntilTheImageChanges) {
  auto pic = form->Add<PictureBox>("pic", 0, 0, 1500, 1500);
  pic->BorderStyle(0);
  pic->AutoRedraw(true);
  const PicturePtr first = pic->Image();
  EXPECT_EQ(pic->Image(), first);
  pic->PaintPicture(SolidPicture(2, 2, 0xFFFF0000u), 0, 0);
  const PicturePtr second = pic->Image();
  EXPECT_NE(second, first);
  EXPECT_EQ(second->Pixels().At(1, 1), 0xFFFF0000u);
  const Hdc dc = pic->hDC();
  EXPECT_EQ(pic->Image(), second);  // an hDC alone changes nothing
  SetPixel(dc, 50, 50, Rgb(0, 255, 0));
  const PicturePtr third = pic->Image();
  EXPECT_NE(third, second);
  EXPECT_EQ(third->Pixels().At(50, 50), 0xFF00FF00u);
  EXPECT_EQ(pic->hDC(), dc);  // one handle for the box's life
}

TEST_F(PictureBoxTest, WritingScaleHeightSetsAUserVerticalScale) {
  // A track 9 x 166 px with a flat border: a client area of 7 x 164 px.
  auto track = form->Add<PictureBox>("track", 0, 0, 135, 2490);
  track->Appearance(0);
  track->AutoRedraw(true);
  auto thumb = form->Add<PictureBox>("thumb", 0, 0, 105, 100, track.get());
  EXPECT_FLOAT_EQ(track->ScaleHeight(), 164);  // pixels until a scale is set
  track->ScaleHeight(5120);
  EXPECT_EQ(track->ScaleMode(), kScaleUser);
  EXPECT_FLOAT_EQ(track->ScaleHeight(), 5120);
  EXPECT_FLOAT_EQ(track->ScaleWidth(), 7);  // the horizontal axis keeps pixels
  thumb->Top(1000);
  thumb->Height(3120);
  const PixelRect client = track->ClientFormRect();
  EXPECT_EQ(thumb->FormRect().top - client.top, 32);  // 164 * 1000 / 5120 = 32.03
  EXPECT_EQ(thumb->FormRect().height, 100);           // 164 * 3120 / 5120 = 99.94
  track->Height(2490 + 600);                          // the scale stays; the units stretch
  EXPECT_FLOAT_EQ(track->ScaleHeight(), 5120);
  track->Height(2490);
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, track->ScaleHeight(0));
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, track->ScaleMode(kScaleUser));
  // Drawing and the pointer use the user scale too.
  track->PaintPicture(SolidPicture(1, 1, 0xFFFFFFFFu), 0, 2560, 7, 32);
  EXPECT_EQ(GetPixel(track->hDC(), 0, 82), Rgb(255, 255, 255));
  EXPECT_NE(GetPixel(track->hDC(), 0, 81), Rgb(255, 255, 255));  // 2560 units = row 82
  float y = 0;
  track->MouseDown.Connect([&](int16_t&, int16_t&, float&, float& Y) { y = Y; });
  form->Show();
  thumb->Visible(false);
  form->MouseDown(3, 1 + 82);
  EXPECT_FLOAT_EQ(y, 82 * 5120.0f / 164);
  track->ScaleMode(kScalePixels);  // back to pixels
  EXPECT_FLOAT_EQ(track->ScaleHeight(), 164);
}

TEST_F(PictureBoxTest, TheFirstDrawingOnANewImageKeepsWhatItDoesNotCover) {
  auto pic = form->Add<PictureBox>("pic", 0, 0, 1500, 1500);  // 100 x 100 pixels
  pic->BorderStyle(0);
  pic->BackColor(0x000000FFu);                       // red
  pic->Picture(SolidPicture(60, 100, 0xFF00FF00u));  // green, the left part
  pic->AutoRedraw(true);
  const PicturePtr blue = SolidPicture(4, 4, 0xFF0000FFu);

  // The whole picture over the whole image: every pixel is the copy's.
  pic->PaintPicture(blue, 0, 0, 100, 100);
  ASSERT_NE(pic->ShownImage(), nullptr);
  EXPECT_EQ(std::ranges::count(PixelsOf(pic->ShownImage()->Whole()), 0xFF0000FFu), 100 * 100);

  // Part of the image: the background picture and BackColor show around it.
  pic->Width(1605);  // 107 pixels: a new image
  pic->PaintPicture(blue, 0, 0, 50, 50);
  const Raster partial = pic->ShownImage()->Whole();
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
  EXPECT_EQ(std::ranges::count(PixelsOf(pic->ShownImage()->Whole()), 0xFF0000FFu), 107 * 100);
}

}  // namespace
}  // namespace lumora::testing
