// Properties, the picture assignment and the lifecycle; the persisted form (what a save
// stores under which key, what a load does with each key, also one missing or of the wrong
// type); the picture services (the shown size and image, saving it); and the control as a
// late-bound client reaches it: by name and by DISPID, events to dispatch sinks.
#include <set>

#include "frame/binding_check.hpp"
#include "piczoom_fixture.hpp"
#include "platform/file_io.hpp"
#include "platform/property_bag.hpp"

namespace lumora::testing {
namespace {

using State = PicZoomTest;
using Services = PicZoomTest;
class Persistence : public PicZoomTest {
 protected:
  PropertyBag Saved(ZelPicZoom& z) {
    PropertyBag bag;
    form->SaveControl(z, bag);
    return bag;
  }
  // A control loaded from `bag`, at a free place on the form.
  std::shared_ptr<ZelPicZoom> Loaded(PropertyBag bag) {
    m_Bags.push_back(std::make_unique<PropertyBag>(std::move(bag)));
    return Place(200, 150, 210, 0, m_Bags.back().get());
  }
  std::vector<std::unique_ptr<PropertyBag>> m_Bags;
};

// BackColor is stored twice, the picture surface's first: the control's own
// wins. Enabled pairs a True value with an empty default.
TEST_F(Persistence, EveryPropertyMakesTheRoundTripThroughTheJsonText) {
  auto z = Place(200, 150);
  EXPECT_EQ(Saved(*z).Keys(), (std::vector<std::string>{"Enabled"}));  // the rest are defaults
  z->Appearance(0);
  z->BackColor(0x00336699u);
  Pic(*z).BackColor(0x00445566u);
  z->BarsWidth(20);
  z->BorderStyle(1);
  z->MouseScrolling(false);
  z->ScrollBars(sbNone);
  z->Picture(PatternPicture(90, 60));
  z->MouseIcon(SolidPicture(16, 16, 0xFF00FF00u));
  z->MouseScrollingIcon(SolidPicture(16, 16, 0xFFFF00FFu));
  auto loaded = Loaded(PropertyBag::FromJsonText(Saved(*z).ToJsonText()));
  EXPECT_EQ(std::tuple(loaded->Appearance(), loaded->BackColor(), Pic(*loaded).BackColor(),
                       loaded->BorderStyle(), loaded->MouseScrolling(), loaded->ScrollBars(),
                       loaded->Enabled()),
            std::tuple(int16_t{0}, 0x00336699u, 0x00336699u, int16_t{1}, false, sbNone, true));
  EXPECT_EQ(loaded->MouseIcon()->Pixels(), z->MouseIcon()->Pixels());
  EXPECT_EQ(loaded->MouseScrollingIcon()->Pixels(), z->MouseScrollingIcon()->Pixels());
  EXPECT_EQ(loaded->Picture()->Pixels(), z->Picture()->Pixels());
  EXPECT_EQ(HBar(*loaded).Height(), 20);
  EXPECT_FALSE(Loaded(PropertyBag())->Enabled());  // an absent key reads as False
  z->Enabled(false);
  EXPECT_FALSE(Loaded(Saved(*z))->Enabled());
}

// A stored BarsWidth below the bound is kept, and with no BorderStyle stored
// there is no border; a value of the wrong type is skipped.
TEST_F(Persistence, StoredValuesAreLoadedAsTheyAre) {
  PropertyBag narrow;
  narrow.WriteProperty("BarsWidth", int16_t{5}, int16_t{13});
  narrow.WriteProperty("Picture", Variant(SolidPicture(400, 300)));
  const CommandButton& b = Button(*Loaded(narrow));
  EXPECT_EQ((std::vector<float>{b.Left(), b.Top(), b.Width()}), (std::vector<float>{195, 145, 5}));
  PropertyBag wrong;
  wrong.WriteProperty("BarsWidth", "wide");
  EXPECT_EQ(Loaded(wrong)->BarsWidth(), 0);  // the field keeps its creation value
}

// The picture's layout during the load restores the stored pointer, not the
// one of before the load; with an icon stored, the custom one with it.
TEST_F(Persistence, LoadingKeepsTheStoredPointer) {
  PropertyBag plain;
  plain.WriteProperty("MousePointer", int16_t{5});
  plain.WriteProperty("Picture", Variant(SolidPicture(40, 30)));
  auto z = Loaded(plain);
  EXPECT_EQ(z->MousePointer(), 5);
  EXPECT_EQ(Saved(*z).ReadProperty("MousePointer"), Variant(int16_t{5}));
  PropertyBag withIcon;
  withIcon.WriteProperty("MousePointer", int16_t{2});
  withIcon.WriteProperty("MouseIcon", Variant(SolidPicture(16, 16, 0xFF00FF00u)));
  z = Loaded(withIcon);
  EXPECT_EQ(z->MousePointer(), mpCustom);
  EXPECT_EQ(z->MouseIcon(), withIcon.ReadProperty("MouseIcon").ToPicture());
  // A large picture: the load's layout offers the scrolling pointer (its icon from the host's
  // Resize after the load); once the picture comes to fit, the stored pointer is back.
  PropertyBag large;
  large.WriteProperty("Picture", Variant(SolidPicture(400, 300)));
  large.WriteProperty("MouseScrollingIcon", Variant(SolidPicture(16, 16, 0xFFFF00FFu)));
  z = Loaded(large);
  EXPECT_EQ(z->MousePointer(), mpCustom);
  EXPECT_EQ(z->MouseIcon(), large.ReadProperty("MouseScrollingIcon").ToPicture());
  z->Picture(SolidPicture(50, 50));
  EXPECT_EQ(z->MousePointer(), mpDefault);
}

bool Marked(const ZelPicZoom& z, std::string_view name) {
  return std::ranges::find(z.ChangedProperties(), name) != z.ChangedProperties().end();
}

TEST_F(State, PropertiesCheckTheirValuesAndMarkThemselvesChanged) {
  auto z = Place(200, 150);
  // The constituents take the focus in this order.
  EXPECT_EQ(std::vector<int>({Pic(*z).TabIndex(), HBar(*z).TabIndex(), VBar(*z).TabIndex(),
                              Button(*z).TabIndex()}),
            std::vector<int>({0, 1, 2, 3}));
  for (auto [given, stored] : {std::pair<int16_t, int16_t>{5, 13}, {13, 13}, {14, 14}, {-3, 13}}) {
    z->ClearChangedProperties();
    z->BarsWidth(given);
    EXPECT_EQ(z->BarsWidth(), stored) << given;
    EXPECT_TRUE(Marked(*z, "BarsWidth"));
  }
  // Appearance and BorderStyle take only 0 and 1.
  z->ClearChangedProperties();
  for (int16_t bad : {int16_t{2}, int16_t{-1}}) z->Appearance(bad), z->BorderStyle(bad);
  EXPECT_EQ(std::pair(z->Appearance(), z->BorderStyle()), (std::pair<int16_t, int16_t>(1, 0)));
  EXPECT_TRUE(z->ChangedProperties().empty());
  z->BorderStyle(1);
  z->Appearance(0);
  EXPECT_EQ(std::pair(z->Appearance(), z->BorderStyle()), (std::pair<int16_t, int16_t>(0, 1)));
  z->BorderStyle(0);
  EXPECT_EQ(z->BorderStyle(), 0);
  // BackColor goes to the picture surface too.
  z->BackColor(0x00123456u);
  EXPECT_EQ(Pic(*z).BackColor(), 0x00123456u);
  z->MouseIcon(SolidPicture(8, 8));
  z->MousePointer(static_cast<PointerShape>(2));
  z->Enabled(false);
  for (std::string_view name :
       {"BorderStyle", "Appearance", "BackColor", "MouseIcon", "MousePointer", "Enabled"})
    EXPECT_TRUE(Marked(*z, name)) << name;
}

// The event comes with the picture hidden, before the zoom is reset; removing
// the control clears the picture through the assignment.
TEST_F(State, ThePictureAssignmentRaisesItsEventBeforeTheLayout) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(100, 100));
  z->ZoomIn();
  bool hidden = false;
  onEvent = [&](std::string_view, std::span<Variant>) { hidden = !Pic(*z).Visible(); };
  z->ClearChangedProperties();
  z->Picture(PatternPicture(400, 100));
  EXPECT_TRUE(hidden);
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{100}));
  EXPECT_TRUE(Marked(*z, "Picture"));
  events.clear();
  form->Remove(*z);
  EXPECT_EQ(Count("PictureSizeChanged"), 1);
  EXPECT_EQ(z->Picture(), nullptr);
}

// Size and image are of the picture as shown, and SaveTo writes it under
// exactly the path given; late-bound names outside the control reach the
// extender.
TEST_F(Services, TheShownPictureServesLateBoundCallsAndIsSaved) {
  EXPECT_TRUE(BindingsMatchInterface(ZelPicZoom::Dispatch()));
  ScratchDir dir;
  auto z = Place(200, 150);
  EXPECT_EQ(z->PictureSize().psWidth + z->PictureSize().psHeight, 0);  // picScroll is 200 wide
  z->SetProperty("barswidth", Variant(int16_t{20}));
  EXPECT_EQ(HBar(*z).Height(), 20);
  z->SetProperty("Picture", Variant(PatternPicture(333, 250)));
  z->CallMethod("ZoomIn", {});
  EXPECT_EQ(z->GetProperty("PictureSize").ToObject()->GetProperty("psWidth"), Variant(416.0f));
  EXPECT_EQ(z->PictureSize().psHeight, 312);
  const PicturePtr image = z->Image();
  EXPECT_EQ(image->Pixels(), Pic(*z).ShownImage()->Whole());
  std::string path = dir / "shown.gif";
  z->SaveTo(path);
  EXPECT_EQ(LoadPictureFile(path)->Pixels(), image->Pixels());
  EXPECT_EQ(z->GetProperty("Left"), Variant(0.0f));
  z->SetProperty("Top", Variant(int32_t{150}));
  EXPECT_EQ(z->Control::Top(), 150);
}

TEST_F(Services, EveryEventIsRaisedAsItsInterfaceDeclaresIt) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(400, 300));  // PictureSizeChanged, PictureScrolled
  form->Click(100, 80);                // MouseDown, MouseUp, Click
  form->DoubleClick(100, 80);          // DblClick
  form->MouseMove(101, 80, 0);         // MouseMove
  ScheduleAfterYields(1, Message::Key(MessageKind::KeyUp, form, kKeyRight));
  form->KeyDown(kKeyRight);  // KeyDown, KeyUp
  form->KeyPress('a');       // KeyPress
  form->Click(190, 140);     // ButtonClick
  const InterfaceInfo& iface = PicZoomEvents();
  std::set<std::string> raised;
  for (const LoggedEvent& e : events) {
    const MemberInfo* declared = iface.FindDispid(e.dispid);
    ASSERT_NE(declared, nullptr) << e.name;
    EXPECT_EQ(declared->name, e.name);
    ASSERT_EQ(e.args.size(), declared->params.size()) << e.name;
    for (size_t i = 0; i < e.args.size(); ++i) {
      const bool integer = declared->params[i].type.code == TypeCode::Int16;
      EXPECT_EQ(e.args[i].GetKind(), integer ? Variant::Kind::Integer : Variant::Kind::Single)
          << e.name << " argument " << i;
    }
    raised.insert(e.name);
  }
  EXPECT_EQ(raised.size(), iface.members.size());  // all 11
}

}  // namespace
}  // namespace lumora::testing
