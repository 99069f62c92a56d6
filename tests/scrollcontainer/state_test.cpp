// The container's properties, their validation, saving and loading.
#include "container_fixture.hpp"
#include "platform/property_bag.hpp"

namespace lumora {
namespace {

class State : public ContainerTest {
 protected:
  void SetUp() override { Make(2175, 3000); }

  // Saves the container and loads the bag into a new one on the same form.
  std::shared_ptr<ZelScrollContainer> Reload(PropertyBag& bag) {
    form->SaveControl(*sc, bag);
    // Through the text form, as a saved form file holds it.
    PropertyBag loaded = PropertyBag::FromJsonText(bag.ToJsonText());
    return form->Add<ZelScrollContainer>("copy" + std::to_string(++m_Copies), 0, 0, 2175, 3000,
                                         nullptr, &loaded);
  }

 private:
  int m_Copies = 0;
};

TEST_F(State, ANewInstanceHasItsDefaults) {
  EXPECT_EQ(sc->UpperMargin(), 60);
  EXPECT_EQ(sc->LowerMargin(), 60);
  EXPECT_EQ(sc->BorderStyle(), 0);
  EXPECT_EQ(sc->Appearance(), 1);
  EXPECT_EQ(sc->BackStyle(), 1);
  EXPECT_TRUE(sc->Enabled());
  // Shown on a shown form: both buttons released.
  EXPECT_TRUE(probe->UpReleased());
  EXPECT_TRUE(probe->DownReleased());
  EXPECT_FALSE(probe->ThumbDragging());
  EXPECT_TRUE(sc->ChangedProperties().empty());
}

TEST_F(State, WritesOutsideZeroOneChangeNothing) {
  sc->BorderStyle(2);
  sc->Appearance(-1);
  sc->BackStyle(5);
  EXPECT_EQ(sc->BorderStyle(), 0);
  EXPECT_EQ(sc->Appearance(), 1);
  EXPECT_EQ(sc->BackStyle(), 1);
  EXPECT_TRUE(sc->ChangedProperties().empty());

  sc->BorderStyle(1);
  sc->Appearance(0);
  sc->BackStyle(0);
  sc->Enabled(false);
  sc->BackColor(Rgb(1, 2, 3));
  EXPECT_EQ(sc->BorderStyle(), 1);
  EXPECT_EQ(sc->UserControl::BorderStyle(), 1);
  EXPECT_EQ(sc->Appearance(), 0);
  EXPECT_EQ(sc->BackStyle(), 0);
  EXPECT_FALSE(sc->Enabled());
  EXPECT_EQ(sc->BackColor(), Rgb(1, 2, 3));
  EXPECT_EQ(
      sc->ChangedProperties(),
      (std::vector<std::string>{"BorderStyle", "Appearance", "BackStyle", "Enabled", "BackColor"}));
}

TEST_F(State, ARefusedHostValueStillReportsTheChange) {
  const OleColor before = sc->BackColor();
  sc->BackColor(0x80000077);  // no such system colour: the host refuses it
  EXPECT_EQ(sc->BackColor(), before);
  EXPECT_EQ(sc->ChangedProperties(), std::vector<std::string>{"BackColor"});
  EXPECT_EQ(Err().Number(), kErrInvalidPropertyValue);
}

TEST_F(State, HandlesComeFromTheHost) {
  EXPECT_EQ(sc->hWnd(), sc->UserControl::hWnd());
  EXPECT_NE(sc->hWnd(), 0);
  EXPECT_EQ(sc->ContainerHwnd(), form->hWnd());
}

TEST_F(State, SavingAndLoadingKeepsEveryValue) {
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
  EXPECT_EQ(copy->UpperMargin(), 15);
  EXPECT_EQ(copy->LowerMargin(), -40);
  EXPECT_EQ(copy->BackColor(), 0x8000000Fu);
  EXPECT_EQ(copy->Appearance(), 0);
  EXPECT_EQ(copy->BorderStyle(), 1);
  EXPECT_EQ(copy->UserControl::BorderStyle(), 1);  // shown with a border
  EXPECT_EQ(copy->BackStyle(), 0);
  EXPECT_FALSE(copy->Enabled());
  EXPECT_TRUE(copy->ChangedProperties().empty());
  EXPECT_TRUE(sc->ChangedProperties().empty());  // saved
}

TEST_F(State, DefaultsAreLeftOutAndReadBack) {
  sc->BackColor(0);
  PropertyBag bag;
  auto copy = Reload(bag);
  EXPECT_EQ(bag.Count(), 0u);
  EXPECT_EQ(copy->UpperMargin(), 60);
  EXPECT_EQ(copy->LowerMargin(), 60);
  EXPECT_EQ(copy->BackColor(), 0u);
  EXPECT_EQ(copy->Appearance(), 1);
  EXPECT_EQ(copy->BorderStyle(), 0);
  EXPECT_EQ(copy->UserControl::BorderStyle(), 0);
  EXPECT_EQ(copy->BackStyle(), 1);
  EXPECT_TRUE(copy->Enabled());
}

TEST_F(State, AnEmptyBagGivesTheDefaults) {
  PropertyBag empty;
  auto loaded = form->Add<ZelScrollContainer>("fromEmpty", 0, 0, 2175, 3000, nullptr, &empty);
  EXPECT_EQ(loaded->UpperMargin(), 60);
  EXPECT_EQ(loaded->LowerMargin(), 60);
  EXPECT_EQ(loaded->BackColor(), 0u);
  EXPECT_EQ(loaded->Appearance(), 1);
  EXPECT_EQ(loaded->BorderStyle(), 0);
  EXPECT_EQ(loaded->BackStyle(), 1);
  EXPECT_TRUE(loaded->Enabled());
}

TEST_F(State, BadBagValuesLeaveTheirFieldAndTheRestLoads) {
  PropertyBag bag;
  bag.WriteProperty("UpperMargin", "many");
  bag.WriteProperty("LowerMargin", 1e12);
  bag.WriteProperty("BackColor", "red");
  bag.WriteProperty("Appearance", int16_t{7});
  bag.WriteProperty("BorderStyle", int16_t{3});
  bag.WriteProperty("BackStyle", int16_t{0}, int16_t{1});
  bag.WriteProperty("Enabled", "maybe");
  auto loaded = form->Add<ZelScrollContainer>("bad", 0, 0, 2175, 3000, nullptr, &bag);
  // Never initialised otherwise, the margins stay 0.
  EXPECT_EQ(loaded->UpperMargin(), 0);
  EXPECT_EQ(loaded->LowerMargin(), 0);
  EXPECT_EQ(loaded->BackColor(), kSysButtonFace);
  // Values read back are applied without the writes' check; the host
  // refuses what it cannot show.
  EXPECT_EQ(loaded->Appearance(), 1);
  EXPECT_EQ(loaded->BorderStyle(), 3);
  EXPECT_EQ(loaded->UserControl::BorderStyle(), 0);
  EXPECT_EQ(loaded->BackStyle(), 0);
  EXPECT_TRUE(loaded->Enabled());
  EXPECT_TRUE(loaded->ChangedProperties().empty());
}

}  // namespace
}  // namespace lumora
