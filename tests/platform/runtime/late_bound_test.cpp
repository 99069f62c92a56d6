// Late-bound access by name: every control class answers its own members
// (without regard to case), a member it lacks fails with 438, and the
// contained controls of a container are reached this way.
#include <gtest/gtest.h>
#include <cmath>

#include "platform/controls/check_box.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/image.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/menu.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/form/control_classes.hpp"
#include "runtime_fixtures.hpp"

namespace lumora::testing {
namespace {

class Holder : public UserControl {
 public:
  Holder() : UserControl("Holder", ScaleUnit::Twips, true) {}
};

class Closed : public UserControl {
 public:
  Closed() : UserControl("Closed", ScaleUnit::Twips, false) {}
};

class LateBoundTest : public RuntimeTest {
 protected:
  std::shared_ptr<Form> form = Form::Create("LateForm", 640, 480);
};

TEST_F(LateBoundTest, ContainedControlsAreReachedByIndexAndName) {
  auto holder = form->Add<Holder>("holder", 0, 0, 6000, 6000);
  auto text = form->Add<TextBox>("txt", 100, 200, 900, 300, holder.get());
  auto menu = form->AddObject<Menu>("mnu", holder.get());
  auto check = form->Add<CheckBox>("chk", 100, 700, 900, 300, holder.get());
  form->Add<Label>("outside", 0, 0, 100, 100);

  ContainedControlsCollection& contained = holder->ContainedControls();
  ASSERT_EQ(contained.Count(), 3);
  const ObjectPtr first = contained.Item(0);
  EXPECT_EQ(first->GetProperty("Top").ToSingle(), 200);
  first->SetProperty("top", 150.0f);
  EXPECT_FLOAT_EQ(text->Top(), 150);
  EXPECT_EQ(first->GetProperty("HEIGHT").ToSingle(), 300);
  EXPECT_TRUE(first->GetProperty("Visible").ToBool());

  // The menu has no position or size.
  const ObjectPtr second = contained.Item(1);
  EXPECT_EQ(second->GetProperty("Name").ToString(), "mnu");
  EXPECT_FAILS_WITH(kErrNoSuchMember, second->GetProperty("Top"));
  EXPECT_FAILS_WITH(kErrNoSuchMember, second->GetProperty("Height"));
  EXPECT_FAILS_WITH(kErrNoSuchMember, second->SetProperty("Top", 5));
  EXPECT_TRUE(second->GetProperty("Visible").ToBool());

  EXPECT_EQ(contained.Item(2).get(), check.get());
  EXPECT_FAILS_WITH(9, contained.Item(3));
  EXPECT_FAILS_WITH(9, contained.Item(-1));
  // The collection itself is late-bound too.
  std::array<Variant, 1> index{int16_t{0}};
  EXPECT_EQ(contained.CallMethod("item", index).ToObject().get(), text.get());
  EXPECT_EQ(contained.GetProperty("Count").ToInt32(), 3);

  form->Remove(*text);
  EXPECT_EQ(contained.Count(), 2);
  auto closed = form->Add<Closed>("closed", 0, 0, 100, 100);
  EXPECT_FAILS_WITH(kErrNoSuchMember, closed->ContainedControls());
  EXPECT_FAILS_WITH(kErrInvalidCall, form->Add<Label>("in", 0, 0, 1, 1, closed.get()));
  EXPECT_EQ(form->Find("in"), nullptr);
}

TEST_F(LateBoundTest, EachClassAnswersItsOwnMembers) {
  auto pic = form->Add<PictureBox>("pic", 0, 0, 1500, 1500);
  auto button = form->Add<CommandButton>("cmd", 0, 0, 900, 300);
  auto image = form->Add<Image>("img", 0, 0, 300, 300);
  auto label = form->Add<Label>("lbl", 0, 0, 900, 300);
  pic->SetProperty("AutoRedraw", true);
  EXPECT_TRUE(pic->AutoRedraw());
  EXPECT_EQ(pic->GetProperty("scaleheight").ToSingle(), 96);
  button->SetProperty("Caption", "OK");
  EXPECT_EQ(button->Caption(), "OK");
  const PicturePtr shared = SolidPicture(9, 17);
  image->SetProperty("Picture", Variant(shared));
  EXPECT_EQ(image->Picture(), shared);  // the very same object
  EXPECT_FLOAT_EQ(image->Width(), 9 * 15);
  EXPECT_FAILS_WITH(kErrNoSuchMember, image->GetProperty("hWnd"));  // windowless
  EXPECT_FAILS_WITH(kErrNoSuchMember, label->hWnd());
  EXPECT_FAILS_WITH(kErrNoSuchMember, label->GetProperty("Picture"));
  EXPECT_FAILS_WITH(383, pic->SetProperty("hWnd", 5));  // read-only
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, pic->SetProperty("MousePointer", 42));
  std::array<Variant, 4> move{100.0f, 200.0f, Variant(Missing{}), 50.0f};
  label->CallMethod("Move", move);
  EXPECT_FLOAT_EQ(label->Left(), 100);
  EXPECT_FLOAT_EQ(label->Width(), 900);  // left out: kept
  EXPECT_FLOAT_EQ(label->Height(), 50);
  EXPECT_FAILS_WITH(kErrNoSuchMember, label->CallMethod("Explode", {}));
  // The form reaches its controls by name.
  EXPECT_EQ(form->GetProperty("PIC").ToObject().get(), pic.get());
  EXPECT_FAILS_WITH(kErrNoSuchMember, form->GetProperty("nobody"));
}

TEST_F(LateBoundTest, PlacingChecksNamesAndContainers) {
  form->Add<Label>("a", 0, 0, 10, 10);
  EXPECT_FAILS_WITH(kErrInvalidCall, form->Add<Label>("A", 0, 0, 10, 10));
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, form->Add<Label>("neg", 0, 0, -1, 10));
  EXPECT_EQ(form->Find("neg"), nullptr);
  auto other = Form::Create("Other");
  auto foreign = other->Add<Holder>("h", 0, 0, 100, 100);
  EXPECT_FAILS_WITH(kErrInvalidCall, form->Add<Label>("b", 0, 0, 1, 1, foreign.get()));
  EXPECT_EQ(Forms().size(), 2u);
  EXPECT_EQ(FindForm("other"), other);
}

TEST_F(LateBoundTest, PositionsBeyondTheCoordinateRangeAreRefused) {
  auto label = form->Add<Label>("a", 15, 30, 45, 60);
  const double huge = 2.0 * kCoordinateLimit;
  for (const char* name : {"Left", "Top", "Width", "Height"}) {
    for (const double bad : {-3.4e38, huge, -huge, std::nan("")}) {
      SCOPED_TRACE(std::string(name) + " " + std::to_string(bad));
      EXPECT_FAILS_WITH(kErrInvalidPropertyValue, label->SetProperty(name, bad));
      EXPECT_FAILS_WITH(kErrInvalidPropertyValue, label->Move(bad));
    }
    label->SetProperty(name, kCoordinateLimit);
    EXPECT_EQ(label->GetProperty(name).ToDouble(), kCoordinateLimit);
  }
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, label->Move(0, -huge));
}

TEST_F(LateBoundTest, ControlsArePlacedByClassName) {
  auto holder = form->Add<Holder>("holder", 0, 0, 6000, 6000);
  const ControlPtr bar = form->AddByClass("hscrollbar", "bar", 0, 0, 1500, 300);
  EXPECT_EQ(bar->TypeName(), "HScrollBar");
  const ControlPtr menu = form->AddByClass("Menu", "mnu", 10, 10, 10, 10, holder.get());
  EXPECT_EQ(holder->ContainedControls().Count(), 1);
  EXPECT_FAILS_WITH(kErrInvalidCall, form->AddByClass("Spaceship", "x", 0, 0, 1, 1));
  EXPECT_EQ(form->Find("x"), nullptr);
  RegisterControlClass("Holder", [] { return std::make_shared<Holder>(); });
  EXPECT_TRUE(IsControlClass("HOLDER"));
  const ControlPtr made = form->AddByClass("Holder", "h2", 0, 0, 300, 300);
  EXPECT_TRUE(dynamic_cast<UserControl*>(made.get())->IsSited());  // the lifecycle ran
  EXPECT_EQ(ControlClassNames().front(), "PictureBox");
  EXPECT_EQ(ControlClassNames().back(), "Holder");
}

}  // namespace
}  // namespace lumora::testing
