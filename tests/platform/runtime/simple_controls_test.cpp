// The ordinary controls for forms and constituents: buttons, images,
// labels, text boxes and check boxes, and the wheel, focus and resize
// messages of the form.
#include <gtest/gtest.h>

#include "platform/controls/check_box.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/image.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/text_box.hpp"
#include "runtime_fixtures.hpp"

namespace lumora::testing {
namespace {

using Strings = std::vector<std::string>;

class SimpleControlsTest : public RuntimeTest {
 protected:
  std::shared_ptr<Form> form = Form::Create("Simple", 400, 300);
};

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

TEST_F(SimpleControlsTest, ImagesShareTheirPictureAndSizeToIt) {
  auto a = form->Add<Image>("a", 0, 0, 1000, 1000);
  auto b = form->Add<Image>("b", 0, 0, 1000, 1000);
  a->Picture(SolidPicture(9, 17));
  EXPECT_FLOAT_EQ(a->Width(), 135);
  EXPECT_FLOAT_EQ(a->Height(), 255);
  b->Stretch(true);
  b->Picture(a->Picture());
  EXPECT_EQ(b->Picture(), a->Picture());  // one object, compared by identity
  EXPECT_FLOAT_EQ(b->Width(), 1000);      // stretched: keeps its size
  b->Stretch(false);
  EXPECT_FLOAT_EQ(b->Width(), 135);
  a->Picture(SolidPicture(9, 17));
  EXPECT_NE(b->Picture(), a->Picture());
  EXPECT_FALSE(a->IsWindowed());
}

TEST_F(SimpleControlsTest, LabelsFitTheirCaptionWhenAutoSized) {
  const TextMeasurer previous = SetTextMeasurer([](const std::string& text, float, bool) {
    return TextExtent{int32_t(text.size()) * 6, 13};
  });
  auto label = form->Add<Label>("lbl", 0, 0, 100, 100);
  label->Caption("Version 2.0");
  EXPECT_FLOAT_EQ(label->Width(), 100);
  label->AutoSize(true);
  EXPECT_FLOAT_EQ(label->Width(), 11 * 6 * 15);
  EXPECT_FLOAT_EQ(label->Height(), 13 * 15);
  label->Caption("ab");
  EXPECT_FLOAT_EQ(label->Width(), 2 * 6 * 15);
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, label->Alignment(3));
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, label->FontSize(0));
  SetTextMeasurer(previous);
  // The built-in estimate grows with the text and the lines.
  EXPECT_GT(MeasureText("wider text", 8.25f, false).width, MeasureText("text", 8.25f, false).width);
  EXPECT_GT(MeasureText("a\nb", 8.25f, false).height, MeasureText("a", 8.25f, false).height);
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
  text->KeyPress.Connect([](int16_t& KeyAscii) { KeyAscii = 0; });  // a handler eats keys
  form->TypeKey('X');
  text->Locked(true);
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

}  // namespace
}  // namespace lumora::testing
