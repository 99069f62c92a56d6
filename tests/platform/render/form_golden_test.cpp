// Golden frames of small forms: every control class in its usual states, and
// a container's self-drawn scroll bar (track with a painted thumb between two
// button images).
#include <gtest/gtest.h>

#include "platform/controls/check_box.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/image.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/gdi.hpp"
#include "platform/render/render_form.hpp"
#include "platform/render/render_test_support.hpp"
#include "platform/render/text.hpp"
#include "support/golden.hpp"

namespace lumora {
namespace {

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
