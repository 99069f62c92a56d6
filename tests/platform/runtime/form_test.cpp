// Forms and what is placed on them: names, containers and coordinates,
// contained controls, late-bound access by name (without regard to case, 438
// for a member a class lacks), and the lifecycle of a user control
// (Initialize, InitProperties / ReadProperties, Resize, Show,
// WriteProperties, Terminate).
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
#include "platform/property_bag.hpp"
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

TEST_F(FormTest, ContainedControlsAreReachedByIndexAndNameAndFollowRemoving) {
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

  // The menu has no position or size.
  const ObjectPtr second = contained.Item(1);
  EXPECT_EQ(second->GetProperty("Name").ToString(), "mnu");
  EXPECT_FAILS_WITH(kErrNoSuchMember, second->GetProperty("Top"));
  EXPECT_FAILS_WITH(kErrNoSuchMember, second->SetProperty("Top", 5));

  EXPECT_EQ(contained.Item(2).get(), check.get());
  EXPECT_FAILS_WITH(9, contained.Item(3));
  EXPECT_FAILS_WITH(9, contained.Item(-1));
  // The collection itself is late-bound too.
  std::array<Variant, 1> index{int16_t{0}};
  EXPECT_EQ(contained.CallMethod("item", index).ToObject().get(), text.get());
  EXPECT_EQ(contained.GetProperty("Count").ToInt32(), 3);

  // A removed control that is still alive is no longer counted.
  form->Remove(*text);
  EXPECT_EQ(contained.Count(), 2);
  EXPECT_EQ(contained.Item(0).get(), menu.get());
  EXPECT_EQ(contained.Item(1).get(), check.get());
  EXPECT_EQ(holder->ContainedAt(2), nullptr);

  auto closed = form->Add<Closed>("closed", 0, 0, 100, 100);
  EXPECT_FAILS_WITH(kErrNoSuchMember, closed->ContainedControls());
  EXPECT_FAILS_WITH(kErrInvalidCall, form->Add<Label>("in", 0, 0, 1, 1, closed.get()));
  EXPECT_EQ(form->Find("in"), nullptr);
  form->Unload();
  EXPECT_EQ(holder->ContainedCount(), 0);
}

TEST_F(FormTest, EachClassAnswersItsOwnMembers) {
  auto pic = form->Add<PictureBox>("pic", 0, 0, 1500, 1500);
  auto button = form->Add<CommandButton>("cmd", 0, 0, 900, 300);
  auto image = form->Add<Image>("img", 0, 0, 300, 300);
  auto label = form->Add<Label>("lbl", 0, 0, 900, 300);
  EXPECT_EQ(pic->GetProperty("scaleheight").ToSingle(), 96);
  button->SetProperty("Caption", "OK");
  EXPECT_EQ(button->Caption(), "OK");
  const PicturePtr shared = SolidPicture(9, 17);
  image->SetProperty("Picture", Variant(shared));
  EXPECT_EQ(image->Picture(), shared);  // the very same object
  EXPECT_FLOAT_EQ(image->Width(), 9 * 15);
  EXPECT_FAILS_WITH(kErrNoSuchMember, image->GetProperty("hWnd"));  // windowless
  EXPECT_FAILS_WITH(kErrNoSuchMember, label->GetProperty("Picture"));
  EXPECT_FAILS_WITH(383, pic->SetProperty("hWnd", 5));  // read-only
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, pic->SetProperty("MousePointer", 42));
  std::array<Variant, 4> move{100.0f, 200.0f, Variant(Missing{}), 50.0f};
  label->CallMethod("Move", move);
  EXPECT_EQ(std::tuple(label->Left(), label->Width(), label->Height()),
            std::tuple(100.0f, 900.0f, 50.0f));  // the width was left out: kept
  EXPECT_FAILS_WITH(kErrNoSuchMember, label->CallMethod("Explode", {}));
  // The form reaches its controls by name.
  EXPECT_EQ(form->GetProperty("PIC").ToObject().get(), pic.get());
  EXPECT_FAILS_WITH(kErrNoSuchMember, form->GetProperty("nobody"));
}

TEST_F(FormTest, PlacingChecksNamesAndContainers) {
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

TEST_F(FormTest, PositionsBeyondTheCoordinateRangeAreRefused) {
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

// Records the lifecycle into a log shared by every control of a test.
class Recorder : public UserControl {
 public:
  Recorder() : UserControl("Recorder", ScaleUnit::Pixels, true) {}
  Strings* shared = nullptr;
  Strings log;
  int32_t margin = 0;
  void Note(const std::string& what) {
    log.push_back(what);
    if (shared) shared->push_back(Name() + "." + what);
  }
  void UserControl_Initialize() override { Note("Initialize"); }
  void UserControl_InitProperties() override { Note("InitProperties"); }
  void UserControl_ReadProperties(PropertyBag& PropBag) override {
    Note("ReadProperties");
    margin = PropBag.ReadProperty("Margin", int32_t{60}).ToInt32();
  }
  void UserControl_Resize() override { Note("Resize"); }
  void UserControl_Show() override { Note("Show"); }
  void UserControl_WriteProperties(PropertyBag& PropBag) override {
    Note("WriteProperties");
    PropBag.WriteProperty("Margin", margin, int32_t{60});
  }
  void UserControl_Terminate() override { Note("Terminate"); }
};

// Show comes once, when the form is first shown or at once on a shown form;
// a control loaded from a bag reads it, and is saved without its defaults.
TEST_F(FormTest, AControlIsShownOnceSavedAgainAndTerminatedWhenRemoved) {
  auto early = form->Add<Recorder>("r0", 0, 0, 1500, 1500);
  EXPECT_EQ(early->log, (Strings{"Initialize", "InitProperties", "Resize"}));
  form->Show();
  form->Hide();
  form->Show();
  EXPECT_EQ(early->log, (Strings{"Initialize", "InitProperties", "Resize", "Show"}));
  PropertyBag bag;
  bag.WriteProperty("Margin", int32_t{90});
  auto rec = form->Add<Recorder>("r1", 0, 0, 1500, 1500, nullptr, &bag);
  EXPECT_EQ(rec->log, (Strings{"Initialize", "ReadProperties", "Resize", "Show"}));
  EXPECT_EQ(rec->margin, 90);
  rec->margin = 60;
  rec->PropertyChanged("Margin");
  EXPECT_TRUE(form->Dirty());
  PropertyBag saved;
  form->SaveControl(*rec, saved);
  EXPECT_EQ(rec->log.back(), "WriteProperties");
  EXPECT_FALSE(saved.Contains("Margin"));
  EXPECT_FALSE(form->Dirty());
  form->Remove(*rec);
  EXPECT_EQ(rec->log.back(), "Terminate");
  EXPECT_EQ(rec->ParentForm(), nullptr);
  EXPECT_FAILS_WITH(kErrInvalidCall, form->Remove(*rec));
}

TEST_F(FormTest, UnloadTerminatesContainedControlsFirst) {
  Strings log;
  auto outer = form->Add<Recorder>("outer", 0, 0, 3000, 3000);
  auto inner = form->Add<Recorder>("inner", 0, 0, 100, 100, outer.get());
  auto last = form->Add<Recorder>("last", 0, 0, 1500, 1500);
  for (Recorder* r : {outer.get(), inner.get(), last.get()}) r->shared = &log;
  form->Show();
  log.clear();
  form->Unload();
  EXPECT_EQ(log, (Strings{"last.Terminate", "inner.Terminate", "outer.Terminate"}));
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_FAILS_WITH(kErrInvalidCall, form->Add<Recorder>("again", 0, 0, 1, 1));
  EXPECT_FAILS_WITH(kErrInvalidCall, form->Show());
}

}  // namespace
}  // namespace lumora::testing
