// The container's members: properties with their checks, saving and loading,
// the pass-through services, ScrollToControl, and late-bound access.
#include <algorithm>

#include "container_fixture.hpp"
#include "frame/about_hook.hpp"
#include "frame/binding_check.hpp"
#include "frame/connection_point.hpp"
#include "frame/event_handlers.hpp"
#include "platform/controls/menu.hpp"
#include "platform/controls/text_box.hpp"
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
  // The pixel of a point in the container, given in pixels from its corner.
  int32_t X(int32_t x) const { return sc->FormRect().left + x; }
  int32_t Y(int32_t y) const { return sc->FormRect().top + y; }
};

TEST_F(Api, PropertiesTakeZeroOrOneAndReportTheirChanges) {
  EXPECT_EQ(Props(*sc), "60 60 8000000f 1 0/0 1 1");
  EXPECT_TRUE(sc->ChangedProperties().empty());
  sc->BorderStyle(2);
  sc->Appearance(-1);
  sc->BackStyle(5);
  EXPECT_EQ(Props(*sc), "60 60 8000000f 1 0/0 1 1");
  EXPECT_TRUE(sc->ChangedProperties().empty());
  sc->BorderStyle(1);
  sc->Appearance(0);
  sc->BackStyle(0);
  sc->Enabled(false);
  sc->BackColor(Rgb(1, 2, 3));
  EXPECT_EQ(Props(*sc), "60 60 30201 0 1/1 0 0");
  EXPECT_EQ(
      sc->ChangedProperties(),
      (std::vector<std::string>{"BorderStyle", "Appearance", "BackStyle", "Enabled", "BackColor"}));
  // A colour the host refuses is still reported as changed.
  sc->ClearChangedProperties();
  sc->BackColor(0x80000077);
  EXPECT_EQ(sc->BackColor(), Rgb(1, 2, 3));
  EXPECT_EQ(sc->ChangedProperties(), std::vector<std::string>{"BackColor"});
  EXPECT_EQ(Err().Number(), kErrInvalidPropertyValue);
  // Handles are the host's.
  EXPECT_EQ(sc->hWnd(), sc->UserControl::hWnd());
  EXPECT_NE(sc->hWnd(), 0);
  EXPECT_EQ(sc->ContainerHwnd(), form->hWnd());
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
  // Defaults are left out and read back; so does an empty bag.
  sc = form->Add<ZelScrollContainer>("fresh", 0, 0, 2175, 3000);
  sc->BackColor(0);
  PropertyBag defaults;
  EXPECT_EQ(Props(*Reload(defaults)), "60 60 0 1 0/0 1 1");
  EXPECT_EQ(defaults.Count(), 0u);
  PropertyBag empty;
  auto fromEmpty = form->Add<ZelScrollContainer>("fromEmpty", 0, 0, 2175, 3000, nullptr, &empty);
  EXPECT_EQ(Props(*fromEmpty), "60 60 0 1 0/0 1 1");
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

TEST_F(Api, SurfaceEventsPassThroughAndOnlyAClickRefreshesTheBar) {
  Place(-100, 5000);
  const int32_t paints = Track().RefreshCount();
  form->MouseDown(X(60), Y(100), kLeftButton, kShiftMask);
  form->MouseMove(X(62), Y(101));
  form->MouseUp(X(62), Y(101), kLeftButton, kShiftMask);
  EXPECT_EQ(Track().RefreshCount(), paints + 1);
  form->DoubleClick(X(60), Y(100));
  EXPECT_EQ(Track().RefreshCount(), paints + 2);  // the DblClick adds nothing
  EXPECT_EQ(log->entries,
            (std::vector<std::string>{"MouseDown#3 1 1 900 1500", "MouseMove#4 1 0 930 1515",
                                      "MouseUp#5 1 1 930 1515", "Click#1",
                                      "MouseDown#3 1 0 900 1500", "MouseUp#5 1 0 900 1500",
                                      "Click#1", "DblClick#2", "MouseUp#5 1 0 900 1500"}));
  EXPECT_EQ(Tops(), std::vector<float>{-100});
  // A press on the surface leaves an armed drag alone.
  RefreshBar();
  TrackDown(100);
  form->Click(X(60), Y(100));
  TrackMove(110);
  EXPECT_EQ(Tops(), std::vector<float>{-110});
}

TEST_F(Api, PaintPictureAndPopupMenuPassTheirArgumentsOn) {
  const PicturePtr red = Picture::FromRaster(Raster(4, 3, 0xFFFF0000u));
  Variant args[] = {Variant(red), Variant(150.0f), Variant(300.0f)};
  sc->CallMethod("PaintPicture", args);
  const Raster& surface = sc->Surface();
  for (int32_t y = 19; y <= 23; ++y)
    for (int32_t x = 9; x <= 14; ++x)
      EXPECT_EQ(surface.At(x, y) == 0xFFFF0000u, x >= 10 && x < 14 && y >= 20 && y < 23)
          << x << "," << y;
  // Left out is passed on as left out: the host's defaults apply.
  sc->PaintPicture(red, 0, 0, Variant(120.0f), Missing{}, Missing{}, Missing{}, Missing{},
                   Missing{}, Missing{});
  EXPECT_EQ(RowsOf(surface, 7, 0xFFFF0000u), (std::vector<int32_t>{0, 1, 2}));  // 8 wide
  EXPECT_TRUE(RowsOf(surface, 8, 0xFFFF0000u).empty());

  auto menu = form->AddObject<Menu>("mnuContext");
  sc->PopupMenu(menu, Variant(int16_t{4}), Variant(300.0f), Variant(450.0f), Missing{});
  form->MouseMove(20, 30, 0);
  Variant menuOnly[] = {Variant(ObjectPtr(menu))};
  sc->CallMethod("PopupMenu", menuOnly);  // no flags, at the pointer
  std::vector<std::string> shown;
  for (const ShownMenu& m : form->ShownMenus())
    shown.push_back(m.control + " " + m.menu + " " + Twips({float(m.flags), m.x, m.y}));
  EXPECT_EQ(shown,
            (std::vector<std::string>{"sc mnuContext 4 300 450", "sc mnuContext 0 300 450"}));

  // Failing host calls are dropped, their error left behind.
  Err().Clear();
  sc->PaintPicture(nullptr, 0, 0, Missing{}, Missing{}, Missing{}, Missing{}, Missing{}, Missing{},
                   Missing{});
  EXPECT_EQ(Err().Number(), kErrNoObject);
  Err().Clear();
  sc->PopupMenu(ObjectPtr(sc), Missing{}, Missing{}, Missing{}, Missing{});
  EXPECT_NE(Err().Number(), 0);
  EXPECT_EQ(form->ShownMenus().size(), 2u);
}

TEST_F(Api, RefreshAndTheDefaultMemberRunTheLayout) {
  Place(60, 500);
  Place(1000, 500);
  RefreshBar();
  ASSERT_EQ(Buttons(), "N- N-");
  form->Find("c1")->Top(-700);  // the application moves the contents itself
  form->Find("c2")->Top(3500);
  int64_t yields = YieldCount();
  sc->Refresh();
  EXPECT_EQ(YieldCount(), yields + 1);
  // Both buttons were shown: greyed until the next refresh.
  EXPECT_EQ(Bar(), "N- N- | 255 2490 4820 | 700 3120");
  EXPECT_EQ(Tops(), (std::vector<float>{-700, 3500}));
  RefreshBar();
  ASSERT_EQ(Buttons(), "U+ U+");
  yields = YieldCount();
  sc->Dispatch().Invoke(*sc, kDispidValue, MemberKind::Method, {});
  EXPECT_EQ(YieldCount(), yields + 1);
  EXPECT_EQ(Buttons(), "N- N-");
}

TEST_F(Api, AboutBoxCallsTheInstalledHook) {
  auto previous = SetAboutBoxHook(nullptr);
  sc->AboutBox();  // nothing installed: nothing happens
  int shown = 0;
  SetAboutBoxHook([&] { ++shown; });
  sc->AboutBox();
  sc->Dispatch().Invoke(*sc, -552, MemberKind::Method, {});
  EXPECT_EQ(shown, 2);
  SetAboutBoxHook([] { Fail(kErrInvalidCall, "cannot show"); });
  sc->AboutBox();
  EXPECT_EQ(Err().Number(), kErrInvalidCall);
  SetAboutBoxHook(std::move(previous));
}

TEST_F(Api, LateBoundNamesReachTheInterfaceThenTheRuntime) {
  EXPECT_TRUE(BindingsMatchInterface(ZelScrollContainer::Dispatch()));
  EXPECT_EQ(DispatchTableOf(*sc), &ZelScrollContainer::Dispatch());
  EXPECT_EQ(sc->GetProperty("uppermargin"), Variant(int32_t{60}));
  sc->SetProperty("LowerMargin", Variant(int16_t{25}));
  EXPECT_EQ(sc->LowerMargin(), 25);
  EXPECT_EQ(sc->GetProperty("Enabled"), Variant(true));
  EXPECT_EQ(sc->GetProperty("hWnd"), Variant(sc->hWnd()));
  EXPECT_EQ(sc->GetProperty("Top"), Variant(0.0f));  // extender and runtime properties
  sc->SetProperty("Height", Variant(3600.0f));
  EXPECT_EQ(Down().Top(), 3345);
  EXPECT_EQ(sc->GetProperty("ScaleHeight"), Variant(3600.0f));
  sc->SetProperty("BorderStyle", Variant(int16_t{1}));
  EXPECT_EQ(sc->GetProperty("BorderStyle"), Variant(int16_t{1}));
  EXPECT_EQ(sc->GetProperty("ScaleHeight"), Variant(3540.0f));
  auto placed = form->GetProperty("sc").ToObject();  // as a script reaches it
  EXPECT_THROW(placed->CallMethod("NoSuchMember", {}), Failure);
}

TEST_F(Api, EventsCarryTheirPublishedDispidsAndParameters) {
  ConnectionPoint point(*sc, sc->Events(), ScrollContainerEvents());
  auto handlers = std::make_shared<EventHandlers>(ScrollContainerEvents());
  std::vector<std::string> seen;
  handlers->On("MouseDown", [&](int16_t& Button, int16_t& Shift, float& X, float& Y) {
    seen.push_back(Twips({float(Button), float(Shift), X, Y}));
    X = -1;  // the container does not read it back
  });
  handlers->On("Click", [&] { seen.push_back("Click"); });
  point.Advise(handlers);
  Place(100, 30000);
  RefreshBar();
  form->Click(X(60), Y(20), kLeftButton, kCtrlMask);  // beside the label
  form->MouseMove(X(60), Y(20), 0);
  form->DoubleClick(X(60), Y(20));
  ScheduleAfterYields(
      1, Message::Mouse(MessageKind::MouseUp, form, CenterX(Down()), CenterY(Down()), kLeftButton));
  form->MouseDown(CenterX(Down()), CenterY(Down()));
  EXPECT_EQ(seen, (std::vector<std::string>{"1 2 900 300", "Click", "1 0 900 300", "Click",
                                            "1 0 2100 2865", "Click"}));
  std::vector<std::string> problems;
  for (const std::string& entry : log->entries) {
    const std::string name = entry.substr(0, entry.find('#'));
    const MemberInfo* event =
        ScrollContainerEvents().FindDispid(std::stoi(entry.substr(entry.find('#') + 1)));
    if (!event || event->name != name ||
        event->params.size() != static_cast<size_t>(std::count(entry.begin(), entry.end(), ' ')))
      problems.push_back(entry);
  }
  EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
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
    ObjectPtr target = form->Find(name)->Shared();
    sc->ScrollToControl(target);
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
    for (const std::string& name : targets) To(name);
    EXPECT_EQ(Tops(), tops);
    // The bar follows the positions (and is not painted when nothing moved).
    EXPECT_EQ(Twips({Thumb().Top(), Thumb().Height()}), Twips({std::max(0.0f, -tops[0]), 3120}));
    if (tops[0] == 60) {
      EXPECT_EQ(Track().RefreshCount(), paints);
    }
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
  // Only partly below the view: up by the part below the lower margin.
  auto partly = Place(taller->Top() + 2700, 400);
  To("c7");
  EXPECT_EQ(partly->Top(), 2540);
}

TEST_F(ScrollTo, AnythingButAContainedControlChangesNothing) {
  auto elsewhere = form->Add<Label>("onForm", 0, 9000, 100, 100);
  auto other = form->Add<ZelScrollContainer>("other", 3000, 0, 2175, 3000);
  auto inOther = form->Add<Label>("inOther", 0, 9000, 100, 100, other.get());
  ObjectPtr targets[] = {nullptr,
                         elsewhere,
                         inOther,
                         form->AddObject<Menu>("mnu", sc.get()),  // contained, without Top
                         form,
                         sc,
                         sc->FindConstituent("sU")->Shared()};
  const int32_t paints = Track().RefreshCount();
  for (ObjectPtr& target : targets) sc->ScrollToControl(target);
  EXPECT_EQ(Tops(), (std::vector<float>{60, 2000, 5000, 9000}));
  EXPECT_EQ(Track().RefreshCount(), paints);
  EXPECT_EQ(inOther->Top(), 9000);
  EXPECT_EQ(elsewhere->Top(), 9000);
}

TEST_F(ScrollTo, ChangesNoPersistedPropertyAndEndsAnArmedDrag) {
  TrackDown(100);
  sc->ClearChangedProperties();
  Variant args[] = {Variant(ObjectPtr(form->Find("c3")->Shared()))};
  sc->CallMethod("ScrollToControl", args);  // late bound, by reference
  EXPECT_EQ(args[0].ToObject().get(), form->Find("c3"));
  EXPECT_TRUE(sc->ChangedProperties().empty());
  EXPECT_EQ(Props(*sc), "60 60 8000000f 1 0/0 1 1");
  TrackMove(50);  // no drag any more: nothing scrolls back
  EXPECT_EQ(Tops()[2], 2540);
}

// Tabbing through a long column, each text box calls ScrollToControl from its
// GotFocus handler, as the method's help text asks.
TEST_F(ScrollTo, EveryBoxFocusedByTabbingIsShownWhole) {
  std::vector<std::shared_ptr<TextBox>> boxes;
  for (int i = 0; i < 20; ++i) {
    auto box =
        form->Add<TextBox>("t" + std::to_string(i), 200, 100 + i * 450.0f, 1500, 375, sc.get());
    box->GotFocus.Connect([this, weak = std::weak_ptr<TextBox>(box)] {
      ObjectPtr self = weak.lock();
      sc->ScrollToControl(self);
    });
    boxes.push_back(box);
  }
  for (const char* name : {"c1", "c2", "c3", "c4"}) form->Remove(*form->Find(name));
  RefreshBar();
  boxes.front()->SetFocus();
  int visited = 0;
  for (int press = 0; press < 50 && visited < 25; ++press) {
    form->TypeKey(kKeyTab);
    auto* focused = dynamic_cast<TextBox*>(form->ActiveControl());
    if (!focused) continue;
    ++visited;
    EXPECT_GE(focused->Top(), 60) << focused->Name();
    EXPECT_LE(focused->Top() + focused->Height() + 60, sc->ScaleHeight()) << focused->Name();
    // The column keeps its spacing and the bar follows.
    EXPECT_EQ(boxes[1]->Top() - boxes[0]->Top(), 450);
    EXPECT_EQ(Thumb().Top(), std::max(0.0f, -boxes[0]->Top()));
  }
  EXPECT_GE(visited, 21);  // all the way down and round to the top again
  EXPECT_EQ(boxes[0]->Top(), 60);
}

}  // namespace
}  // namespace lumora
