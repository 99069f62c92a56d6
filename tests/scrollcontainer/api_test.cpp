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
  // The persisted properties, the host's border after the slash.
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

// Values outside 0 and 1 are refused; every change is reported and saved, the defaults are left
// out of the bag and read back, and a bad value in a bag leaves its field as it was (margins never
// set stay 0; values read back skip the setters' check, and the host refuses what it cannot show).
TEST_F(Api, PropertiesTakeZeroOrOneAndSavingAndLoadingKeepsEveryValue) {
  sc->BorderStyle(2);
  sc->Appearance(-1);
  sc->BackStyle(5);
  EXPECT_EQ(Props(*sc), "60 60 8000000f 1 0/0 1 1");
  EXPECT_TRUE(sc->ChangedProperties().empty());
  sc->UpperMargin(15);
  sc->LowerMargin(-40);
  sc->BackColor(Rgb(1, 2, 3));
  sc->Appearance(0);
  sc->BorderStyle(1);
  sc->BackStyle(0);
  sc->Enabled(false);
  const std::vector<std::string> names = {"UpperMargin", "LowerMargin", "BackColor", "Appearance",
                                          "BorderStyle", "BackStyle",   "Enabled"};
  EXPECT_EQ(sc->ChangedProperties(), names);
  PropertyBag bag;
  auto copy = Reload(bag);
  EXPECT_EQ(bag.Keys(), names);
  EXPECT_EQ(Props(*copy), "15 -40 30201 0 1/1 0 0");
  EXPECT_TRUE(copy->ChangedProperties().empty());
  EXPECT_TRUE(sc->ChangedProperties().empty());  // saved
  form->Remove(*copy);
  sc = form->Add<ZelScrollContainer>("fresh", 0, 0, 2175, 3000);
  sc->BackColor(0);
  PropertyBag defaults;
  EXPECT_EQ(Props(*Reload(defaults)), "60 60 0 1 0/0 1 1");
  EXPECT_EQ(defaults.Count(), 0u);
  PropertyBag bad;
  bad.WriteProperty("UpperMargin", "many");
  bad.WriteProperty("LowerMargin", 1e12);
  bad.WriteProperty("BackColor", "red");
  bad.WriteProperty("BorderStyle", int16_t{3});
  bad.WriteProperty("BackStyle", int16_t{0}, int16_t{1});
  auto loaded = form->Add<ZelScrollContainer>("bad", 0, 0, 2175, 3000, nullptr, &bad);
  EXPECT_EQ(Props(*loaded), "0 0 8000000f 1 3/0 0 1");
}

// Late-bound names reach the container's own members (bound as the published interface says)
// first, then the runtime's; PopupMenu is passed on with its arguments.
TEST_F(Api, LateBoundNamesAndPopupMenuReachTheContainerThenTheRuntime) {
  EXPECT_TRUE(BindingsMatchInterface(ZelScrollContainer::Dispatch()));
  EXPECT_EQ(sc->GetProperty("uppermargin"), Variant(int32_t{60}));
  sc->SetProperty("LowerMargin", Variant(int16_t{25}));
  EXPECT_EQ(sc->LowerMargin(), 25);
  sc->SetProperty("Height", Variant(3600.0f));
  EXPECT_EQ(Down().Top(), 3345);
  sc->PopupMenu(form->AddObject<Menu>("mnu"), Variant(int16_t{4}), Variant(300.0f), Variant(450.0f),
                Missing{});
  const ShownMenu& m = form->ShownMenus().at(0);
  EXPECT_EQ(std::tuple(m.control, m.menu, m.flags, m.x, m.y), std::tuple("sc", "mnu", 4, 300, 450));
}

// ScrollToControl over c1 at the upper margin, c2 in view, c3 below the view
// and c4 hidden far below: the least movement that shows the control within
// the margins. The bar follows; a drag armed before is over, as the thumb has
// left the pointer; a control in view moves nothing and paints nothing.
TEST_F(Api, ScrollToControlMovesTheLeastThatShowsTheControlWithinTheMargins) {
  Place(60, 500);
  Place(2000, 500);
  Place(5000, 400);
  Place(9000, 300, false);
  RefreshBar();
  const auto to = [this](const char* name) {
    Variant target[] = {Variant(ObjectPtr(form->Find(name)->Shared()))};
    sc->CallMethod("ScrollToControl", target);
  };
  TrackDown(100);
  to("c3");  // 5400 + 60 comes up to 3000
  EXPECT_EQ(Twips({Thumb().Top(), Thumb().Height()}), "2400 3120");
  TrackMove(50);
  EXPECT_EQ(Tops(), (std::vector<float>{-2400, -460, 2540, 6540}));
  to("c2");  // -460 comes down to 60
  EXPECT_EQ(Tops(), (std::vector<float>{-1880, 60, 3060, 7060}));
  int32_t paints = Track().RefreshCount();
  to("c2");
  EXPECT_EQ(std::pair(Tops(), Track().RefreshCount()),
            std::pair(std::vector<float>{-1880, 60, 3060, 7060}, paints));
  // Too tall for the view with both margins: aligned at its top. Partly below:
  // up by what lies beyond the lower margin.
  auto tall = Place(4000, 2900);
  to("c5");
  EXPECT_EQ(tall->Top(), 60);
  auto taller = Place(-5000, 4000);
  to("c6");
  EXPECT_EQ(std::pair(taller->Top(), tall->Top()), std::pair(60.0f, 5120.0f));
  auto partly = Place(taller->Top() + 2700, 400);
  to("c7");
  EXPECT_EQ(partly->Top(), 2540);
  auto inView = Place(2600, 380);  // in view, yet not its lower margin
  to("c8");
  EXPECT_EQ(inView->Top(), 2560);
  // Nothing, controls elsewhere, a contained object without Top, the form, the
  // container itself and one of its constituents change nothing.
  auto elsewhere = form->Add<Label>("onForm", 0, 9000, 100, 100);
  auto other = form->Add<ZelScrollContainer>("other", 3000, 0, 2175, 3000);
  auto inOther = form->Add<Label>("inOther", 0, 9000, 100, 100, other.get());
  ObjectPtr targets[] = {nullptr, elsewhere, inOther,      form->AddObject<Menu>("mnu", sc.get()),
                         form,    sc,        Up().Shared()};
  const std::vector<float> tops = Tops();
  paints = Track().RefreshCount();
  for (ObjectPtr& target : targets) sc->ScrollToControl(target);
  EXPECT_EQ(std::tuple(Tops(), Track().RefreshCount(), inOther->Top(), elsewhere->Top()),
            std::tuple(tops, paints, 9000.0f, 9000.0f));
}

}  // namespace
}  // namespace lumora
