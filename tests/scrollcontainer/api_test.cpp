// The container's members: properties with their checks, saving and loading,
// the pass-through services, ScrollToControl, and late-bound access.
#include <algorithm>

#include "container_fixture.hpp"
#include "frame/binding_check.hpp"
#include "platform/controls/menu.hpp"
#include "platform/property_bag.hpp"

namespace lumora {
namespace {

class Api : public ContainerTest {
 protected:
  void SetUp() override { Make(2175, 3000); }
  // The persisted properties: margins, BackColor, Appearance, BorderStyle
  // (with the host's border after the slash), BackStyle, Enabled.
  static std::string Props(const ZelScrollContainer& c) {
    char text[96];
    std::snprintf(text, sizeof text, "%d %d %x %d %d/%d %d %d", c.UpperMargin(), c.LowerMargin(),
                  c.BackColor(), c.Appearance(), c.BorderStyle(), c.UserControl::BorderStyle(),
                  c.BackStyle(), c.Enabled());
    return text;
  }
  // Saves the container and loads it, through a form file's text, into a new one.
  std::shared_ptr<ZelScrollContainer> Reload(PropertyBag& bag) {
    form->SaveControl(*sc, bag);
    PropertyBag loaded = PropertyBag::FromJsonText(bag.ToJsonText());
    return form->Add<ZelScrollContainer>("copy", 0, 0, 2175, 3000, nullptr, &loaded);
  }
};

TEST_F(Api, PropertiesTakeZeroOrOneAndReportTheirChanges) {
  sc->BorderStyle(2);
  sc->Appearance(-1);
  sc->BackStyle(5);
  EXPECT_EQ(Props(*sc), "60 60 8000000f 1 0/0 1 1");
  EXPECT_TRUE(sc->ChangedProperties().empty());
  sc->BackColor(0x80000077);  // refused by the host, reported all the same
  EXPECT_EQ(Err().Number(), kErrInvalidPropertyValue);
  sc->BorderStyle(1);
  sc->Appearance(0);
  sc->BackStyle(0);
  sc->Enabled(false);
  sc->BackColor(Rgb(1, 2, 3));
  EXPECT_EQ(Props(*sc), "60 60 30201 0 1/1 0 0");
  EXPECT_EQ(
      sc->ChangedProperties(),
      (std::vector<std::string>{"BackColor", "BorderStyle", "Appearance", "BackStyle", "Enabled"}));
}

TEST_F(Api, SavingAndLoadingKeepsEveryValueAndLeavesOutDefaults) {
  sc->UpperMargin(15);
  sc->LowerMargin(-40);
  sc->BackColor(0x8000000F);
  sc->Appearance(0);
  sc->BorderStyle(1);
  sc->BackStyle(0);
  sc->Enabled(false);
  PropertyBag bag;
  auto copy = Reload(bag);
  EXPECT_EQ(bag.Keys(),
            (std::vector<std::string>{"UpperMargin", "LowerMargin", "BackColor", "Appearance",
                                      "BorderStyle", "BackStyle", "Enabled"}));
  EXPECT_EQ(Props(*copy), "15 -40 8000000f 0 1/1 0 0");
  EXPECT_TRUE(copy->ChangedProperties().empty());
  EXPECT_TRUE(sc->ChangedProperties().empty());  // saved
  form->Remove(*copy);
  // Defaults are left out and read back.
  sc = form->Add<ZelScrollContainer>("fresh", 0, 0, 2175, 3000);
  sc->BackColor(0);
  PropertyBag defaults;
  EXPECT_EQ(Props(*Reload(defaults)), "60 60 0 1 0/0 1 1");
  EXPECT_EQ(defaults.Count(), 0u);
}

TEST_F(Api, BadBagValuesLeaveTheirFieldAndTheRestLoads) {
  PropertyBag bag;
  bag.WriteProperty("UpperMargin", "many");
  bag.WriteProperty("LowerMargin", 1e12);
  bag.WriteProperty("BackColor", "red");
  bag.WriteProperty("Appearance", int16_t{7});
  bag.WriteProperty("BorderStyle", int16_t{3});
  bag.WriteProperty("BackStyle", int16_t{0}, int16_t{1});
  bag.WriteProperty("Enabled", "maybe");
  auto loaded = form->Add<ZelScrollContainer>("bad", 0, 0, 2175, 3000, nullptr, &bag);
  // Margins never set stay 0; values read back skip the writes' check, and
  // the host refuses what it cannot show.
  EXPECT_EQ(Props(*loaded), "0 0 8000000f 1 3/0 0 1");
  EXPECT_TRUE(loaded->ChangedProperties().empty());
}

TEST_F(Api, LateBoundNamesReachTheInterfaceThenTheRuntime) {
  EXPECT_TRUE(BindingsMatchInterface(ZelScrollContainer::Dispatch()));
  EXPECT_EQ(DispatchTableOf(*sc), &ZelScrollContainer::Dispatch());
  EXPECT_EQ(sc->GetProperty("uppermargin"), Variant(int32_t{60}));
  sc->SetProperty("LowerMargin", Variant(int16_t{25}));
  EXPECT_EQ(sc->LowerMargin(), 25);
  EXPECT_EQ(sc->GetProperty("Top"), Variant(0.0f));  // extender and runtime properties
  sc->SetProperty("Height", Variant(3600.0f));
  EXPECT_EQ(Down().Top(), 3345);
  sc->SetProperty("BorderStyle", Variant(int16_t{1}));
  EXPECT_EQ(std::tuple(sc->GetProperty("BorderStyle"), sc->GetProperty("ScaleHeight")),
            std::tuple(Variant(int16_t{1}), Variant(3540.0f)));
  auto placed = form->GetProperty("sc").ToObject();  // as a script reaches it
  EXPECT_THROW(placed->CallMethod("NoSuchMember", {}), Failure);
}

TEST_F(Api, PopupMenuPassesItsArgumentsOn) {
  auto menu = form->AddObject<Menu>("mnuContext");
  sc->PopupMenu(menu, Variant(int16_t{4}), Variant(300.0f), Variant(450.0f), Missing{});
  ASSERT_EQ(form->ShownMenus().size(), 1u);
  const ShownMenu& m = form->ShownMenus()[0];
  EXPECT_EQ(std::tuple(m.control, m.menu, m.flags, m.x, m.y),
            std::tuple("sc", "mnuContext", 4, 300, 450));
}

// ScrollToControl over c1 at the upper margin, c2 in view, c3 below the view
// and c4 hidden far below.
class ScrollTo : public Api {
 protected:
  void SetUp() override {
    Api::SetUp();
    Place(60, 500);
    Place(2000, 500);
    Place(5000, 400);
    Place(9000, 300, false);
    RefreshBar();
  }
  void To(const std::string& name) {
    Variant target[] = {Variant(ObjectPtr(form->Find(name)->Shared()))};
    sc->CallMethod("ScrollToControl", target);
  }
};

TEST_F(ScrollTo, TheLeastMovementThatShowsTheControlWithinTheMargins) {
  const std::pair<std::vector<std::string>, std::vector<float>> cases[] = {
      {{"c3"}, {-2400, -460, 2540, 6540}},      // 5400 + 60 comes up to 3000
      {{"c3", "c2"}, {-1880, 60, 3060, 7060}},  // -460 comes down to 60
      {{"c1", "c2"}, {60, 2000, 5000, 9000}},   // in view: nothing moves
      {{"c4"}, {-6300, -4360, -1360, 2640}},    // hidden, yet shown too
  };
  for (const auto& [targets, tops] : cases) {
    SCOPED_TRACE(::testing::PrintToString(targets));
    Fresh();
    SetUp();
    const int32_t paints = Track().RefreshCount();
    TrackDown(100);
    for (const std::string& name : targets) To(name);
    EXPECT_EQ(Tops(), tops);
    // The bar follows the positions (and is not painted when nothing moved).
    EXPECT_EQ(Twips({Thumb().Top(), Thumb().Height()}), Twips({std::max(0.0f, -tops[0]), 3120}));
    if (tops[0] == 60) {
      EXPECT_EQ(Track().RefreshCount(), paints);
    }
    // The thumb has left the pointer: the drag armed before is over.
    TrackMove(50);
    EXPECT_EQ(Tops(), tops);
  }
}

TEST_F(ScrollTo, ATallControlIsAlignedAtItsTop) {
  auto tall = Place(4000, 2900);  // fits the view, not with both margins
  To("c5");
  EXPECT_EQ(tall->Top(), 60);
  auto taller = Place(-5000, 4000);
  To("c6");
  EXPECT_EQ(taller->Top(), 60);
  EXPECT_EQ(tall->Top(), 5120);
  // Only partly below the view: up by what lies beyond the lower margin.
  auto partly = Place(taller->Top() + 2700, 400);
  To("c7");
  EXPECT_EQ(partly->Top(), 2540);
  auto inView = Place(2600, 380);  // in view, yet not its lower margin
  To("c8");
  EXPECT_EQ(inView->Top(), 2560);
}

TEST_F(ScrollTo, AnythingButAContainedControlChangesNothing) {
  auto elsewhere = form->Add<Label>("onForm", 0, 9000, 100, 100);
  auto other = form->Add<ZelScrollContainer>("other", 3000, 0, 2175, 3000);
  auto inOther = form->Add<Label>("inOther", 0, 9000, 100, 100, other.get());
  // Nothing, controls elsewhere, a contained object without Top, the form,
  // the container itself and one of its constituents.
  auto menu = form->AddObject<Menu>("mnu", sc.get());
  ObjectPtr targets[] = {nullptr, elsewhere, inOther, menu, form, sc, Up().Shared()};
  const int32_t paints = Track().RefreshCount();
  for (ObjectPtr& target : targets) sc->ScrollToControl(target);
  EXPECT_EQ(std::tuple(Tops(), Track().RefreshCount(), inOther->Top(), elsewhere->Top()),
            std::tuple(std::vector<float>{60, 2000, 5000, 9000}, paints, 9000.0f, 9000.0f));
}

}  // namespace
}  // namespace lumora
