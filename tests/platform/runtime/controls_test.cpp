// The ordinary controls for forms and constituents: buttons, labels, text
// boxes, check boxes and scroll bars, the wheel, focus and resize messages
// of the form, and the user control base (window handles, drawing on its own
// surface, pop-up menus and events raised by reference).
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/controls/check_box.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/menu.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/gdi.hpp"
#include "runtime_fixtures.hpp"

namespace lumora::testing {
namespace {

using SimpleControlsTest = FormTest;

TEST_F(SimpleControlsTest, ButtonsClickOnPressAndReleaseInsideOrFromTheKeyboard) {
  auto ok = form->Add<CommandButton>("ok", 0, 0, 1500, 450);  // 100 x 30 px
  form->Show();
  int clicks = 0;
  ok->Click.Connect([&] { ++clicks; });
  form->MouseDown(10, 10);
  EXPECT_TRUE(ok->IsPressed());
  form->MouseMove(150, 10);
  EXPECT_FALSE(ok->IsPressed());  // drawn up while the pointer is outside
  form->MouseUp(150, 10);
  EXPECT_EQ(clicks, 0);
  form->Click(10, 10, kRightButton);
  EXPECT_EQ(clicks, 0);  // the left button only
  form->Click(10, 10);
  EXPECT_EQ(clicks, 1);
  form->KeyDown(kKeySpace);
  EXPECT_EQ(clicks, 1);
  form->KeyUp(kKeySpace);
  form->KeyDown(kKeyReturn);
  EXPECT_EQ(clicks, 3);
  form->KeyUp(kKeySpace);  // no press before it
  EXPECT_EQ(clicks, 3);
}

TEST_F(SimpleControlsTest, LabelsFitTheirCaptionWhenAutoSized) {
  const TextMeasurer previous = SetTextMeasurer([](const std::string& text, float, bool) {
    return TextExtent{int32_t(text.size()) * 6, 13};
  });
  auto label = form->Add<Label>("lbl", 0, 0, 100, 100);
  label->Caption("Version 2.0");
  EXPECT_FLOAT_EQ(label->Width(), 100);
  label->AutoSize(true);
  EXPECT_EQ(std::pair(label->Width(), label->Height()), std::pair(11 * 6 * 15.0f, 13 * 15.0f));
  label->Caption("ab");
  EXPECT_FLOAT_EQ(label->Width(), 2 * 6 * 15);
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, label->Alignment(3));
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, label->ForeColor(0x80000FFFu));
  SetTextMeasurer(previous);
}

TEST_F(SimpleControlsTest, TextBoxesTypeAndRaiseChange) {
  auto text = form->Add<TextBox>("txt", 0, 0, 1500, 300);
  form->Show();
  int changes = 0;
  text->Change.Connect([&] { ++changes; });
  form->TypeKey('H', kShiftMask);
  form->TypeKey('I');
  form->KeyPress(0xE9);  // a character beyond ASCII
  EXPECT_EQ(text->Text(), "Hi\xC3\xA9");
  form->KeyPress(kKeyBack);
  EXPECT_EQ(text->Text(), "Hi");
  text->Text("Hi");  // the same text: no Change
  EXPECT_EQ(changes, 4);
  text->Locked(true);  // a locked box keeps its text
  form->TypeKey('X');
  EXPECT_EQ(text->Text(), "Hi");
  text->Locked(false);
  text->KeyPress.Connect([](int16_t& KeyAscii) { KeyAscii = 0; });  // a handler eats keys
  form->TypeKey('X');
  EXPECT_EQ(text->Text(), "Hi");
}

TEST_F(SimpleControlsTest, CheckBoxesToggleAndRaiseClickOnEveryChange) {
  auto check = form->Add<CheckBox>("chk", 0, 0, 1500, 300);
  form->Show();
  auto log = EventLog::On({check.get()});
  form->Click(5, 5);
  EXPECT_EQ(check->Value(), 1);
  form->TypeKey(kKeySpace);
  EXPECT_EQ(check->Value(), 0);
  check->Value(2);
  check->Value(2);
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, check->Value(3));
  EXPECT_EQ(log->entries, (Strings{"chk.MouseDown", "chk.MouseUp", "chk.Click", "chk.KeyDown",
                                   "chk.KeyPress", "chk.KeyUp", "chk.Click", "chk.Click"}));
}

TEST_F(SimpleControlsTest, WheelFocusAndResizeMessages) {
  auto bar = form->Add<VScrollBar>("bar", 0, 0, 300, 3000);
  bar->Max(100);
  bar->Value(50);
  form->Show();
  auto log = EventLog::On({bar.get()});
  Post(Message::Wheel(form, 5, 5, 120));  // one notch away from the user: up
  Post(Message::Focus(false, form));
  Post(Message::Focus(true, form));
  Post(Message::Resize(form, 320, 200));
  DoEvents();
  EXPECT_EQ(bar->Value(), 47);
  EXPECT_EQ(log->entries, (Strings{"bar.Change", "bar.LostFocus", "bar.GotFocus"}));
  EXPECT_EQ(form->ClientWidth(), 320);
  EXPECT_FLOAT_EQ(form->ScaleHeight(), 3000);
}

using ScrollBarTest = FormTest;

TEST_F(ScrollBarTest, ArrowsStepTrackPagesAndTheThumbDrags) {
  auto bar = form->Add<HScrollBar>("bar", 0, 0, 4500, 300);  // 300 x 20 px
  bar->Max(100);
  bar->SmallChange(5);
  bar->LargeChange(20);
  bar->Value(50);
  form->Show();
  const ScrollBarGeometry g = bar->Geometry();
  EXPECT_EQ(g.lowArrow, (PixelRect{0, 0, 20, 20}));
  EXPECT_EQ(g.highArrow, (PixelRect{280, 0, 20, 20}));
  EXPECT_EQ(g.track, (PixelRect{20, 0, 260, 20}));
  EXPECT_EQ(g.thumb, (PixelRect{128, 0, 43, 20}));  // 260 * 20/120 long, halfway

  auto log = EventLog::On({bar.get()});
  // The arrows step by SmallChange; the track before and after the thumb pages.
  for (auto [x, value] : {std::pair{5, 45}, {295, 50}, {40, 30}, {250, 50}}) {
    form->Click(x, 10);
    EXPECT_EQ(bar->Value(), value) << x;
  }
  EXPECT_EQ(log->entries.size(), 4u);
  log->entries.clear();
  std::vector<int16_t> seen;
  bar->Scroll.Connect([&] { seen.push_back(bar->Value()); });
  form->MouseDown(150, 10);  // grips the thumb 22 px from its start
  form->MouseMove(200, 10);  // thumb starts at 178: offset 158 of 217
  form->MouseMove(200, 15);  // no movement along the bar: nothing
  form->MouseMove(400, 10);  // past the end
  form->MouseUp(400, 10);
  EXPECT_EQ(seen, (std::vector<int16_t>{73, 100}));
  EXPECT_EQ(log->entries, (Strings{"bar.Scroll", "bar.Scroll", "bar.Change"}));
  // A drag that ends where it began raises no Change.
  log->entries.clear();
  const PixelRect thumb = bar->Geometry().thumb;
  form->MouseDown(thumb.left + 2, 10);
  form->MouseMove(thumb.left - 30, 10);
  form->MouseMove(thumb.left + 2, 10);
  form->MouseUp(thumb.left + 2, 10);
  EXPECT_EQ(log->entries, (Strings{"bar.Scroll", "bar.Scroll"}));
}

// A range may run downwards: values between its ends are accepted, and the
// low arrow still moves towards Min.
TEST_F(ScrollBarTest, ARangeRunningDownwardsWorksBetweenItsEnds) {
  auto bar = form->Add<VScrollBar>("bar", 0, 0, 300, 4500);  // 20 x 300 px
  bar->Min(0);
  bar->Max(-37);
  bar->Value(-18);
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, bar->Value(5));
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, bar->Value(-38));
  EXPECT_EQ(bar->Value(), -18);
  bar->Value(0);
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, bar->SmallChange(0));
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, bar->LargeChange(-1));
  bar->SmallChange(10);
  form->Show();
  for (int i = 0; i < 4; ++i) form->Click(10, 295);  // bottom arrow: towards Max
  EXPECT_EQ(bar->Value(), -37);                      // stops at the end
  form->Click(10, 5);
  EXPECT_EQ(bar->Value(), -27);
}

class Viewer : public UserControl {
 public:
  Viewer() : UserControl("Viewer", ScaleUnit::Pixels, false) {
    surface = AddConstituent<PictureBox>("surface");
  }
  std::shared_ptr<PictureBox> surface;
};

using UserControlTest = FormTest;

TEST_F(UserControlTest, WindowHandlesAreUniqueAndContainersKnowTheirs) {
  auto v = form->Add<Viewer>("v", 0, 0, 3000, 1500);
  auto w = form->Add<Viewer>("w", 0, 1500, 3000, 1500);
  EXPECT_NE(v->hWnd(), 0);
  EXPECT_NE(v->hWnd(), w->hWnd());
  EXPECT_NE(v->hWnd(), form->hWnd());
  EXPECT_EQ(v->ContainerHwnd(), form->hWnd());
  EXPECT_EQ(v->surface->ContainerHwnd(), v->hWnd());
  EXPECT_EQ(form->FindPath("V.Surface"), v->surface.get());
  EXPECT_EQ(form->FindPath("v.nothing"), nullptr);
  EXPECT_EQ(form->FindPath("v.surface.deeper"), nullptr);
  EXPECT_EQ(form->Find("surface"), nullptr);  // constituents are not placed controls
}

TEST_F(UserControlTest, PaintPictureDrawsOnItsOwnSurfaceInItsScale) {
  auto v = form->Add<Viewer>("v", 0, 0, 3000, 1500);
  v->BackColor(Rgb(0, 0, 255));
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, v->ForeColor(0x80000FFFu));
  v->PaintPicture(SolidPicture(10, 10, 0xFFFF0000u), 5, 5);
  ASSERT_EQ(v->Surface().Width(), 200);
  EXPECT_EQ(std::pair(v->Surface().At(14, 14), v->Surface().At(15, 15)),
            std::pair(0xFFFF0000u, 0xFF0000FFu));
  // Destination size and a source part: the picture's left half, doubled.
  v->PaintPicture(SolidPicture(10, 10, 0xFF00FF00u), 100, 0, 20, Missing{}, 0, 0, 5, Missing{});
  EXPECT_EQ(v->Surface().At(119, 9), 0xFF00FF00u);
  EXPECT_EQ(v->Surface().At(120, 9), 0xFF0000FFu);
  // Raster operations combine with what is there.
  const PicturePtr pattern = SolidPicture(4, 4, 0xFF0F0F0Fu);
  v->PaintPicture(pattern, 0, 50, Missing{}, Missing{}, Missing{}, Missing{}, Missing{}, Missing{},
                  static_cast<int32_t>(kSrcInvert));
  EXPECT_EQ(v->Surface().At(1, 51), 0xFF0F0FF0u);
  EXPECT_FAILS_WITH(kErrInvalidCall, v->PaintPicture(pattern, 0, 0, Missing{}, Missing{}, Missing{},
                                                     Missing{}, Missing{}, Missing{}, 0x42));
  EXPECT_FAILS_WITH(kErrNoObject, v->PaintPicture(nullptr, 0, 0));
  EXPECT_FAILS_WITH(kErrInvalidPicture, v->PaintPicture(Picture::Empty(), 0, 0));
  EXPECT_FAILS_WITH(kErrInvalidCall, v->PaintPicture(Missing{}, 0, 0));
  EXPECT_FAILS_WITH(kErrTypeMismatch, v->PaintPicture(SolidPicture(2, 2), "left", 0));
}

TEST_F(UserControlTest, PopupMenuIsRecordedOnTheForm) {
  auto v = form->Add<Viewer>("v", 1500, 1500, 3000, 1500);  // at 100,100 px
  auto menu = form->AddObject<Menu>("mnuEdit");
  form->Show();
  form->MouseMove(130, 140);
  v->PopupMenu(ObjectPtr(menu));
  v->PopupMenu(ObjectPtr(menu), int16_t{2}, 7.5f, 8.0f);
  ASSERT_EQ(form->ShownMenus().size(), 2u);
  const auto& shown = form->ShownMenus();
  // The first at the pointer, in the control's pixels.
  EXPECT_EQ(std::tuple(shown[0].menu, shown[0].control, shown[0].x, shown[0].y),
            std::tuple("mnuEdit", "v", 30.0f, 40.0f));
  EXPECT_EQ(std::pair(shown[1].flags, shown[1].x), std::pair(int16_t{2}, 7.5f));
  EXPECT_FAILS_WITH(kErrNoObject, v->PopupMenu(nullptr));
  EXPECT_FAILS_WITH(kErrTypeMismatch, v->PopupMenu(ObjectPtr(v->surface)));
}

TEST_F(UserControlTest, RaiseEventPassesArgumentsByReference) {
  auto v = form->Add<Viewer>("v", 0, 0, 3000, 1500);
  auto log = EventLog::On({v.get()});
  log->edit = [](std::string_view, std::span<Variant> args) {
    if (!args.empty()) args[0] = int16_t{0};
  };
  std::array<Variant, 2> args{int16_t{40}, int16_t{1}};
  v->RaiseEvent(4, "KeyDown", args);
  EXPECT_EQ(args[0].ToInt16(), 0);  // the handler cleared the key code
  v->RaiseEvent(10, "PictureScrolled");
  EXPECT_EQ(log->entries, (Strings{"v.KeyDown", "v.PictureScrolled"}));
}

}  // namespace
}  // namespace lumora::testing
