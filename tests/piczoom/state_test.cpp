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
  EXPECT_EQ(std::tuple(z->BarsWidth(), z->MouseScrolling(), z->ScrollBars(), z->Appearance(),
                       z->BorderStyle(), z->Enabled()),
            std::tuple(int16_t{13}, true, sbAutomatic, int16_t{1}, int16_t{0}, true));
  // The constituents take the focus in this order.
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
  // Appearance and BorderStyle take only 0 and 1.
  z->ClearChangedProperties();
  for (int16_t bad : {int16_t{2}, int16_t{-1}}) z->Appearance(bad), z->BorderStyle(bad);
  EXPECT_EQ(std::pair(z->Appearance(), z->BorderStyle()), (std::pair<int16_t, int16_t>(1, 0)));
  EXPECT_TRUE(z->ChangedProperties().empty());
  z->BorderStyle(1);
  z->Appearance(0);
  EXPECT_EQ(std::pair(z->Appearance(), z->BorderStyle()), (std::pair<int16_t, int16_t>(0, 1)));
  EXPECT_TRUE(Marked(*z, "BorderStyle") && Marked(*z, "Appearance"));
  z->BorderStyle(0);
  EXPECT_EQ(z->BorderStyle(), 0);
  // BackColor goes to the picture surface too.
  z->BackColor(0x00123456u);
  EXPECT_EQ(Pic(*z).BackColor(), 0x00123456u);
  z->MouseIcon(SolidPicture(8, 8));
  z->MousePointer(static_cast<PointerShape>(2));
  z->Enabled(false);
  for (std::string_view name : {"BackColor", "MouseIcon", "MousePointer", "Enabled"})
    EXPECT_TRUE(Marked(*z, name)) << name;
}

TEST_F(State, ThePictureAssignmentRaisesItsEventBeforeTheLayout) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(100, 100));
  z->ZoomIn();
  bool hidden = false;
  Variant percent;
  float leftAtEvent = 0;
  onEvent = [&](std::string_view name, std::span<Variant>) {
    if (name != "PictureSizeChanged") return;
    hidden = !Pic(*z).Visible();
    percent = z->ZoomPercent();
    leftAtEvent = Pic(*z).Left();
  };
  z->ClearChangedProperties();
  z->Picture(PatternPicture(400, 100));
  EXPECT_TRUE(hidden);
  EXPECT_EQ(percent, Variant(uint8_t{125}));  // the reset comes after the event
  EXPECT_EQ(leftAtEvent, 38);                 // and the layout too
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{100}));
  EXPECT_TRUE(Marked(*z, "Picture"));
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
  EXPECT_EQ(Pic(*first).Width(), 125);  // the first keeps what it showed
  // Creating another instance resets the shared position.
  Place(100, 100, 420, 0);
  EXPECT_EQ(second->ZoomPercent(), Variant(uint8_t{100}));
}

}  // namespace
}  // namespace lumora::testing
