// The form renderer: what opaque controls hide is not painted; golden frames
// of small forms show what each built-in control class looks like (the parts,
// states and colours a user relies on), and placement through the containers'
// scales, clipping, visibility and z-order.
#include <gtest/gtest.h>

#include "platform/controls/check_box.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/image.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/render/painters.hpp"
#include "platform/render/render_form.hpp"
#include "platform/render/render_test_support.hpp"
#include "support/golden.hpp"

namespace lumora {
namespace {

std::shared_ptr<PictureBox> Box(Form& form, const char* name, float l, float t, float w, float h,
                                OleColor color, Control* container = nullptr) {
  auto box = form.Add<PictureBox>(name, l, t, w, h, container);
  box->BorderStyle(0);
  box->BackColor(color);
  return box;
}

using RenderForm_ = RenderFormTest;

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
// One with a painter of its own, which counts its calls and paints green.
class PaintedHolder : public Holder {
 public:
  PaintedHolder() : Holder("PaintedHolder") {}
  static inline int s_Calls = 0;
};

void PaintGreen(Canvas& canvas, const Control&) {
  ++PaintedHolder::s_Calls;
  canvas.FillRect(canvas.Clip(), 0xFF00C800u);
}
bool IsPaintedHolder(const Control& c) {
  return dynamic_cast<const PaintedHolder*>(&c) != nullptr;
}

TEST_F(RenderForm_, WhatOpaqueControlsHideIsNotPainted) {
  RegisterPainter(typeid(PaintedHolder), &IsPaintedHolder, &PaintGreen);
  auto form = NewForm(60, 40);
  auto under = form->Add<PaintedHolder>("under", 150, 150, 300, 300);  // 10,10 20x20
  under->inner->Visible(false);  // all of it is painted in one piece
  auto cover = Box(*form, "cover", 0, 0, 600, 600, Rgb(200, 0, 0));
  PaintedHolder::s_Calls = 0;
  Raster frame = RenderForm(*form);
  EXPECT_EQ(PaintedHolder::s_Calls, 0) << "entirely under an opaque picture box";
  // Partly uncovered: painted, and what shows is right.
  cover->Move(0, 0, 300, 600);  // covers x 0..19, the control spans 10..29
  PaintedHolder::s_Calls = 0;
  frame = RenderForm(*form);
  EXPECT_EQ(PaintedHolder::s_Calls, 1);
  EXPECT_EQ(CountOf(frame, {20, 10, 10, 20}, 0xFF00C800u), 200);
  // Windowless, unfilled or translucent things on top hide nothing.
  auto label = form->Add<Label>("label", 0, 0, 900, 600);
  label->BackStyle(0);
  auto image = form->Add<Image>("image", 0, 0, 0, 0);
  image->Picture(Picture::FromRaster(Raster(60, 40, 0x80000000u)));
  cover->Visible(false);
  PaintedHolder::s_Calls = 0;
  EXPECT_EQ(RenderForm(*form).At(25, 15), 0xFF006400u) << "half black over green";
  EXPECT_EQ(PaintedHolder::s_Calls, 1);
}

constexpr float kTw = 15;  // twips per pixel

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
  auto panel = form->Add<Holder>("Panel1", 210 * kTw, 110 * kTw, 70 * kTw, 80 * kTw);
  panel->BorderStyle(1);
  panel->BackColor(Rgb(255, 255, 225));
  panel->PaintPicture(Variant(BandsPicture(16, 12)), Variant(30), Variant(40));
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

// What the other frames leave out: a vertical bar's held arrow, a label right
// aligned and one disabled, a greyed check box, the caret of a focused empty
// text box; beside them an image at its natural size and one stretched and
// clipped by its picture box, a hidden box with a child and a box with a
// hidden child (neither child shows), two overlapping boxes, the first
// restacked on top, and two 3D-bordered boxes whose children, one partly
// outside and one covering all, show only inside the border.
TEST_F(FormGolden, DetailsTheOtherFramesLeaveOut) {
  auto form = NewForm(270, 100);
  form->Show();
  form->Add<VScrollBar>("VScroll1", 0, 0, 17 * kTw, 100 * kTw)->Max(10);
  auto right = form->Add<Label>("Label1", 24 * kTw, 0, 130 * kTw, 20 * kTw);
  right->Caption("Right");
  right->Alignment(kAlignRight);
  right->ForeColor(Rgb(0, 0, 255));
  auto off = form->Add<Label>("Label2", 24 * kTw, 22 * kTw, 130 * kTw, 20 * kTw);
  off->Caption("Disabled");
  off->Enabled(false);
  auto check = form->Add<CheckBox>("Check1", 24 * kTw, 44 * kTw, 130 * kTw, 17 * kTw);
  check->Caption("Greyed");
  check->Value(2);
  auto text = form->Add<TextBox>("Text1", 24 * kTw, 66 * kTw, 130 * kTw, 21 * kTw);

  form->Add<Image>("Image1", 162 * kTw, 4 * kTw, 0, 0)
      ->Picture(Picture::FromRaster(Raster(4, 3, 0xFF00FF00u)));
  auto clip = Box(*form, "Picture1", 170 * kTw, 4 * kTw, 30 * kTw, 25 * kTw, Rgb(255, 255, 255));
  auto stretched = form->Add<Image>("Image2", 0, 0, 0, 0, clip.get());
  stretched->Picture(BandsPicture(16, 12));
  stretched->Stretch(true);
  stretched->Move(-7, -3, 50, 37);  // in the box's pixels
  auto hidden = Box(*form, "Picture2", 162 * kTw, 34 * kTw, 20 * kTw, 20 * kTw, Rgb(200, 0, 0));
  Box(*form, "Picture3", 2, 2, 10, 10, Rgb(0, 0, 200), hidden.get());
  hidden->Visible(false);
  auto parent = Box(*form, "Picture4", 186 * kTw, 34 * kTw, 20 * kTw, 20 * kTw, Rgb(200, 0, 0));
  Box(*form, "Picture5", 5, 5, 10, 10, Rgb(0, 0, 200), parent.get())->Visible(false);
  auto first = Box(*form, "Picture6", 162 * kTw, 60 * kTw, 30 * kTw, 20 * kTw, Rgb(200, 0, 0));
  Box(*form, "Picture7", 177 * kTw, 70 * kTw, 30 * kTw, 20 * kTw, Rgb(0, 0, 200));
  first->ZOrder(0);
  for (const auto& [outerName, innerName, top, x, y] :
       {std::tuple{"Picture8", "Picture9", 4, 30, 20}, {"Picture10", "Picture11", 40, -5, -5}}) {
    auto outer = Box(*form, outerName, 222 * kTw, top * kTw, 40 * kTw, 30 * kTw, Rgb(200, 200, 0));
    outer->BorderStyle(1);
    // In the box's pixels: partly outside its client area, or covering all of it.
    Box(*form, innerName, x, y, 60, 60, Rgb(0, 0, 200), outer.get());
  }

  form->MouseDown(8, 92);  // holds the bar's lower arrow
  text->SetFocus();
  EXPECT_TRUE(MatchesGolden(RenderForm(*form), "form_details"));
  form->MouseUp(8, 92);
}

}  // namespace
}  // namespace lumora
