// The persisted form: what a save stores under which key, what a load does
// with each key (and with a key that is missing), and round trips through the
// property bag and its JSON text.
#include "piczoom_fixture.hpp"

namespace lumora::testing {
namespace {

using Persistence = PicZoomTest;

PropertyBag Saved(Form& form, ZelPicZoom& z) {
  PropertyBag bag;
  form.SaveControl(z, bag);
  return bag;
}

TEST_F(Persistence, ANewControlStoresOnlyEnabled) {
  auto z = Place(200, 150);
  const PropertyBag bag = Saved(*form, *z);
  // Everything else equals its default; Enabled's default is empty, so True
  // is always stored.
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Enabled"}));
  EXPECT_EQ(bag.ReadProperty("Enabled"), Variant(true));
  EXPECT_FALSE(form->Dirty());
}

TEST_F(Persistence, EveryPropertyMakesTheRoundTrip) {
  auto z = Place(200, 150);
  const PicturePtr picture = PatternPicture(90, 60);
  const PicturePtr icon = SolidPicture(16, 16, 0xFF00FF00u);
  const PicturePtr scrollIcon = SolidPicture(16, 16, 0xFFFF00FFu);
  z->Appearance(0);
  z->BackColor(0x00336699u);
  z->BarsWidth(20);
  z->BorderStyle(1);
  z->MouseScrolling(false);
  z->ScrollBars(sbNone);
  z->Picture(picture);
  z->MouseIcon(icon);
  z->MouseScrollingIcon(scrollIcon);
  // Through the bag's JSON text, as a saved form file holds it.
  PropertyBag bag = PropertyBag::FromJsonText(Saved(*form, *z).ToJsonText());

  events.clear();
  auto loaded = Place(200, 150, 210, 0, &bag);
  EXPECT_EQ(loaded->Appearance(), 0);
  EXPECT_EQ(loaded->BackColor(), 0x00336699u);
  EXPECT_EQ(Pic(*loaded).BackColor(), 0x00336699u);
  EXPECT_EQ(loaded->BarsWidth(), 20);
  EXPECT_EQ(loaded->BorderStyle(), 1);
  EXPECT_FALSE(loaded->MouseScrolling());
  EXPECT_EQ(loaded->ScrollBars(), sbNone);
  EXPECT_TRUE(loaded->Enabled());
  ASSERT_NE(loaded->MouseIcon(), nullptr);
  EXPECT_EQ(loaded->MouseIcon()->Pixels(), icon->Pixels());
  ASSERT_NE(loaded->MouseScrollingIcon(), nullptr);
  EXPECT_EQ(loaded->MouseScrollingIcon()->Pixels(), scrollIcon->Pixels());
  ASSERT_NE(loaded->Picture(), nullptr);
  EXPECT_EQ(loaded->Picture()->Pixels(), picture->Pixels());
  EXPECT_EQ(Pic(*loaded).Width(), 90);
  // Loading assigns the picture: its event, once, and a layout.
  EXPECT_EQ(Count("PictureSizeChanged"), 1);
  EXPECT_EQ(HBar(*loaded).Height(), 20);
}

TEST_F(Persistence, BackColorIsStoredTwiceAndTheControlsOwnWins) {
  auto z = Place(200, 150);
  z->BackColor(0x00112233u);
  Pic(*z).BackColor(0x00445566u);  // only a constituent differs
  PropertyBag bag = Saved(*form, *z);
  EXPECT_EQ(bag.ReadProperty("BackColor"), Variant(0x00112233u));
  auto loaded = Place(200, 150, 210, 0, &bag);
  EXPECT_EQ(loaded->BackColor(), 0x00112233u);
  EXPECT_EQ(Pic(*loaded).BackColor(), 0x00112233u);

  // The second write, of a default value, leaves the key out altogether.
  z->BackColor(0x8000000Fu);
  Pic(*z).BackColor(0x00445566u);
  EXPECT_FALSE(Saved(*form, *z).Contains("BackColor"));
}

TEST_F(Persistence, EnabledPairsATrueValueWithAnEmptyDefault) {
  PropertyBag none;
  auto fromNothing = Place(100, 100, 0, 0, &none);
  EXPECT_FALSE(fromNothing->Enabled());  // an absent key reads as False

  auto z = Place(100, 100, 110, 0);
  z->Enabled(false);
  PropertyBag disabled = Saved(*form, *z);
  EXPECT_FALSE(disabled.Contains("Enabled"));
  EXPECT_FALSE(Place(100, 100, 220, 0, &disabled)->Enabled());
  z->Enabled(true);
  PropertyBag enabled = Saved(*form, *z);
  EXPECT_TRUE(Place(100, 100, 330, 0, &enabled)->Enabled());
}

TEST_F(Persistence, AStoredBarsWidthIsLoadedWithoutTheLowerBound) {
  PropertyBag bag;
  bag.WriteProperty("BarsWidth", int16_t{5}, int16_t{13});
  bag.WriteProperty("Enabled", true);
  bag.WriteProperty("Picture", Variant(SolidPicture(400, 300)));
  auto z = Place(200, 150, 0, 0, &bag);
  EXPECT_EQ(z->BarsWidth(), 5);
  EXPECT_EQ(HBar(*z).Height(), 5);
  EXPECT_EQ(Button(*z).Left(), 195);
  EXPECT_EQ(Button(*z).Top(), 145);
  EXPECT_EQ(Button(*z).Width(), 5);
  z->BarsWidth(5);
  EXPECT_EQ(z->BarsWidth(), 13);
}

TEST_F(Persistence, LoadingKeepsTheStoredPointer) {
  // The picture's layout during the load restores the stored pointer, not
  // the one of before the load.
  for (const bool withPicture : {false, true}) {
    PropertyBag plain;
    plain.WriteProperty("Enabled", true);
    plain.WriteProperty("MousePointer", int16_t{5});
    if (withPicture) plain.WriteProperty("Picture", Variant(SolidPicture(40, 30)));
    auto z = Place(100, 100, withPicture ? 330 : 440, 0, &plain);
    EXPECT_EQ(z->MousePointer(), 5);
    EXPECT_EQ(Saved(*form, *z).ReadProperty("MousePointer"), Variant(int16_t{5}));
  }

  // With an icon stored, the restored pointer is the custom one with it.
  const PicturePtr icon = SolidPicture(16, 16, 0xFF00FF00u);
  PropertyBag withIcon;
  withIcon.WriteProperty("Enabled", true);
  withIcon.WriteProperty("MousePointer", int16_t{2});
  withIcon.WriteProperty("MouseIcon", Variant(icon));
  auto z = Place(100, 100, 110, 0, &withIcon);
  EXPECT_EQ(z->MousePointer(), mpCustom);
  EXPECT_EQ(z->MouseIcon(), withIcon.ReadProperty("MouseIcon").ToPicture());

  // A large picture: the load's layout offers the scrolling pointer; once the
  // picture comes to fit, the stored (default) pointer is back.
  const PicturePtr scrollIcon = SolidPicture(16, 16, 0xFFFF00FFu);
  PropertyBag large;
  large.WriteProperty("Enabled", true);
  large.WriteProperty("Picture", Variant(SolidPicture(400, 300)));
  large.WriteProperty("MouseScrollingIcon", Variant(scrollIcon));
  events.clear();
  auto viewer = Place(200, 150, 220, 0, &large);
  EXPECT_EQ(viewer->MousePointer(), mpCustom);
  EXPECT_EQ(viewer->MouseIcon(), scrollIcon);  // from the host's Resize after the load
  viewer->Picture(SolidPicture(50, 50));
  EXPECT_EQ(viewer->MousePointer(), mpDefault);
  EXPECT_EQ(Count("PictureSizeChanged"), 2);
  // However often it lays out, each changed property is listed once.
  const size_t changed = viewer->ChangedProperties().size();
  for (int i = 0; i < 50; ++i) viewer->Width(static_cast<float>((150 + 10 * (i % 2)) * 15));
  EXPECT_EQ(viewer->ChangedProperties().size(), changed);
}

TEST_F(Persistence, AValueOfTheWrongTypeIsSkipped) {
  PropertyBag bag;
  bag.WriteProperty("BarsWidth", "wide");
  bag.WriteProperty("ScrollBars", int32_t{1});
  bag.WriteProperty("Enabled", true);
  auto z = Place(200, 150, 0, 0, &bag);
  EXPECT_EQ(z->ScrollBars(), sbNone);  // the keys after it are still read
  EXPECT_TRUE(z->Enabled());
  EXPECT_EQ(z->BarsWidth(), 0);  // the field keeps its creation value
  EXPECT_TRUE(Pic(*z).Visible());
}

}  // namespace
}  // namespace lumora::testing
