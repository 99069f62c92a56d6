// Golden frames of a container holding a column of controls: at the top as
// shown, scrolled to the middle by dragging the thumb, and held down to the end.
#include "support/golden.hpp"
#include "container_fixture.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/render/render_form.hpp"

namespace lumora {
namespace {

class Golden : public ContainerTest {
 protected:
  void SetUp() override {
    form = Form::Create("GoldenForm", 200, 170);
    form->BackColor(Rgb(236, 233, 216));
    sc = form->Add<ZelScrollContainer>("sc", 150, 150, 2700, 2250);
    sc->BorderStyle(1);
    sc->BackColor(Rgb(250, 250, 250));
    for (int i = 0; i < 12; ++i) {
      const float top = 120 + 480.0f * static_cast<float>(i);
      auto label = form->Add<Label>("lbl" + std::to_string(i), 120, top + 45, 900, 255, sc.get());
      label->Caption("Item " + std::to_string(i + 1));
      label->BackStyle(0);
      auto box = form->Add<TextBox>("txt" + std::to_string(i), 1050, top, 1200, 345, sc.get());
      box->Text("value " + std::to_string((i + 1) * 7));
    }
    form->Show();  // Show runs the layout: down enabled, up greyed
  }
};

TEST_F(Golden, AtTheTop) {
  EXPECT_EQ(Buttons(), "N- U+");
  EXPECT_TRUE(MatchesGolden(RenderForm(*form), "scroll_container_top"));
}

TEST_F(Golden, ScrolledToTheMiddle) {
  // Drag the thumb down by 40 rows of the track.
  const PixelRect bar = Track().FormRect();
  const int32_t x = bar.left + 3;
  form->MouseDown(x, bar.top + 5);
  form->MouseMove(x, bar.top + 45);
  form->MouseUp(x, bar.top + 45);
  ASSERT_LT(form->Find("txt0")->Top(), -1000);
  EXPECT_EQ(Buttons(), "U+ U+");
  EXPECT_TRUE(MatchesGolden(RenderForm(*form), "scroll_container_middle"));
}

TEST_F(Golden, HeldDownToTheEnd) {
  const int32_t x = CenterX(Down()), y = CenterY(Down());
  form->MouseDown(x, y);  // no release: the loop runs to the end
  EXPECT_EQ(Buttons(), "U+ N-");
  form->MouseUp(x, y);
  const Control& last = *form->Find("txt11");
  EXPECT_EQ(last.Top() + last.Height() + 60, sc->ScaleHeight() - 1);
  EXPECT_TRUE(MatchesGolden(RenderForm(*form), "scroll_container_end"));
}

}  // namespace
}  // namespace lumora
