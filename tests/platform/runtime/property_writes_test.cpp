// Every assignment of a control property counts as a write, whether or not the
// value changes, so that tests can prove a routine skips needless writes.
#include <gtest/gtest.h>

#include "platform/controls/image.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/errors.hpp"
#include "platform/picture.hpp"

namespace lumora {
namespace {

TEST(PropertyWrites, CountAssignmentsChangedOrNot) {
  PictureBox box;
  EXPECT_EQ(box.PropertyWrites(), 0);
  box.Left(10);
  box.Left(10);
  box.Top(0);
  box.Width(5);
  box.Height(5);
  box.Move(1, 2);
  box.Visible(true);
  box.Enabled(true);
  EXPECT_EQ(box.PropertyWrites(), 8);
  box.ScaleHeight(100);
  box.ScaleWidth(100);
  box.BackColor(0);
  box.Picture(nullptr);
  EXPECT_EQ(box.PropertyWrites(), 12);
  // A refused value was still an assignment.
  EXPECT_THROW(box.Height(-1), Failure);
  EXPECT_EQ(box.PropertyWrites(), 13);
  // Reading counts nothing.
  (void)box.Left();
  (void)box.ScaleHeight();
  EXPECT_EQ(box.PropertyWrites(), 13);

  Image image;
  const PicturePtr picture = Picture::FromRaster(Raster(2, 2));
  image.Picture(picture);
  EXPECT_EQ(image.PropertyWrites(), 2);  // sizing itself to the picture is a Move
  image.Stretch(true);
  image.Picture(picture);
  EXPECT_EQ(image.PropertyWrites(), 3);
}

}  // namespace
}  // namespace lumora
