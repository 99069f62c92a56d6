// The persisted form: what a save stores under which key, what a load does
// with each key (and with a key that is missing or of the wrong type).
#include "piczoom_fixture.hpp"

namespace lumora::testing {
namespace {

class Persistence : public PicZoomTest {
 protected:
  PropertyBag Saved(ZelPicZoom& z) {
    PropertyBag bag;
    form->SaveControl(z, bag);
    return bag;
  }
  // A control loaded from `bag` (Enabled added), at a free place on the form.
  std::shared_ptr<ZelPicZoom> Loaded(PropertyBag bag, int32_t width = 200, int32_t height = 150) {
    if (!bag.Contains("Enabled")) bag.WriteProperty("Enabled", true);
    m_Bags.push_back(std::make_unique<PropertyBag>(std::move(bag)));
    return Place(width, height, 210, 0, m_Bags.back().get());
  }
  std::vector<std::unique_ptr<PropertyBag>> m_Bags;
};

TEST_F(Persistence, EveryPropertyMakesTheRoundTripThroughTheJsonText) {
  auto z = Place(200, 150);
  EXPECT_EQ(Saved(*z).Keys(), (std::vector<std::string>{"Enabled"}));  // the rest are defaults
  EXPECT_FALSE(form->Dirty());
  const PicturePtr picture = PatternPicture(90, 60), icon = SolidPicture(16, 16, 0xFF00FF00u);
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
  events.clear();
  auto loaded = Loaded(PropertyBag::FromJsonText(Saved(*z).ToJsonText()));
  EXPECT_EQ(std::tuple(loaded->Appearance(), Pic(*loaded).BackColor(), loaded->BorderStyle(),
                       loaded->MouseScrolling(), loaded->ScrollBars(), loaded->Enabled()),
            std::tuple(int16_t{0}, 0x00336699u, int16_t{1}, false, sbNone, true));
  EXPECT_EQ(loaded->MouseIcon()->Pixels(), icon->Pixels());
  EXPECT_EQ(loaded->MouseScrollingIcon()->Pixels(), scrollIcon->Pixels());
  EXPECT_EQ(loaded->Picture()->Pixels(), picture->Pixels());
  // Loading assigns the picture: its event, once, and a layout.
  EXPECT_EQ(Count("PictureSizeChanged"), 1);
  EXPECT_EQ(HBar(*loaded).Height(), 20);
}

TEST_F(Persistence, BackColorIsStoredTwiceAndTheControlsOwnWins) {
  auto z = Place(200, 150);
  z->BackColor(0x00112233u);
  Pic(*z).BackColor(0x00445566u);  // only a constituent differs
  auto loaded = Loaded(Saved(*z));
  EXPECT_EQ(std::pair(loaded->BackColor(), Pic(*loaded).BackColor()),
            std::pair(0x00112233u, 0x00112233u));
  // The second write, of a default value, leaves the key out altogether.
  z->BackColor(0x8000000Fu);
  Pic(*z).BackColor(0x00445566u);
  EXPECT_FALSE(Saved(*z).Contains("BackColor"));
}

TEST_F(Persistence, EnabledPairsATrueValueWithAnEmptyDefault) {
  PropertyBag none;
  EXPECT_FALSE(Place(100, 100, 0, 0, &none)->Enabled());  // an absent key reads as False
  auto z = Place(100, 100, 110, 0);
  z->Enabled(false);
  PropertyBag disabled = Saved(*z);
  EXPECT_FALSE(disabled.Contains("Enabled"));
  EXPECT_FALSE(Place(100, 100, 220, 0, &disabled)->Enabled());
}

TEST_F(Persistence, StoredValuesAreLoadedAsTheyAre) {
  // A stored BarsWidth below the bound is kept; a later assignment is not.
  PropertyBag narrow;
  narrow.WriteProperty("BarsWidth", int16_t{5}, int16_t{13});
  narrow.WriteProperty("Picture", Variant(SolidPicture(400, 300)));
  auto z = Loaded(narrow);
  EXPECT_EQ(z->BarsWidth(), 5);
  EXPECT_EQ((std::vector<float>{Button(*z).Left(), Button(*z).Top(), Button(*z).Width()}),
            (std::vector<float>{195, 145, 5}));  // no border: none was stored
  z->BarsWidth(5);
  EXPECT_EQ(z->BarsWidth(), 13);
  // A value of the wrong type is skipped; the keys after it are still read.
  PropertyBag wrong;
  wrong.WriteProperty("BarsWidth", "wide");
  wrong.WriteProperty("ScrollBars", int32_t{1});
  z = Loaded(wrong);
  EXPECT_EQ(z->ScrollBars(), sbNone);
  EXPECT_EQ(z->BarsWidth(), 0);  // the field keeps its creation value
}

TEST_F(Persistence, LoadingKeepsTheStoredPointer) {
  // The picture's layout during the load restores the stored pointer, not
  // the one of before the load.
  for (const bool withPicture : {false, true}) {
    PropertyBag plain;
    plain.WriteProperty("MousePointer", int16_t{5});
    if (withPicture) plain.WriteProperty("Picture", Variant(SolidPicture(40, 30)));
    auto z = Loaded(plain, 100, 100);
    EXPECT_EQ(z->MousePointer(), 5);
    EXPECT_EQ(Saved(*z).ReadProperty("MousePointer"), Variant(int16_t{5}));
  }
  // With an icon stored, the restored pointer is the custom one with it.
  PropertyBag withIcon;
  withIcon.WriteProperty("MousePointer", int16_t{2});
  withIcon.WriteProperty("MouseIcon", Variant(SolidPicture(16, 16, 0xFF00FF00u)));
  auto z = Loaded(withIcon, 100, 100);
  EXPECT_EQ(z->MousePointer(), mpCustom);
  EXPECT_EQ(z->MouseIcon(), withIcon.ReadProperty("MouseIcon").ToPicture());
  // A large picture: the load's layout offers the scrolling pointer; once the
  // picture comes to fit, the stored (default) pointer is back.
  const PicturePtr scrollIcon = SolidPicture(16, 16, 0xFFFF00FFu);
  PropertyBag large;
  large.WriteProperty("Picture", Variant(SolidPicture(400, 300)));
  large.WriteProperty("MouseScrollingIcon", Variant(scrollIcon));
  events.clear();
  auto viewer = Loaded(large);
  EXPECT_EQ(viewer->MousePointer(), mpCustom);
  EXPECT_EQ(viewer->MouseIcon(), scrollIcon);  // from the host's Resize after the load
  viewer->Picture(SolidPicture(50, 50));
  EXPECT_EQ(viewer->MousePointer(), mpDefault);
  EXPECT_EQ(Count("PictureSizeChanged"), 2);
}

}  // namespace
}  // namespace lumora::testing
