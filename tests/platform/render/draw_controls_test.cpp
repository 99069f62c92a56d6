// What each built-in control class looks like: the parts, states and colours
// a user relies on to read the control.
#include "platform/render/draw_controls.hpp"

#include <gtest/gtest.h>

#include "platform/controls/check_box.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/image.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/render/geometry.hpp"
#include "platform/render/render_form.hpp"
#include "platform/render/render_test_support.hpp"
#include "platform/render/text.hpp"
#include "platform/scale.hpp"

namespace lumora {
namespace {

const Argb kFace = ArgbOf(kSysButtonFace);
const Argb kTrack = ArgbOf(kSysScrollBar);
const Argb kHighlight = ArgbOf(kSysButtonHighlight);
const Argb kShadow = ArgbOf(kSysButtonShadow);
const Argb kDark = ArgbOf(kSysButtonDarkShadow);
const Argb kText = ArgbOf(kSysButtonText);

// Pixels in r that are neither of the two background colours.
int32_t Ink(const Raster& frame, const CanvasRect& r, Argb a, Argb b = 0) {
  const CanvasRect c = Intersect(r, {0, 0, frame.Width(), frame.Height()});
  int32_t n = 0;
  for (int32_t y = c.y; y < c.Bottom(); ++y) {
    for (int32_t x = c.x; x < c.Right(); ++x) n += frame.At(x, y) != a && frame.At(x, y) != b;
  }
  return n;
}

using DrawControls = RenderFormTest;

TEST_F(DrawControls, ScrollBarShowsArrowsTrackAndAThumbThatFollowsTheValue) {
  auto form = NewForm(120, 40);
  auto bar = form->Add<HScrollBar>("h", 0, 0, 100 * 15, 17 * 15);
  bar->Max(100);
  bar->LargeChange(10);
  Raster frame = RenderForm(*form);
  ScrollBarGeometry g = bar->Geometry();
  ASSERT_FALSE(g.thumb.width == 0);
  // Raised arrows with a dark glyph in the middle; the thumb raised at the left.
  EXPECT_EQ(frame.At(g.lowArrow.left + 1, 1), kHighlight);
  EXPECT_EQ(frame.At(g.lowArrow.Right() - 1, 16), kDark);
  EXPECT_GT(CountOf(frame, ToCanvasRect(g.lowArrow), kText), 6);
  EXPECT_GT(CountOf(frame, ToCanvasRect(g.highArrow), kText), 6);
  EXPECT_EQ(frame.At(g.thumb.left + 1, 1), kHighlight);
  EXPECT_EQ(g.thumb.left, g.track.left);
  EXPECT_EQ(frame.At(g.track.Right() - 2, 8), kTrack);

  bar->Value(100);
  frame = RenderForm(*form);
  g = bar->Geometry();
  EXPECT_EQ(g.thumb.Right(), g.track.Right());
  EXPECT_EQ(frame.At(g.thumb.left + 1, 1), kHighlight);
  EXPECT_EQ(frame.At(g.track.left + 1, 8), kTrack);

  // The left arrow points left: its glyph's tip column is its narrowest.
  const CanvasRect arrow = ToCanvasRect(g.lowArrow);
  int32_t first = -1, firstCount = 0, lastCount = 0;
  for (int32_t x = arrow.x; x < arrow.Right(); ++x) {
    const int32_t n = CountOf(frame, {x, arrow.y, 1, arrow.h}, kText);
    if (n == 0) continue;
    if (first < 0) first = x, firstCount = n;
    lastCount = n;
  }
  EXPECT_LT(firstCount, lastCount);
  EXPECT_EQ(firstCount, 1);

  // Disabled: no thumb, greyed glyphs.
  bar->Enabled(false);
  frame = RenderForm(*form);
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
  Raster frame = RenderForm(*form);
  EXPECT_EQ(frame.At(1, g.highArrow.top + 1), kHighlight);
  // Held: the arrow goes flat with a shadow frame.
  form->MouseDown(8, g.highArrow.top + 8);
  frame = RenderForm(*form);
  EXPECT_EQ(frame.At(0, g.highArrow.top), kShadow);
  EXPECT_EQ(frame.At(1, g.highArrow.top + 1), kFace);
  form->MouseUp(8, g.highArrow.top + 8);
  frame = RenderForm(*form);
  EXPECT_EQ(frame.At(1, g.highArrow.top + 1), kHighlight);
}

TEST_F(DrawControls, CommandButtonRaisedPressedAndFocused) {
  auto form = NewForm(100, 40);
  form->Show();
  auto button = form->Add<CommandButton>("b", 150, 150, 80 * 15, 25 * 15);  // 10,10 80x25
  button->Caption("OK");
  auto other = form->Add<CommandButton>("o", 0, 0, 0, 0);
  other->SetFocus();
  Raster frame = RenderForm(*form);
  EXPECT_EQ(frame.At(89, 34), kDark);       // raised: dark bottom-right corner
  EXPECT_EQ(frame.At(11, 11), kHighlight);  // inner highlight
  const int32_t ink = Ink(frame, {12, 12, 76, 21}, kFace);
  EXPECT_GT(ink, 10) << "the caption";
  // The caption is centred: as much ink left of the middle as right of it, roughly.
  const int32_t left = Ink(frame, {12, 12, 38, 21}, kFace);
  EXPECT_NEAR(left, ink - left, ink / 3);

  form->MouseDown(50, 22);
  frame = RenderForm(*form);
  EXPECT_EQ(frame.At(10, 10), kDark);  // pressed: dark frame, shadow inside
  EXPECT_EQ(frame.At(11, 11), kShadow);
  form->MouseUp(50, 22);
  // Focused now (the press focused it): a dark frame around the raised edge.
  ASSERT_TRUE(button->HasFocus());
  frame = RenderForm(*form);
  EXPECT_EQ(frame.At(10, 10), ArgbOf(kSysWindowFrame));
  EXPECT_EQ(frame.At(12, 12), kHighlight);
}

TEST_F(DrawControls, LabelTextAlignmentBackgroundAndDisabledLook) {
  if (!TextAvailable()) GTEST_SKIP() << "no font";
  auto form = NewForm(120, 30);
  form->BackColor(Rgb(255, 255, 255));
  auto label = form->Add<Label>("l", 0, 0, 120 * 15, 20 * 15);
  label->Caption("Label");
  label->BackStyle(0);
  label->ForeColor(Rgb(0, 0, 255));
  Raster frame = RenderForm(*form);
  const Argb white = 0xFFFFFFFFu;
  EXPECT_GT(CountOf(frame, {0, 0, 40, 20}, 0xFF0000FFu), 5);
  EXPECT_EQ(Ink(frame, {60, 0, 60, 30}, white), 0);  // left-aligned, background shows
  label->Alignment(kAlignRight);
  frame = RenderForm(*form);
  EXPECT_EQ(Ink(frame, {0, 0, 60, 30}, white), 0);
  EXPECT_GT(Ink(frame, {80, 0, 40, 20}, white), 5);
  label->BackStyle(1);
  label->BackColor(Rgb(0, 255, 0));
  frame = RenderForm(*form);
  EXPECT_EQ(frame.At(1, 18), 0xFF00FF00u);
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
  TextStyle style;
  style.points = label->FontSize();
  const TextSize size = MeasureStyledText("Fits exactly", style);
  EXPECT_EQ(label->FormRect().width, size.width);
  EXPECT_EQ(label->FormRect().height, size.height);
  // Sized to its text, a label shows all of it on its one line: the ink
  // reaches the label's right end, nothing was wrapped away.
  label->BackStyle(0);
  form->BackColor(Rgb(255, 255, 255));
  for (const char* caption : {"i", "Wide", "mmmmmmm", "a b c d e f", "Fits exactly.", "Wj"}) {
    label->Caption(caption);
    const Raster frame = RenderForm(*form);
    const int32_t width = label->FormRect().width;
    EXPECT_GT(Ink(frame, {width - 4, 0, 4, 40}, 0xFFFFFFFFu), 0) << caption;
    EXPECT_EQ(Ink(frame, {width, 0, 200, 40}, 0xFFFFFFFFu), 0) << caption;
  }
  SetTextMeasurer(nullptr);
}

TEST_F(DrawControls, TextBoxSunkenWithTextAndCaret) {
  auto form = NewForm(100, 30);
  form->Show();
  auto box = form->Add<TextBox>("t", 0, 0, 100 * 15, 21 * 15);
  const Argb white = ArgbOf(kSysWindowBackground);
  Raster frame = RenderForm(*form);
  EXPECT_EQ(frame.At(0, 0), kShadow);
  EXPECT_EQ(frame.At(1, 1), kDark);
  EXPECT_EQ(Ink(frame, {2, 2, 96, 17}, white), 0) << "empty and unfocused";
  box->SetFocus();
  frame = RenderForm(*form);
  const int32_t caret = Ink(frame, {2, 2, 96, 17}, white);
  EXPECT_GT(caret, 8);
  EXPECT_EQ(Ink(frame, {6, 2, 92, 17}, white), 0) << "the caret stands at the start";
  box->Text("typed");
  frame = RenderForm(*form);
  EXPECT_GT(Ink(frame, {2, 2, 96, 17}, white), caret + 10);
  box->Enabled(false);
  frame = RenderForm(*form);
  EXPECT_EQ(frame.At(3, 17), kFace);
}

TEST_F(DrawControls, CheckBoxShowsItsValue) {
  auto form = NewForm(120, 20);
  auto box = form->Add<CheckBox>("c", 0, 0, 120 * 15, 17 * 15);
  box->Caption("Check");
  const CanvasRect well{2, 4, 9, 9};  // inside the 13 x 13 square, centred vertically
  const Argb white = ArgbOf(kSysWindowBackground);
  Raster frame = RenderForm(*form);
  EXPECT_EQ(CountOf(frame, well, white), 81);
  box->Value(1);
  frame = RenderForm(*form);
  EXPECT_EQ(CountOf(frame, well, ArgbOf(kSysWindowText)), 21) << "the check mark";
  box->Value(2);
  frame = RenderForm(*form);
  EXPECT_EQ(CountOf(frame, well, ArgbOf(kSysGrayText)), 21) << "greyed";
  EXPECT_EQ(CountOf(frame, well, kFace), 81 - 21);
}

TEST_F(DrawControls, ImageAtNaturalSizeOrStretched) {
  auto form = NewForm(60, 60);
  form->BackColor(Rgb(0, 0, 0));
  auto image = form->Add<Image>("i", 150, 150, 0, 0);
  image->Picture(Picture::FromRaster(Raster(4, 3, 0xFF00FF00u)));
  Raster frame = RenderForm(*form);
  EXPECT_EQ(CountOf(frame, {0, 0, 60, 60}, 0xFF00FF00u), 12);
  EXPECT_EQ(CountOf(frame, {10, 10, 4, 3}, 0xFF00FF00u), 12);
  image->Stretch(true);
  image->Move(150, 150, 40 * 15, 30 * 15);
  frame = RenderForm(*form);
  EXPECT_EQ(CountOf(frame, {0, 0, 60, 60}, 0xFF00FF00u), 1200);
  EXPECT_EQ(CountOf(frame, {10, 10, 40, 30}, 0xFF00FF00u), 1200);

  // A stretched picture is the runtime's scaling of it, clipped where its
  // container ends, with no seam at the clip.
  const PicturePtr picture = BandsPicture(16, 12);
  image->Picture(picture);
  auto box = form->Add<PictureBox>("box", 0, 0, 30 * 15, 25 * 15);
  box->BorderStyle(0);
  auto inner = form->Add<Image>("inner", 0, 0, 0, 0, box.get());
  inner->Picture(picture);
  inner->Stretch(true);
  inner->Move(-7, -3, 50, 37);
  frame = RenderForm(*form);
  const Raster scaled = ScaleRaster(picture->Pixels(), 50, 37);
  for (int32_t y = 0; y < 25; ++y) {
    for (int32_t x = 0; x < 30; ++x)
      ASSERT_EQ(frame.At(x, y), scaled.At(x + 7, y + 3)) << x << "," << y;
  }
  EXPECT_NE(frame.At(30, 5), scaled.At(37, 8));
}

TEST_F(DrawControls, ArrowGlyphsPointTheirWay) {
  Raster r(9, 9, 0xFFFFFFFFu);
  Canvas canvas(r);
  DrawArrowGlyph(canvas, {0, 0, 9, 9}, ArrowDirection::Up, true);
  // Up: rows 1, 3, 5 pixels wide from the top of the glyph, centred.
  std::vector<int32_t> widths;
  for (int32_t y = 0; y < 9; ++y) {
    const int32_t n = CountOf(r, {0, y, 9, 1}, kText);
    if (n) widths.push_back(n);
  }
  EXPECT_EQ(widths, (std::vector<int32_t>{1, 3, 5}));
  EXPECT_EQ(r.At(4, 3), kText);
  r.Fill(0xFFFFFFFFu);
  DrawArrowGlyph(canvas, {0, 0, 9, 9}, ArrowDirection::Down, true);
  widths.clear();
  for (int32_t y = 0; y < 9; ++y) {
    const int32_t n = CountOf(r, {0, y, 9, 1}, kText);
    if (n) widths.push_back(n);
  }
  EXPECT_EQ(widths, (std::vector<int32_t>{5, 3, 1}));
}

}  // namespace
}  // namespace lumora
