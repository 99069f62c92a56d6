// The form renderer: placement through the containers' scales, clipping,
// visibility, z-order, persistent images, PNG output; which painter draws a
// control; what each built-in control class looks like (the parts, states
// and colours a user relies on); golden frames of small forms.
#include <gtest/gtest.h>

#include "platform/controls/check_box.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/image.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/file_io.hpp"
#include "platform/gdi.hpp"
#include "platform/picture/png_writer.hpp"
#include "platform/render/draw_controls.hpp"
#include "platform/render/geometry.hpp"
#include "platform/render/painters.hpp"
#include "platform/render/render_form.hpp"
#include "platform/render/render_test_support.hpp"
#include "platform/render/text.hpp"
#include "platform/scale/scale.hpp"
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
  ExpectPixels(frame, {{48, 38, ArgbOf(kSysButtonLight)},
                       {49, 39, ArgbOf(kSysButtonHighlight)},
                       {10, 10, ArgbOf(kSysButtonShadow)},
                       {11, 11, ArgbOf(kSysButtonDarkShadow)}});
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
  EXPECT_EQ(CountNot(RenderForm(*form), {0, 0, 60, 60}, 0xFF000000u), 0);
}

TEST_F(RenderForm_, LaterControlsDrawOnTopUntilRestacked) {
  auto form = NewForm(50, 50);
  auto first = Box(*form, "first", 0, 0, 450, 450, Rgb(200, 0, 0));
  Box(*form, "second", 150, 150, 450, 450, Rgb(0, 0, 200));
  EXPECT_EQ(RenderForm(*form).At(20, 20), kBlue);
  first->ZOrder(0);
  ExpectPixels(RenderForm(*form), {{20, 20, kRed}, {35, 35, kBlue}});
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
  EXPECT_EQ(RenderForm(*form).At(15, 15), 0xFF006400u) << "half black over green";
  EXPECT_EQ(Counted::s_Calls, 1);
}

TEST_F(RenderForm_, ContainerFullyCoveredByAChildStillDrawsItsBorder) {
  auto form = NewForm(40, 40);
  auto outer = Box(*form, "outer", 0, 0, 600, 600, Rgb(200, 200, 0));
  outer->BorderStyle(1);
  Box(*form, "inner", -5, -5, 100, 100, Rgb(0, 0, 200), outer.get());
  const Raster frame = RenderForm(*form);
  EXPECT_EQ(CountOf(frame, {2, 2, 36, 36}, kBlue), 36 * 36);
  ExpectPixels(frame, {{0, 0, ArgbOf(kSysButtonShadow)},
                       {39, 39, ArgbOf(kSysButtonHighlight)},
                       {38, 1, ArgbOf(kSysButtonLight)},
                       {1, 37, ArgbOf(kSysButtonDarkShadow)}});
  EXPECT_EQ(CountOf(frame, {0, 0, 40, 40}, 0xFFC8C800u), 0);
}

TEST_F(RenderForm_, PictureBoxShowsItsPersistentImageElsePicture) {
  auto form = NewForm(64, 48);
  auto box = Box(*form, "pic", 0, 0, 64 * 15, 48 * 15, Rgb(0, 200, 0));
  box->Picture(CoordinatePicture(20, 10));
  // Without a persistent image: BackColor with the picture at the top-left.
  ExpectPixels(RenderForm(*form),
               {{7, 3, box->Picture()->Pixels().At(7, 3)}, {25, 3, 0xFF00C800u}});
  // With one: what was drawn on it, and nothing of the picture drawn since.
  box->AutoRedraw(true);
  box->Cls();
  ASSERT_NE(box->ShownImage(), nullptr);
  box->PaintPicture(Variant(Picture::FromRaster(Raster(2, 2, 0xFF010203u))), Variant(30),
                    Variant(30));
  box->PaintPicture(Variant(Picture::FromRaster(Raster(1, 1, 0xFF040506u))), Variant(5),
                    Variant(5));
  const Raster frame = RenderForm(*form);
  EXPECT_EQ(CountOf(frame, {30, 30, 2, 2}, 0xFF010203u), 4);
  ExpectPixels(frame, {{5, 5, 0xFF040506u}, {7, 3, box->Picture()->Pixels().At(7, 3)}});
}

TEST_F(RenderForm_, LargeScrolledImageShowsItsVisiblePart) {
  // A picture box larger than the form and moved up-left, as a scrolled viewer does.
  auto form = NewForm(160, 120);
  auto view = Box(*form, "view", 0, 0, 160 * 15, 120 * 15, Rgb(0, 0, 0));
  auto pic = Box(*form, "pic", -70, -90, 500, 400, Rgb(0, 0, 0), view.get());
  pic->Picture(CoordinatePicture(500, 400));
  pic->AutoRedraw(true);
  pic->Cls();
  Raster frame = RenderForm(*form);
  // Only the tile in view was made, and moving on makes only the one exposed.
  EXPECT_EQ(pic->ShownImage()->TilesComputed(), 1);
  const Raster image = pic->ShownImage()->Whole();
  for (int32_t y = 0; y < 120; y += 7)
    for (int32_t x = 0; x < 160; x += 9) ASSERT_EQ(frame.At(x, y), image.At(x + 70, y + 90));
  pic->Move(-300, -90);
  frame = RenderForm(*form);
  EXPECT_EQ(pic->ShownImage()->TilesComputed(), 2);
  EXPECT_EQ(frame.At(159, 119), image.At(459, 209));
}

TEST_F(RenderForm_, RendersIntoABufferOfTheFormsSizeAndToPng) {
  auto form = NewForm(40, 30);
  Box(*form, "p", 150, 150, 150, 150, Rgb(200, 0, 0));
  Raster frame(3, 3);
  RenderFormInto(*form, frame);
  EXPECT_EQ(frame, RenderForm(*form));
  const testing::ScratchDir dir;
  RenderFormPng(*form, dir / "form.png");
  EXPECT_EQ(DecodePngForTest(ReadFileBytes(dir / "form.png")), frame);
}

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

  holder->BackStyle(0);  // transparent: the form shows through
  EXPECT_EQ(RenderForm(*form).At(8, 8), 0xFF000000u);

  // What PaintPicture drew shows over the background.
  holder->BackStyle(1);
  holder->PaintPicture(Variant(CoordinatePicture(3, 3)), Variant(0), Variant(0));
  EXPECT_EQ(RenderForm(*form).At(6, 6), CoordinatePicture(3, 3)->Pixels().At(1, 1));
}

TEST_F(Painters, RegisteredPaintersServeTheirClassAndItsSubclasses) {
  RegisterPainter(typeid(PaintedHolder), &IsPaintedHolder, &PaintGreen);
  auto form = NewForm(40, 20);
  auto painted = form->Add<PaintedHolder>("p", 0, 0, 300, 300);
  auto child = form->Add<PaintedHolderChild>("c", 300, 0, 300, 300);
  auto plain = form->Add<Holder>("h", 0, 0, 0, 0);
  EXPECT_EQ(PainterFor(*child), &PaintGreen);
  EXPECT_NE(PainterFor(*plain), &PaintGreen);
  // The renderer still draws the constituents over the custom painting.
  const Raster frame = RenderForm(*form);
  ExpectPixels(
      frame,
      {{1, 1, 0xFF00C800u}, {21, 1, 0xFF00C800u}, {5, 5, 0xFF0000C8u}, {25, 5, 0xFF0000C8u}});
}

const Argb kFace = ArgbOf(kSysButtonFace);
const Argb kTrack = ArgbOf(kSysScrollBar);
const Argb kHighlight = ArgbOf(kSysButtonHighlight);
const Argb kShadow = ArgbOf(kSysButtonShadow);
const Argb kDark = ArgbOf(kSysButtonDarkShadow);
const Argb kText = ArgbOf(kSysButtonText);

// Pixels in r that are neither the background nor transparent.
int32_t Ink(const Raster& frame, const CanvasRect& r, Argb background) {
  return CountNot(frame, r, background, 0);
}

using DrawControls = RenderFormTest;

// The thumb follows the value; a disabled bar has none, and grey glyphs.
TEST_F(DrawControls, ScrollBarThumbFollowsTheValue) {
  auto form = NewForm(120, 40);
  auto bar = form->Add<HScrollBar>("h", 0, 0, 100 * 15, 17 * 15);
  bar->Max(100);
  bar->LargeChange(10);
  ScrollBarGeometry g = bar->Geometry();
  EXPECT_EQ(g.thumb.left, g.track.left);
  ExpectPixels(RenderForm(*form),
               {{g.thumb.left + 1, 1, kHighlight}, {g.track.Right() - 2, 8, kTrack}});
  bar->Value(100);
  g = bar->Geometry();
  EXPECT_EQ(g.thumb.Right(), g.track.Right());
  ExpectPixels(RenderForm(*form),
               {{g.thumb.left + 1, 1, kHighlight}, {g.track.left + 1, 8, kTrack}});
  bar->Enabled(false);
  const Raster frame = RenderForm(*form);
  EXPECT_EQ(CountOf(frame, ToCanvasRect(g.track), kTrack), g.track.width * g.track.height);
  EXPECT_EQ(CountOf(frame, ToCanvasRect(g.lowArrow), kText), 0);
  EXPECT_GT(CountOf(frame, ToCanvasRect(g.lowArrow), ArgbOf(kSysGrayText)), 6);
}

TEST_F(DrawControls, VerticalBarAndAHeldArrow) {
  auto form = NewForm(40, 120);
  form->Show();
  auto bar = form->Add<VScrollBar>("v", 0, 0, 17 * 15, 100 * 15);
  bar->Max(10);
  const ScrollBarGeometry g = bar->Geometry();
  EXPECT_EQ(g.lowArrow.top, 0);
  EXPECT_EQ(RenderForm(*form).At(1, g.highArrow.top + 1), kHighlight);
  // Held: the arrow goes flat with a shadow frame.
  form->MouseDown(8, g.highArrow.top + 8);
  ExpectPixels(RenderForm(*form), {{0, g.highArrow.top, kShadow}, {1, g.highArrow.top + 1, kFace}});
  form->MouseUp(8, g.highArrow.top + 8);
  EXPECT_EQ(RenderForm(*form).At(1, g.highArrow.top + 1), kHighlight);
}

// Raised and pressed are in the golden frames; focused adds a dark frame.
TEST_F(DrawControls, AFocusedCommandButtonIsFramed) {
  auto form = NewForm(100, 40);
  form->Show();
  auto button = form->Add<CommandButton>("b", 150, 150, 80 * 15, 25 * 15);  // 10,10 80x25
  auto other = form->Add<CommandButton>("o", 0, 0, 0, 0);
  other->SetFocus();
  ExpectPixels(RenderForm(*form), {{89, 34, kDark}, {11, 11, kHighlight}});
  button->SetFocus();
  ExpectPixels(RenderForm(*form), {{10, 10, ArgbOf(kSysWindowFrame)}, {12, 12, kHighlight}});
}

TEST_F(DrawControls, LabelAlignmentAndDisabledLook) {
  if (!TextAvailable()) GTEST_SKIP() << "no font";
  auto form = NewForm(120, 30);
  form->BackColor(Rgb(255, 255, 255));
  auto label = form->Add<Label>("l", 0, 0, 120 * 15, 20 * 15);
  label->Caption("Label");
  label->BackStyle(0);
  label->ForeColor(Rgb(0, 0, 255));
  label->Alignment(kAlignRight);
  Raster frame = RenderForm(*form);
  const Argb white = 0xFFFFFFFFu;
  EXPECT_EQ(Ink(frame, {0, 0, 60, 30}, white), 0);
  EXPECT_GT(CountOf(frame, {80, 0, 40, 20}, 0xFF0000FFu), 5);
  label->Enabled(false);
  frame = RenderForm(*form);
  EXPECT_EQ(CountOf(frame, {0, 0, 120, 20}, 0xFF0000FFu), 0);
  EXPECT_GT(CountOf(frame, {0, 0, 120, 20}, ArgbOf(kSysGrayText)), 5);
}

TEST_F(DrawControls, AutoSizedLabelsFitTheRenderersText) {
  if (!TextAvailable()) GTEST_SKIP() << "no font";
  UseRendererTextMetrics();
  auto form = NewForm(200, 40);
  auto label = form->Add<Label>("l", 0, 0, 15, 15);
  label->AutoSize(true);
  label->Caption("Fits exactly");
  const TextSize size = MeasureStyledText("Fits exactly", {.points = label->FontSize()});
  EXPECT_EQ(std::pair(label->FormRect().width, label->FormRect().height),
            std::pair(size.width, size.height));
  // Sized to its text, a label shows all of it on its one line: the ink
  // reaches the label's right end, nothing was wrapped away.
  label->BackStyle(0);
  form->BackColor(Rgb(255, 255, 255));
  for (const char* caption : {"i", "mmmmmmm", "a b c d e f", "Wj"}) {
    label->Caption(caption);
    const Raster frame = RenderForm(*form);
    const int32_t width = label->FormRect().width;
    EXPECT_GT(Ink(frame, {width - 4, 0, 4, 40}, 0xFFFFFFFFu), 0) << caption;
    EXPECT_EQ(Ink(frame, {width, 0, 200, 40}, 0xFFFFFFFFu), 0) << caption;
  }
  SetTextMeasurer(nullptr);
}

TEST_F(DrawControls, AFocusedTextBoxShowsTheCaretAtTheStart) {
  auto form = NewForm(100, 30);
  form->Show();
  auto box = form->Add<TextBox>("t", 0, 0, 100 * 15, 21 * 15);
  const Argb white = ArgbOf(kSysWindowBackground);
  Raster frame = RenderForm(*form);
  ExpectPixels(frame, {{0, 0, kShadow}, {1, 1, kDark}});
  EXPECT_EQ(Ink(frame, {2, 2, 96, 17}, white), 0) << "empty and unfocused";
  box->SetFocus();
  frame = RenderForm(*form);
  EXPECT_GT(Ink(frame, {2, 2, 96, 17}, white), 8);
  EXPECT_EQ(Ink(frame, {6, 2, 92, 17}, white), 0);
}

TEST_F(DrawControls, CheckBoxShowsItsValue) {
  auto form = NewForm(120, 20);
  auto box = form->Add<CheckBox>("c", 0, 0, 120 * 15, 17 * 15);
  const CanvasRect well{2, 4, 9, 9};  // inside the 13 x 13 square, centred vertically
  EXPECT_EQ(CountOf(RenderForm(*form), well, ArgbOf(kSysWindowBackground)), 81);
  box->Value(2);
  const Raster frame = RenderForm(*form);
  EXPECT_EQ(CountOf(frame, well, ArgbOf(kSysGrayText)), 21) << "a greyed check mark";
  EXPECT_EQ(CountOf(frame, well, kFace), 81 - 21);
}

// An image shows its picture at its natural size, or stretched: the runtime's
// scaling of it, clipped where its container ends, with no seam at the clip.
TEST_F(DrawControls, ImageAtNaturalSizeOrStretched) {
  auto form = NewForm(60, 60);
  const PicturePtr picture = BandsPicture(16, 12);
  auto natural = form->Add<Image>("natural", 35 * 15, 35 * 15, 0, 0);
  natural->Picture(Picture::FromRaster(Raster(4, 3, 0xFF00FF00u)));
  auto box = form->Add<PictureBox>("box", 0, 0, 30 * 15, 25 * 15);
  box->BorderStyle(0);
  auto inner = form->Add<Image>("inner", 0, 0, 0, 0, box.get());
  inner->Picture(picture);
  inner->Stretch(true);
  inner->Move(-7, -3, 50, 37);
  const Raster frame = RenderForm(*form);
  const Raster scaled = ScaleRaster(picture->Pixels(), 50, 37);
  for (int32_t y = 0; y < 25; ++y)
    for (int32_t x = 0; x < 30; ++x)
      ASSERT_EQ(frame.At(x, y), scaled.At(x + 7, y + 3)) << x << "," << y;
  EXPECT_NE(frame.At(30, 5), scaled.At(37, 8));
  EXPECT_EQ(CountOf(frame, {35, 35, 4, 3}, 0xFF00FF00u), 12) << "unstretched: natural size";
  EXPECT_EQ(CountOf(frame, {0, 0, 60, 60}, 0xFF00FF00u), 12);
}

TEST_F(DrawControls, ArrowGlyphsPointTheirWay) {
  // Rows 1, 3, 5 pixels wide from the tip, centred on the middle column.
  const std::pair<ArrowDirection, std::vector<int32_t>> cases[] = {
      {ArrowDirection::Up, {1, 3, 5}}, {ArrowDirection::Down, {5, 3, 1}}};
  for (const auto& [direction, expected] : cases) {
    Raster r(9, 9, 0xFFFFFFFFu);
    Canvas canvas(r);
    DrawArrowGlyph(canvas, {0, 0, 9, 9}, direction, true);
    std::vector<int32_t> widths;
    for (int32_t y = 0; y < 9; ++y) {
      if (const int32_t n = CountOf(r, {0, y, 9, 1}, kText)) {
        widths.push_back(n);
        EXPECT_EQ(r.At(4, y), kText) << y;
      }
    }
    EXPECT_EQ(widths, expected);
  }
}

constexpr float kTw = 15;  // twips per pixel

// A 9 x 17 button picture: a face with a triangle pointing up or down.
PicturePtr ButtonPicture(bool up, Argb ink) {
  Raster r(9, 17, ToArgb(ResolveColor(kSysButtonFace)));
  for (int32_t row = 0; row < 3; ++row) {
    const int32_t y = up ? 7 + row : 9 - row;
    for (int32_t x = 4 - row; x <= 4 + row; ++x) r.Set(x, y, ink);
  }
  return Picture::FromRaster(std::move(r));
}

// A user control drawing its own vertical bar the way the scrolling container
// does: two button images and a track picture box with a painted thumb.
class DrawnBar : public UserControl {
 public:
  DrawnBar() : UserControl("DrawnBar", ScaleUnit::Twips, true) {}
  void UserControl_Initialize() override {
    sU = AddConstituent<Image>("sU");
    sD = AddConstituent<Image>("sD");
    picBar = AddConstituent<PictureBox>("picBar");
    sU->Picture(ButtonPicture(true, 0xFF000000u));
    sD->Picture(ButtonPicture(false, 0xFF808080u));
    picBar->BorderStyle(0);
    picBar->BackColor(kSysApplicationWorkspace);
    picBar->AutoRedraw(true);
  }
  void UserControl_Resize() override {
    const float w = ScaleWidth(), h = ScaleHeight();
    sU->Move(w - 135, 0);
    sD->Move(w - 135, h - 255);
    picBar->Move(w - 135, 255, 135, h - 510);
    // The thumb: one pixel stretched over its rectangle, 7 pixels wide.
    picBar->Cls();
    const Hdc dc = picBar->hDC();
    SetPixel(dc, 0, 12, Rgb(64, 64, 64));
    StretchBlt(dc, 0, 12, 7, 30, dc, 0, 12, 1, 1, kSrcCopy);
  }
  std::shared_ptr<Image> sU, sD;
  std::shared_ptr<PictureBox> picBar;
};

using FormGolden = RenderFormTest;

TEST_F(FormGolden, EveryControlClass) {
  auto form = NewForm(320, 200);
  auto pic = form->Add<PictureBox>("Picture1", 8 * kTw, 8 * kTw, 100 * kTw, 76 * kTw);
  pic->BackColor(Rgb(255, 255, 255));
  pic->Picture(BandsPicture(64, 48));

  auto drawn = form->Add<PictureBox>("Picture2", 8 * kTw, 92 * kTw, 100 * kTw, 50 * kTw);
  drawn->Appearance(0);
  drawn->AutoRedraw(true);
  drawn->PaintPicture(Variant(BandsPicture(32, 24)), Variant(10), Variant(5), Variant(64),
                      Variant(36));

  auto hbar = form->Add<HScrollBar>("HScroll1", 8 * kTw, 150 * kTw, 160 * kTw, 17 * kTw);
  hbar->Max(100);
  hbar->LargeChange(20);
  hbar->Value(30);
  auto off = form->Add<HScrollBar>("HScroll2", 8 * kTw, 172 * kTw, 160 * kTw, 17 * kTw);
  off->Enabled(false);
  auto vbar = form->Add<VScrollBar>("VScroll1", 180 * kTw, 100 * kTw, 17 * kTw, 90 * kTw);
  vbar->Max(50);
  vbar->LargeChange(10);
  vbar->Value(40);

  auto button = form->Add<CommandButton>("Command1", 120 * kTw, 8 * kTw, 90 * kTw, 25 * kTw);
  button->Caption("Command1");
  auto image = form->Add<Image>("Image1", 120 * kTw, 40 * kTw, 0, 0);
  image->Picture(BandsPicture(32, 24));
  image->Stretch(true);
  image->Move(120 * kTw, 40 * kTw, 48 * kTw, 36 * kTw);
  auto label = form->Add<Label>("Label1", 176 * kTw, 40 * kTw, 90 * kTw, 40 * kTw);
  label->Caption("Label1 with a caption that wraps");
  auto text = form->Add<TextBox>("Text1", 120 * kTw, 82 * kTw, 100 * kTw, 21 * kTw);
  text->Text("Text1");
  auto check = form->Add<CheckBox>("Check1", 220 * kTw, 10 * kTw, 90 * kTw, 17 * kTw);
  check->Caption("Check1");
  check->Value(1);
  form->Add<DrawnBar>("Bar1", 290 * kTw, 40 * kTw, 20 * kTw, 150 * kTw);
  auto panel = form->Add<DrawnBar>("Bar2", 210 * kTw, 110 * kTw, 70 * kTw, 80 * kTw);
  panel->BorderStyle(1);
  panel->BackColor(Rgb(255, 255, 225));
  EXPECT_TRUE(MatchesGolden(RenderForm(*form), "form_every_control"));
}

TEST_F(FormGolden, FocusedAndPressedStates) {
  auto form = NewForm(200, 64);
  form->Show();
  auto button = form->Add<CommandButton>("Command1", 8 * kTw, 8 * kTw, 80 * kTw, 25 * kTw);
  button->Caption("Pressed");
  auto check = form->Add<CheckBox>("Check1", 100 * kTw, 8 * kTw, 90 * kTw, 17 * kTw);
  check->Caption("Focused");
  auto text = form->Add<TextBox>("Text1", 100 * kTw, 34 * kTw, 90 * kTw, 21 * kTw);
  text->Text("Off");
  text->Enabled(false);
  auto bar = form->Add<HScrollBar>("HScroll1", 8 * kTw, 40 * kTw, 80 * kTw, 17 * kTw);
  bar->Max(10);
  check->SetFocus();
  form->MouseDown(40, 20);  // holds the button (and moves the focus to it)
  check->SetFocus();
  EXPECT_TRUE(MatchesGolden(RenderForm(*form), "form_states"));
  form->MouseUp(40, 20);
}

}  // namespace
}  // namespace lumora
