// Properties, the picture assignment, the lifecycle and the zoom position
// that every instance on the thread shares.
#include "piczoom_fixture.hpp"

namespace lumora::testing {
namespace {

using State = PicZoomTest;

bool Marked(const ZelPicZoom& z, std::string_view name) {
  return std::ranges::find(z.ChangedProperties(), name) != z.ChangedProperties().end();
}

TEST_F(State, ANewInstanceStartsWithItsDefaults) {
  auto z = Place(200, 150);
  EXPECT_EQ(z->BarsWidth(), 13);
  EXPECT_TRUE(z->MouseScrolling());
  EXPECT_EQ(z->ScrollBars(), sbAutomatic);
  EXPECT_EQ(z->Appearance(), 1);
  EXPECT_EQ(z->BorderStyle(), 0);
  EXPECT_TRUE(z->Enabled());
  // The constituents take the focus in this order (the others are hidden).
  std::vector<std::string> order;
  for (Control* c : form->TabOrder()) order.push_back(c->Name());
  EXPECT_EQ(order, (std::vector<std::string>{"picScroll"}));
  EXPECT_EQ(std::vector<int>({Pic(*z).TabIndex(), HBar(*z).TabIndex(), VBar(*z).TabIndex(),
                              Button(*z).TabIndex()}),
            std::vector<int>({0, 1, 2, 3}));
}

TEST_F(State, PropertiesCheckTheirValuesAndMarkThemselvesChanged) {
  auto z = Place(200, 150);
  for (auto [given, stored] : {std::pair<int16_t, int16_t>{5, 13}, {13, 13}, {14, 14}, {-3, 13}}) {
    z->ClearChangedProperties();
    z->BarsWidth(given);
    EXPECT_EQ(z->BarsWidth(), stored) << given;
    EXPECT_TRUE(Marked(*z, "BarsWidth"));
  }
  EXPECT_EQ(HBar(*z).Height(), 13);  // the layout ran with the new width
  // Appearance and BorderStyle take only 0 and 1.
  z->ClearChangedProperties();
  for (int16_t bad : {int16_t{2}, int16_t{-1}}) z->Appearance(bad), z->BorderStyle(bad);
  EXPECT_EQ(z->Appearance(), 1);
  EXPECT_EQ(z->BorderStyle(), 0);
  EXPECT_TRUE(z->ChangedProperties().empty());
  z->BorderStyle(1);
  EXPECT_EQ(z->BorderStyle(), 1);
  EXPECT_EQ(z->ScaleWidth(), 196);  // a 3D border of two pixels each side
  z->Appearance(0);
  EXPECT_EQ(z->Appearance(), 0);
  EXPECT_TRUE(Marked(*z, "BorderStyle") && Marked(*z, "Appearance"));
  // BackColor goes to the picture surface too; a colour the runtime refuses
  // leaves both as they were, and the caller still sees success.
  z->BackColor(0x00123456u);
  z->BackColor(0x800000FFu);
  EXPECT_EQ(z->BackColor(), 0x00123456u);
  EXPECT_EQ(Pic(*z).BackColor(), 0x00123456u);
  EXPECT_TRUE(Marked(*z, "BackColor"));
  // MousePointer is the surface's; outside 16 bits it is unchanged, but
  // marked changed all the same.
  z->MousePointer(static_cast<PointerShape>(2));
  EXPECT_EQ(Pic(*z).MousePointer(), 2);
  z->ClearChangedProperties();
  z->MousePointer(static_cast<PointerShape>(70000));
  EXPECT_EQ(z->MousePointer(), 2);
  EXPECT_EQ(z->ChangedProperties(), (std::vector<std::string>{"MousePointer"}));
  const PicturePtr icon = SolidPicture(8, 8);
  z->MouseIcon(icon);
  EXPECT_EQ(Pic(*z).MouseIcon(), icon);
  EXPECT_TRUE(Marked(*z, "MouseIcon"));
  // Enabled is the host object's; a picture assigned to a disabled control
  // cannot give picScroll the focus, and the assignment still completes.
  z->BorderStyle(0);
  z->Enabled(false);
  EXPECT_FALSE(z->Control::Enabled());
  EXPECT_TRUE(Marked(*z, "Enabled"));
  z->Picture(SolidPicture(400, 300));
  EXPECT_EQ(HBar(*z).Max(), 400 - 187);
  EXPECT_FALSE(Pic(*z).HasFocus());
}

TEST_F(State, ThePictureAssignmentRaisesItsEventBeforeTheLayout) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(100, 100));
  z->ZoomIn();
  bool hidden = false;
  Variant percent;
  float widthAtEvent = 0, leftAtEvent = 0;
  onEvent = [&](std::string_view name, std::span<Variant>) {
    if (name != "PictureSizeChanged") return;
    hidden = !Pic(*z).Visible();
    percent = z->ZoomPercent();
    widthAtEvent = Pic(*z).Width();
    leftAtEvent = Pic(*z).Left();
  };
  events.clear();
  z->ClearChangedProperties();
  const PicturePtr picture = PatternPicture(400, 100);
  z->Picture(picture);
  EXPECT_TRUE(hidden);
  EXPECT_EQ(percent, Variant(uint8_t{125}));  // the reset comes after the event
  EXPECT_EQ(widthAtEvent, 400);               // the new picture's size
  EXPECT_EQ(leftAtEvent, 38);                 // but not laid out yet
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{100}));
  EXPECT_EQ(z->Picture(), picture);
  EXPECT_TRUE(Pic(*z).HasFocus());
  EXPECT_EQ(z->ChangedProperties().front(), "Picture");
  EXPECT_EQ(Names().front(), "PictureSizeChanged");
  // The same picture again: the event, the reset and a fresh layout.
  z->ZoomIn();
  HBar(*z).Value(0);
  events.clear();
  z->Picture(picture);
  EXPECT_EQ(Count("PictureSizeChanged"), 1);
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{100}));
  EXPECT_EQ(HBar(*z).Value(), 100);
  EXPECT_EQ(Pic(*z).Width(), 400);  // the natural size again, not the zoomed one
  // Removing the control clears the picture through the assignment.
  events.clear();
  form->Remove(*z);
  EXPECT_EQ(Names(), (std::vector<std::string>{"PictureSizeChanged"}));
  EXPECT_EQ(z->Picture(), nullptr);
}

TEST_F(State, InstancesOnAThreadShareTheZoomPosition) {
  auto first = Place(200, 150);
  auto second = Place(200, 150, 210, 0);
  first->Picture(SolidPicture(100, 80));
  second->Picture(SolidPicture(40, 20));
  first->ZoomIn();
  second->ZoomIn();  // steps on from 125 %, to 150 % of its own natural size
  EXPECT_EQ(first->ZoomPercent(), Variant(uint8_t{150}));
  EXPECT_EQ(Pic(*second).Width(), 60);
  EXPECT_EQ(Pic(*second).Height(), 30);
  EXPECT_EQ(Pic(*first).Width(), 125);  // the first keeps what it showed
  // Assigning a picture to either resets the shared position, and so does
  // creating another instance.
  second->Picture(SolidPicture(40, 20));
  EXPECT_EQ(first->ZoomPercent(), Variant(uint8_t{100}));
  first->ZoomIn();
  Place(100, 100, 420, 0);
  EXPECT_EQ(second->ZoomPercent(), Variant(uint8_t{100}));
}

}  // namespace
}  // namespace lumora::testing
