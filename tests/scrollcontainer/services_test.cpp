// Pass-through services: the surface's events, PaintPicture, PopupMenu,
// Refresh, AboutBox.
#include "container_fixture.hpp"
#include "frame/about_hook.hpp"
#include "platform/controls/menu.hpp"

namespace lumora {
namespace {

class Services : public ContainerTest {
 protected:
  void SetUp() override { Make(2175, 3000); }
};

TEST_F(Services, SurfacePointerEventsPassThroughUnchanged) {
  Place(100, 500);
  form->MouseDown(60, 100, kLeftButton, kShiftMask);
  form->MouseMove(62, 101);
  form->MouseUp(62, 101, kLeftButton, kShiftMask);
  EXPECT_EQ(log->entries,
            (std::vector<std::string>{"MouseDown#3 1 1 900 1500", "MouseMove#4 1 0 930 1515",
                                      "MouseUp#5 1 1 930 1515", "Click#1"}));
  // A press on the surface neither scrolls nor touches the drag state.
  EXPECT_EQ(Tops(), std::vector<float>{100});
}

TEST_F(Services, ClickRefreshesTheBarAndDoubleClickDoesNot) {
  Place(-100, 500);
  const int32_t paints = probe->picBar().RefreshCount();
  form->MouseMove(60, 100, 0);
  form->DoubleClick(60, 100);
  EXPECT_EQ(log->Names(), (std::vector<std::string>{"MouseMove", "MouseDown", "MouseUp", "Click",
                                                    "DblClick", "MouseUp"}));
  EXPECT_EQ(probe->picBar().RefreshCount(), paints + 1);  // from the Click only
}

TEST_F(Services, ASurfacePressLeavesAnArmedDrag) {
  Place(60, 5000);
  probe->RefreshScrollBar();
  PointerInput in{kLeftButton, 0, 0, 100};
  probe->picBar().OnMouseDown(in);
  ASSERT_TRUE(probe->ThumbDragging());
  form->Click(60, 100);
  EXPECT_TRUE(probe->ThumbDragging());
  EXPECT_EQ(probe->DragLastY(), 100);
}

TEST_F(Services, PaintPictureWithThreeArgumentsDrawsTheWholePicture) {
  const PicturePtr red = Picture::FromRaster(Raster(4, 3, 0xFFFF0000u));
  Variant args[] = {Variant(red), Variant(150.0f), Variant(300.0f)};
  sc->CallMethod("PaintPicture", args);
  const Raster& surface = sc->Surface();
  ASSERT_FALSE(surface.IsEmpty());
  for (int32_t y = 19; y <= 23; ++y)
    for (int32_t x = 9; x <= 14; ++x) {
      const bool inside = x >= 10 && x < 14 && y >= 20 && y < 23;
      EXPECT_EQ(surface.At(x, y) == 0xFFFF0000u, inside) << x << "," << y;
    }
  // Left-out arguments are passed on as left out; the host's defaults apply.
  sc->PaintPicture(red, 0, 0, Variant(120.0f), Missing{}, Missing{}, Missing{}, Missing{},
                   Missing{}, Missing{});
  EXPECT_EQ(surface.At(7, 0), 0xFFFF0000u);  // 8 pixels wide
  EXPECT_NE(surface.At(8, 0), 0xFFFF0000u);
  EXPECT_EQ(surface.At(7, 2), 0xFFFF0000u);  // natural height
  EXPECT_NE(surface.At(7, 3), 0xFFFF0000u);
}

TEST_F(Services, FailingHostCallsAreDropped) {
  Err().Clear();
  sc->PaintPicture(nullptr, 0, 0, Missing{}, Missing{}, Missing{}, Missing{}, Missing{}, Missing{},
                   Missing{});
  EXPECT_EQ(Err().Number(), kErrNoObject);
  Err().Clear();
  sc->PopupMenu(ObjectPtr(form->Find("sc")->Shared()), Missing{}, Missing{}, Missing{}, Missing{});
  EXPECT_NE(Err().Number(), 0);
  EXPECT_TRUE(form->ShownMenus().empty());
}

TEST_F(Services, PopupMenuForwardsItsArguments) {
  auto menu = form->AddObject<Menu>("mnuContext");
  sc->PopupMenu(menu, Variant(int16_t{4}), Variant(300.0f), Variant(450.0f), Missing{});
  form->MouseMove(20, 30, 0);
  Variant args[] = {Variant(ObjectPtr(menu))};
  sc->CallMethod("PopupMenu", args);
  ASSERT_EQ(form->ShownMenus().size(), 2u);
  const ShownMenu& first = form->ShownMenus()[0];
  EXPECT_EQ(first.control, "sc");
  EXPECT_EQ(first.menu, "mnuContext");
  EXPECT_EQ(first.flags, 4);
  EXPECT_EQ(first.x, 300);
  EXPECT_EQ(first.y, 450);
  // Left out: the host's defaults (no flags, at the pointer).
  const ShownMenu& second = form->ShownMenus()[1];
  EXPECT_EQ(second.flags, 0);
  EXPECT_EQ(second.x, 300);
  EXPECT_EQ(second.y, 450);
}

TEST_F(Services, RefreshRunsTheLayout) {
  Place(60, 500);
  Place(1000, 500);
  probe->RefreshScrollBar();
  ASSERT_EQ(probe->DownState(), "N");
  // The application moves the contents itself.
  form->Find("c1")->Top(-700);
  form->Find("c2")->Top(3500);
  const int64_t yields = YieldCount();
  sc->Refresh();
  EXPECT_EQ(YieldCount(), yields + 1);
  EXPECT_EQ(probe->ThumbTop(), 700);
  EXPECT_EQ(probe->picBar().ScaleHeight(), 4820);
  // Both buttons were shown: greyed until the next refresh.
  EXPECT_EQ(probe->UpState(), "N");
  EXPECT_EQ(probe->DownState(), "N");
  EXPECT_EQ(Tops(), (std::vector<float>{-700, 3500}));
}

TEST_F(Services, AboutBoxCallsTheInstalledHook) {
  auto previous = SetAboutBoxHook(nullptr);
  sc->AboutBox();  // nothing installed: nothing happens
  int shown = 0;
  SetAboutBoxHook([&] { ++shown; });
  sc->AboutBox();
  sc->Dispatch().Invoke(*sc, -552, MemberKind::Method, {});
  EXPECT_EQ(shown, 2);
  SetAboutBoxHook([] { Fail(kErrInvalidCall, "cannot show"); });
  Err().Clear();
  sc->AboutBox();
  EXPECT_EQ(Err().Number(), kErrInvalidCall);
  SetAboutBoxHook(std::move(previous));
}

}  // namespace
}  // namespace lumora
