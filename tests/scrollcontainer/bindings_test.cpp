// The container's dispatch: every member of _ZelScrollContainer bound with its
// published kind and type, the default member, late-bound access by name, and
// events that match __ZelScrollContainer.
#include "container_fixture.hpp"
#include "frame/binding_check.hpp"
#include "frame/connection_point.hpp"
#include "frame/event_handlers.hpp"

namespace lumora {
namespace {

using Bindings = ContainerTest;

TEST_F(Bindings, EveryMemberIsBoundWithItsKindAndType) {
  EXPECT_TRUE(BindingsMatchInterface(ZelScrollContainer::Dispatch()));
  EXPECT_EQ(ZelScrollContainer::Dispatch().Interface().members.size(), 21u);
  Make(2175, 3000);
  EXPECT_EQ(DispatchTableOf(*sc), &ZelScrollContainer::Dispatch());
}

TEST_F(Bindings, TheDefaultMemberRunsTheLayout) {
  Make(2175, 3000);
  Place(-100, 5000);
  probe->RefreshScrollBar();
  ASSERT_EQ(probe->UpState(), "U");
  const int64_t yields = YieldCount();
  sc->Dispatch().Invoke(*sc, kDispidValue, MemberKind::Method, {});
  EXPECT_EQ(YieldCount(), yields + 1);
  EXPECT_EQ(probe->UpState(), "N");  // shown buttons come out greyed from a layout
}

TEST_F(Bindings, LateBoundNamesReachTheInterfaceThenTheRuntime) {
  Make(2175, 3000);
  EXPECT_EQ(sc->GetProperty("uppermargin"), Variant(int32_t{60}));
  sc->SetProperty("LowerMargin", Variant(int16_t{25}));
  EXPECT_EQ(probe->LowerMarginField(), 25);
  EXPECT_EQ(sc->GetProperty("Enabled"), Variant(true));
  EXPECT_EQ(sc->GetProperty("hWnd"), Variant(sc->hWnd()));
  // Extender and runtime properties are the runtime's.
  EXPECT_EQ(sc->GetProperty("Top"), Variant(0.0f));
  sc->SetProperty("Height", Variant(3600.0f));
  EXPECT_EQ(probe->sD().Top(), 3345);
  EXPECT_EQ(sc->GetProperty("ScaleHeight"), Variant(3600.0f));
  sc->SetProperty("BorderStyle", Variant(int16_t{1}));
  EXPECT_EQ(sc->GetProperty("BorderStyle"), Variant(int16_t{1}));
  EXPECT_EQ(sc->GetProperty("ScaleHeight"), Variant(3540.0f));
  // Through the form, as a script reaches it.
  auto placed = form->GetProperty("sc").ToObject();
  Variant none[1];
  EXPECT_THROW(placed->CallMethod("NoSuchMember", std::span<Variant>(none, 0)), Failure);
}

TEST_F(Bindings, EventsCarryTheirPublishedDispidsAndParameters) {
  Make(2175, 3000);
  struct Check : EventSink {
    std::vector<std::string> problems;
    std::vector<std::string> seen;
    void OnEvent(Object&, int32_t dispid, std::string_view name, std::span<Variant> args) override {
      const MemberInfo* event = ScrollContainerEvents().FindDispid(dispid);
      seen.emplace_back(name);
      if (!event || event->name != name || event->params.size() != args.size())
        problems.push_back(std::string(name) + " #" + std::to_string(dispid));
    }
  };
  auto check = std::make_shared<Check>();
  sc->Events().Advise(check);
  Place(100, 30000);
  probe->RefreshScrollBar();
  form->MouseMove(60, 100, 0);
  form->DoubleClick(60, 100);
  ScheduleAfterYields(1, Message::Mouse(MessageKind::MouseUp, form, CenterX(probe->sD()),
                                        CenterY(probe->sD()), kLeftButton));
  form->MouseDown(CenterX(probe->sD()), CenterY(probe->sD()));
  EXPECT_TRUE(check->problems.empty()) << ::testing::PrintToString(check->problems);
  EXPECT_EQ(check->seen,
            (std::vector<std::string>{"MouseMove", "MouseDown", "MouseUp", "Click", "DblClick",
                                      "MouseUp", "MouseDown", "MouseUp", "Click"}));
}

TEST_F(Bindings, TypedHandlersThroughTheConnectionPoint) {
  Make(2175, 3000);
  ConnectionPoint point(*sc, sc->Events(), ScrollContainerEvents());
  auto handlers = std::make_shared<EventHandlers>(ScrollContainerEvents());
  std::vector<float> downs;
  int clicks = 0;
  handlers->On("MouseDown", [&](int16_t& Button, int16_t& Shift, float& X, float& Y) {
    downs.insert(downs.end(), {float(Button), float(Shift), X, Y});
    X = -1;  // the container does not read it back
  });
  handlers->On("Click", [&] { ++clicks; });
  point.Advise(handlers);
  form->Click(10, 20, kLeftButton, kCtrlMask);
  EXPECT_EQ(downs, (std::vector<float>{1, 2, 150, 300}));
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace lumora
