// ContainedControls of a container control: Count and Item(i) in placement
// order, kept exact as controls are placed and removed.
#include <gtest/gtest.h>

#include "platform/controls/label.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"

namespace lumora {
namespace {

class Holder : public UserControl {
 public:
  Holder() : UserControl("Holder", ScaleUnit::Twips, true) {}
};

TEST(ContainedControls, FollowPlacingAndRemoving) {
  auto form = Form::Create("ContainedForm");
  auto holder = form->Add<Holder>("h", 0, 0, 3000, 3000);
  auto a = form->Add<Label>("a", 0, 0, 100, 100, holder.get());
  auto b = form->Add<Label>("b", 0, 200, 100, 100, holder.get());
  auto c = form->Add<Label>("c", 0, 400, 100, 100, holder.get());
  ContainedControlsCollection& cc = holder->ContainedControls();
  ASSERT_EQ(cc.Count(), 3);
  EXPECT_EQ(cc.Item(1), b);

  form->Remove(*b);
  EXPECT_EQ(cc.Count(), 2);
  EXPECT_EQ(cc.Item(0), a);
  EXPECT_EQ(cc.Item(1), c);
  EXPECT_EQ(holder->ContainedAt(2), nullptr);
  try {
    cc.Item(2);
    ADD_FAILURE() << "Item(2) did not fail";
  } catch (const Failure& f) {
    EXPECT_EQ(f.Number(), 9);
  }
  // A removed control that is still alive is no longer counted.
  EXPECT_EQ(b->GetContainer(), nullptr);
  EXPECT_EQ(holder->ContainedList().size(), 2u);
  form->Unload();
  EXPECT_EQ(holder->ContainedCount(), 0);
}

}  // namespace
}  // namespace lumora
