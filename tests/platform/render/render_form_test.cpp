// The form renderer: placement through the containers' scales, clipping,
// visibility, z-order, persistent images, PNG output.
#include "platform/render/render_form.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/controls/image.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/file_io.hpp"
#include "platform/render/painters.hpp"
#include "platform/render/png.hpp"
#include "platform/render/render_test_support.hpp"
#include "support/golden.hpp"

namespace lumora {
namespace {

constexpr Argb kRed = 0xFFC80000u;
constexpr Argb kBlue = 0xFF0000C8u;

std::shared_ptr<PictureBox> Box(Form& form, const char* name, float l, float t, float w, float h,
                                OleColor color, Control* container = nullptr) {
  auto box = form.Add<PictureBox>(name, l, t, w, h, container);
  box->BorderStyle(0);
  box->BackColor(color);
  return box;
}

using RenderForm_ = RenderFormTest;

TEST_F(RenderForm_, BackgroundAndPlacementInTwips) {
  auto form = NewForm(100, 80);
  form->BackColor(Rgb(10, 20, 30));
  Box(*form, "p", 150, 300, 300, 150, Rgb(200, 0, 0));  // 10, 20, 20 x 10 pixels
  const Raster frame = RenderForm(*form);
  ASSERT_EQ(frame.Width(), 100);
  ASSERT_EQ(frame.Height(), 80);
  const Argb back = ToArgb(Rgb(10, 20, 30));
  EXPECT_EQ(frame.At(0, 0), back);
  EXPECT_EQ(CountOf(frame, {10, 20, 20, 10}, kRed), 200);
  EXPECT_EQ(CountOf(frame, {0, 0, 100, 80}, kRed), 200);  // nothing outside its rectangle
}

TEST_F(RenderForm_, ChildrenAreClippedToTheirContainersClientArea) {
  auto form = NewForm(120, 100);
  auto outer = Box(*form, "outer", 150, 150, 600, 450, Rgb(200, 200, 0));  // 10,10 40x30
  outer->BorderStyle(1);                                                   // 3D: 2 pixels
  // The box's own scale is pixels, from its client area's top-left (12, 12).
  Box(*form, "inner", 30, 20, 50, 50, Rgb(0, 0, 200), outer.get());
  const Raster frame = RenderForm(*form);
  // Visible part: from (42, 32) to the client's end (48, 38) exclusive.
  EXPECT_EQ(CountOf(frame, {0, 0, 120, 100}, kBlue), 6 * 6);
  EXPECT_EQ(CountOf(frame, {42, 32, 6, 6}, kBlue), 36);
  // The container's border is drawn, not covered by the child.
  EXPECT_EQ(frame.At(48, 38), ArgbOf(kSysButtonLight));
  EXPECT_EQ(frame.At(49, 39), ArgbOf(kSysButtonHighlight));
  EXPECT_EQ(frame.At(10, 10), ArgbOf(kSysButtonShadow));
  EXPECT_EQ(frame.At(11, 11), ArgbOf(kSysButtonDarkShadow));
}

TEST_F(RenderForm_, HiddenControlsAndTheirChildrenAreNotDrawn) {
  auto form = NewForm(60, 60);
  form->BackColor(Rgb(0, 0, 0));
  auto parent = Box(*form, "parent", 0, 0, 600, 600, Rgb(200, 0, 0));
  auto child = Box(*form, "child", 5, 5, 10, 10, Rgb(0, 0, 200), parent.get());
  child->Visible(false);
  Raster frame = RenderForm(*form);
  EXPECT_EQ(CountOf(frame, {0, 0, 60, 60}, kBlue), 0);
  EXPECT_EQ(CountOf(frame, {0, 0, 40, 40}, kRed), 1600);
  child->Visible(true);
  parent->Visible(false);
  frame = RenderForm(*form);
  EXPECT_EQ(CountNot(frame, {0, 0, 60, 60}, 0xFF000000u), 0);
}

TEST_F(RenderForm_, LaterControlsDrawOnTopUntilRestacked) {
  auto form = NewForm(50, 50);
  auto first = Box(*form, "first", 0, 0, 450, 450, Rgb(200, 0, 0));
  Box(*form, "second", 150, 150, 450, 450, Rgb(0, 0, 200));
  Raster frame = RenderForm(*form);
  EXPECT_EQ(frame.At(20, 20), kBlue);
  first->ZOrder(0);
  frame = RenderForm(*form);
  EXPECT_EQ(frame.At(20, 20), kRed);
  EXPECT_EQ(frame.At(35, 35), kBlue);
}

// A user control whose painter counts its calls and paints a colour.
class Counted : public UserControl {
 public:
  Counted() : UserControl("Counted", ScaleUnit::Pixels, false) {}
  static inline int s_Calls = 0;
};
void PaintCounted(Canvas& canvas, const Control&) {
  ++Counted::s_Calls;
  canvas.FillRect(canvas.Clip(), 0xFF00C800u);
}
bool IsCounted(const Control& c) {
  return dynamic_cast<const Counted*>(&c) != nullptr;
}

TEST_F(RenderForm_, WhatOpaqueControlsHideIsNotPainted) {
  RegisterPainter(typeid(Counted), &IsCounted, &PaintCounted);
  auto form = NewForm(60, 40);
  auto under = form->Add<Counted>("under", 150, 150, 300, 300);  // 10,10 20x20
  auto cover = Box(*form, "cover", 0, 0, 600, 600, Rgb(200, 0, 0));
  Counted::s_Calls = 0;
  Raster frame = RenderForm(*form);
  EXPECT_EQ(Counted::s_Calls, 0) << "entirely under an opaque picture box";
  EXPECT_EQ(CountOf(frame, {0, 0, 40, 40}, kRed), 1600);
  // Partly uncovered: painted, and what shows is right.
  cover->Move(0, 0, 300, 600);  // covers x 0..19, the control spans 10..29
  Counted::s_Calls = 0;
  frame = RenderForm(*form);
  EXPECT_EQ(Counted::s_Calls, 1);
  EXPECT_EQ(CountOf(frame, {20, 10, 10, 20}, 0xFF00C800u), 200);
  EXPECT_EQ(CountOf(frame, {10, 10, 10, 20}, kRed), 200);
  // Windowless, unfilled or translucent things on top hide nothing.
  auto label = form->Add<Label>("label", 0, 0, 900, 600);
  label->BackStyle(0);
  auto image = form->Add<Image>("image", 0, 0, 0, 0);
  image->Picture(Picture::FromRaster(Raster(60, 40, 0x80000000u)));
  cover->Visible(false);
  Counted::s_Calls = 0;
  frame = RenderForm(*form);
  EXPECT_EQ(Counted::s_Calls, 1);
  EXPECT_EQ(frame.At(15, 15), 0xFF006400u) << "half black over green";
}

TEST_F(RenderForm_, ContainerFullyCoveredByAChildStillDrawsItsBorder) {
  auto form = NewForm(40, 40);
  auto outer = Box(*form, "outer", 0, 0, 600, 600, Rgb(200, 200, 0));
  outer->BorderStyle(1);
  Box(*form, "inner", -5, -5, 100, 100, Rgb(0, 0, 200), outer.get());
  const Raster frame = RenderForm(*form);
  EXPECT_EQ(CountOf(frame, {2, 2, 36, 36}, kBlue), 36 * 36);
  EXPECT_EQ(frame.At(0, 0), ArgbOf(kSysButtonShadow));
  EXPECT_EQ(frame.At(39, 39), ArgbOf(kSysButtonHighlight));
  EXPECT_EQ(frame.At(38, 1), ArgbOf(kSysButtonLight));
  EXPECT_EQ(frame.At(1, 37), ArgbOf(kSysButtonDarkShadow));
  EXPECT_EQ(CountOf(frame, {0, 0, 40, 40}, 0xFFC8C800u), 0);
}

TEST_F(RenderForm_, PictureBoxShowsItsPersistentImageElsePicture) {
  auto form = NewForm(64, 48);
  auto box = Box(*form, "pic", 0, 0, 64 * 15, 48 * 15, Rgb(0, 200, 0));
  box->Picture(CoordinatePicture(20, 10));
  // Without a persistent image: BackColor with the picture at the top-left.
  Raster frame = RenderForm(*form);
  EXPECT_EQ(frame.At(7, 3), box->Picture()->Pixels().At(7, 3));
  EXPECT_EQ(frame.At(25, 3), 0xFF00C800u);
  // With one: what was drawn on it, and nothing of the picture drawn since.
  box->AutoRedraw(true);
  box->Cls();
  ASSERT_NE(box->ShownImage(), nullptr);
  box->PaintPicture(Variant(Picture::FromRaster(Raster(2, 2, 0xFF010203u))), Variant(30),
                    Variant(30));
  box->PaintPicture(Variant(Picture::FromRaster(Raster(1, 1, 0xFF040506u))), Variant(5),
                    Variant(5));
  frame = RenderForm(*form);
  EXPECT_EQ(CountOf(frame, {30, 30, 2, 2}, 0xFF010203u), 4);
  EXPECT_EQ(frame.At(5, 5), 0xFF040506u);
  EXPECT_EQ(frame.At(7, 3), box->Picture()->Pixels().At(7, 3));
}

TEST_F(RenderForm_, LargeScrolledImageShowsItsVisiblePart) {
  // A picture box larger than the form and moved up-left, as a scrolled viewer does.
  auto form = NewForm(160, 120);
  auto view = Box(*form, "view", 0, 0, 160 * 15, 120 * 15, Rgb(0, 0, 0));
  auto pic = Box(*form, "pic", -70, -90, 500, 400, Rgb(0, 0, 0), view.get());
  pic->Picture(CoordinatePicture(500, 400));
  pic->AutoRedraw(true);
  pic->Cls();
  const Raster frame = RenderForm(*form);
  const Raster& image = *pic->ShownImage();
  for (int32_t y = 0; y < 120; y += 7) {
    for (int32_t x = 0; x < 160; x += 9) ASSERT_EQ(frame.At(x, y), image.At(x + 70, y + 90));
  }
}

TEST_F(RenderForm_, RendersIntoOneBufferAndToPng) {
  auto form = NewForm(40, 30);
  Box(*form, "p", 150, 150, 150, 150, Rgb(200, 0, 0));
  Raster frame;
  RenderFormInto(*form, frame);
  const uint32_t* pixels = frame.Data();
  RenderFormInto(*form, frame);
  EXPECT_EQ(frame.Data(), pixels) << "same size: the buffer is reused";
  EXPECT_EQ(frame, RenderForm(*form));
  form->ResizeClient(50, 20);
  RenderFormInto(*form, frame);
  EXPECT_EQ(frame.Width(), 50);
  EXPECT_EQ(frame.Height(), 20);

  const std::string path = (std::filesystem::temp_directory_path() /
                            ("lumora_render_" + std::to_string(::getpid()) + ".png"))
                               .string();
  RenderFormPng(*form, path);
  EXPECT_EQ(DecodePngForTest(ReadFileBytes(path)), RenderForm(*form));
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace lumora
