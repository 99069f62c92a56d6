// ContainedControls of a container control: Count and Item(i) in placement
// order, kept exact as controls are placed and removed; a form's own list,
// names and automatic TabIndex kept the same way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(PlacedControls, NamesOrderAndTabIndexFollowPlacingAndRemoving) {
  auto form = Form::Create("ManyForm");
  std::vector<ControlPtr> labels;
  for (int i = 0; i < 40; ++i)
    labels.push_back(form->Add<Label>("Label" + std::to_string(i), 0, 0, 100, 100));
  // Most go (enough to squeeze the list), in no particular order.
  std::vector<bool> removed(40);
  for (int i = 0; i < 40; ++i) {
    if (i % 4 == 1) continue;
    removed[(i * 7) % 40] = true;
    form->Remove(*labels[(i * 7) % 40]);
  }
  std::vector<ControlPtr> kept;
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(form->Find("LABEL" + std::to_string(i)), removed[i] ? nullptr : labels[i].get());
    if (!removed[i]) kept.push_back(labels[i]);
  }
  EXPECT_EQ(form->Controls(), kept);
  // A freed name can be used again; the newcomer comes last in Tab order.
  auto again = form->Add<Label>("label0", 0, 0, 100, 100);
  EXPECT_EQ(form->Find("Label0"), again.get());
  EXPECT_EQ(again->TabIndex(), static_cast<int16_t>(kept.size()));
  form->Unload();
}

TEST(PlacedControls, TheLastAutomaticTabIndexIsNamedWhenExceeded) {
  auto form = Form::Create("FullForm");
  for (int i = 0; i <= 32767; ++i) form->Add<Label>("l" + std::to_string(i), 0, 0, 10, 10);
  try {
    form->Add<Label>("one_more", 0, 0, 10, 10);
    ADD_FAILURE() << "the control was placed";
  } catch (const Failure& f) {
    EXPECT_EQ(f.Number(), kErrInvalidPropertyValue);
    EXPECT_NE(f.Description().find("TabIndex"), std::string::npos) << f.Description();
    EXPECT_NE(f.Description().find("32767"), std::string::npos) << f.Description();
  }
  EXPECT_EQ(form->Find("one_more"), nullptr);
  form->Unload();
}

}  // namespace
}  // namespace lumora
