// ScrollToControl: the least movement that shows a contained control whole
// inside the margins; nothing for anything else.
#include "container_fixture.hpp"
#include "platform/controls/menu.hpp"
#include "platform/controls/text_box.hpp"

namespace lumora {
namespace {

class ScrollToControl : public ContainerTest {
 protected:
  void SetUp() override {
    Make(2175, 3000);
    Place(60, 500);           // c1
    Place(2000, 500);         // c2
    Place(5000, 400);         // c3, below the view
    Place(9000, 300, false);  // c4, hidden
    probe->RefreshScrollBar();
  }
  void ScrollTo(ObjectPtr target) { sc->ScrollToControl(target); }
  // The thumb fields as RefreshScrollBar derives them from the positions now.
  void ExpectFieldsFollowThePositions() {
    float contentTop = 0;
    for (float top : Tops()) contentTop = std::min(contentTop, top);
    EXPECT_EQ(probe->ThumbTop(), static_cast<int32_t>(-contentTop));
    EXPECT_EQ(probe->ThumbHeight(), 3120);
    EXPECT_EQ(probe->picSelected().Top(), -contentTop);
  }
};

TEST_F(ScrollToControl, BelowTheViewItComesUpToTheLowerMargin) {
  ScrollTo(form->Find("c3")->Shared());
  // 5400 + 60 must become 3000: everything moves up by 2460.
  EXPECT_EQ(Tops(), (std::vector<float>{-2400, -460, 2540, 6540}));
  EXPECT_EQ(probe->UpState(), "U");
  EXPECT_EQ(probe->DownState(), "N");
  ExpectFieldsFollowThePositions();
}

TEST_F(ScrollToControl, AboveTheViewItComesDownToTheUpperMargin) {
  ScrollTo(form->Find("c3")->Shared());
  ScrollTo(form->Find("c2")->Shared());  // at -460
  EXPECT_EQ(Tops(), (std::vector<float>{-1880, 60, 3060, 7060}));
  ExpectFieldsFollowThePositions();
}

TEST_F(ScrollToControl, InViewNothingMoves) {
  const int32_t writes = form->Find("c1")->PropertyWrites();
  const int32_t paints = probe->picBar().RefreshCount();
  ScrollTo(form->Find("c1")->Shared());  // exactly at the upper margin
  ScrollTo(form->Find("c2")->Shared());
  EXPECT_EQ(Tops(), (std::vector<float>{60, 2000, 5000, 9000}));
  EXPECT_EQ(form->Find("c1")->PropertyWrites(), writes);
  EXPECT_EQ(probe->picBar().RefreshCount(), paints);
}

TEST_F(ScrollToControl, ATallControlIsAlignedAtItsTop) {
  auto tall = Place(4000, 2900);  // fits the view, not with both margins
  ScrollTo(tall);
  EXPECT_EQ(tall->Top(), 60);
  auto taller = Place(-5000, 4000);
  ScrollTo(taller);
  EXPECT_EQ(taller->Top(), 60);
  EXPECT_EQ(tall->Top(), 5120);
  ExpectFieldsFollowThePositions();
}

TEST_F(ScrollToControl, AHiddenContainedControlIsShownToo) {
  ScrollTo(form->Find("c4")->Shared());
  EXPECT_EQ(Tops(), (std::vector<float>{-6300, -4360, -1360, 2640}));
}

TEST_F(ScrollToControl, AnythingElseChangesNothing) {
  auto elsewhere = form->Add<Label>("onForm", 0, 9000, 100, 100);
  auto other = form->Add<ZelScrollContainer>("other", 3000, 0, 2175, 3000);
  auto inOther = form->Add<Label>("inOther", 0, 9000, 100, 100, other.get());
  auto menu = form->AddObject<Menu>("mnu", sc.get());
  const int32_t paints = probe->picBar().RefreshCount();
  ScrollTo(nullptr);
  ScrollTo(elsewhere);
  ScrollTo(inOther);
  ScrollTo(menu);                                 // contained, but without Top and Height
  ScrollTo(form);                                 // not a control at all
  ScrollTo(sc);                                   // the container itself
  ScrollTo(sc->FindConstituent("sU")->Shared());  // a constituent
  EXPECT_EQ(Tops(), (std::vector<float>{60, 2000, 5000, 9000}));
  EXPECT_EQ(probe->picBar().RefreshCount(), paints);
  EXPECT_EQ(inOther->Top(), 9000);
  EXPECT_EQ(elsewhere->Top(), 9000);
}

TEST_F(ScrollToControl, ChangesNoPersistedPropertyAndEndsAnArmedDrag) {
  PointerInput in{kLeftButton, 0, 0, 100};
  probe->picBar().OnMouseDown(in);
  ASSERT_TRUE(probe->ThumbDragging());
  sc->ClearChangedProperties();
  ScrollTo(form->Find("c3")->Shared());
  EXPECT_TRUE(sc->ChangedProperties().empty());
  EXPECT_EQ(sc->UpperMargin(), 60);
  EXPECT_EQ(sc->LowerMargin(), 60);
  EXPECT_FALSE(probe->ThumbDragging());
  // A later move of the pointer does not scroll back.
  PointerInput move{kLeftButton, 0, 0, 50};
  probe->picBar().OnMouseMove(move);
  EXPECT_EQ(Tops()[2], 2540);
}

TEST_F(ScrollToControl, ReachableLateBoundWithTheControlByReference) {
  Variant args[] = {Variant(ObjectPtr(form->Find("c3")->Shared()))};
  sc->CallMethod("ScrollToControl", args);
  EXPECT_EQ(Tops()[2], 2540);
  EXPECT_TRUE(args[0].IsObject());
  EXPECT_EQ(args[0].ToObject().get(), form->Find("c3"));
}

// Tabbing through a long column, each text box calls ScrollToControl from its
// GotFocus handler, as the method's help text asks.
TEST(ScrollToControlWhileTabbing, EveryFocusedBoxIsShownWhole) {
  auto form = Form::Create("TabForm");
  form->Show();
  auto sc = form->Add<ZelScrollContainer>("sc", 0, 0, 3000, 3000);
  std::vector<std::shared_ptr<TextBox>> boxes;
  for (int i = 0; i < 20; ++i) {
    auto box =
        form->Add<TextBox>("t" + std::to_string(i), 200, 100 + i * 450.0f, 1500, 375, sc.get());
    box->GotFocus.Connect(
        [container = std::weak_ptr<ZelScrollContainer>(sc), weak = std::weak_ptr<TextBox>(box)] {
          ObjectPtr self = weak.lock();
          if (auto c = container.lock()) c->ScrollToControl(self);
        });
    boxes.push_back(box);
  }
  ZelScrollContainerProbe probe(*sc);
  probe.RefreshScrollBar();
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
    EXPECT_EQ(probe.ThumbTop(), static_cast<int32_t>(std::max(0.0f, -boxes[0]->Top())));
  }
  EXPECT_GE(visited, 21);  // all the way down and round to the top again
  EXPECT_EQ(boxes[0]->Top(), 60);
  form->Unload();
}

}  // namespace
}  // namespace lumora
