// Which painter draws a control, and how user controls draw.
#include "platform/render/painters.hpp"

#include <gtest/gtest.h>

#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/render/render_form.hpp"
#include "platform/render/render_test_support.hpp"

namespace lumora {
namespace {

// A user control with one constituent picture box, as our controls are built.
class Holder : public UserControl {
 public:
  explicit Holder(std::string name = "Holder")
      : UserControl(std::move(name), ScaleUnit::Pixels, false) {}
  void UserControl_Initialize() override {
    inner = AddConstituent<PictureBox>("inner");
    inner->BorderStyle(0);
    inner->BackColor(Rgb(0, 0, 200));
    inner->Move(4, 4, 6, 6);
  }
  std::shared_ptr<PictureBox> inner;
};
class PaintedHolder : public Holder {
 public:
  PaintedHolder() : Holder("PaintedHolder") {}
};
class PaintedHolderChild : public PaintedHolder {};

void PaintGreen(Canvas& canvas, const Control&) {
  canvas.FillRect(canvas.Clip(), 0xFF00C800u);
}
bool IsPaintedHolder(const Control& c) {
  return dynamic_cast<const PaintedHolder*>(&c) != nullptr;
}

using Painters = RenderFormTest;

TEST_F(Painters, SubclassesFallBackToTheirNearestBuiltInClass) {
  auto form = NewForm(10, 10);
  auto holder = form->Add<Holder>("h", 0, 0, 150, 150);
  auto plain = std::make_shared<UserControl>("Plain", ScaleUnit::Twips, true);
  EXPECT_EQ(PainterFor(*holder), PainterFor(*plain));
  HScrollBar h;
  VScrollBar v;
  EXPECT_EQ(PainterFor(h), PainterFor(v));
  EXPECT_NE(PainterFor(h), PainterFor(*plain));
  EXPECT_NE(PainterFor(*holder->inner), PainterFor(*plain));
}

TEST_F(Painters, UserControlsDrawBackgroundBorderAndConstituents) {
  auto form = NewForm(40, 40);
  form->BackColor(Rgb(0, 0, 0));
  auto holder = form->Add<Holder>("h", 75, 75, 300, 300);  // 5, 5, 20 x 20
  holder->BackColor(Rgb(200, 0, 0));
  Raster frame = RenderForm(*form);
  EXPECT_EQ(CountOf(frame, {5, 5, 20, 20}, 0xFFC80000u), 400 - 36);
  EXPECT_EQ(CountOf(frame, {9, 9, 6, 6}, 0xFF0000C8u), 36);  // the constituent at 4, 4

  holder->BorderStyle(1);  // 3D: the client area and the constituent move in by 2
  frame = RenderForm(*form);
  EXPECT_EQ(frame.At(5, 5), ArgbOf(kSysButtonShadow));
  EXPECT_EQ(CountOf(frame, {11, 11, 6, 6}, 0xFF0000C8u), 36);

  holder->BackStyle(0);  // transparent: the form shows through
  frame = RenderForm(*form);
  EXPECT_EQ(frame.At(8, 8), 0xFF000000u);

  // What PaintPicture drew shows over the background.
  holder->BackStyle(1);
  holder->PaintPicture(Variant(CoordinatePicture(3, 3)), Variant(0), Variant(0));
  frame = RenderForm(*form);
  EXPECT_EQ(frame.At(8, 8), CoordinatePicture(3, 3)->Pixels().At(1, 1));
}

TEST_F(Painters, RegisteredPaintersServeTheirClassAndItsSubclasses) {
  RegisterPainter(typeid(PaintedHolder), &IsPaintedHolder, &PaintGreen);
  auto form = NewForm(40, 20);
  auto painted = form->Add<PaintedHolder>("p", 0, 0, 300, 300);
  auto child = form->Add<PaintedHolderChild>("c", 300, 0, 300, 300);
  auto plain = form->Add<Holder>("h", 0, 0, 0, 0);
  EXPECT_EQ(PainterFor(*painted), &PaintGreen);
  EXPECT_EQ(PainterFor(*child), &PaintGreen);
  EXPECT_NE(PainterFor(*plain), &PaintGreen);
  // The renderer still draws the constituents over the custom painting.
  const Raster frame = RenderForm(*form);
  EXPECT_EQ(frame.At(1, 1), 0xFF00C800u);
  EXPECT_EQ(frame.At(21, 1), 0xFF00C800u);
  EXPECT_EQ(frame.At(5, 5), 0xFF0000C8u);
  EXPECT_EQ(frame.At(25, 5), 0xFF0000C8u);
}

}  // namespace
}  // namespace lumora
