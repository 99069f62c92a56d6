// ZelPicZoom driven as a late-bound client drives it: every member of its
// interface bound with the published kind and type, reached by name and by
// DISPID, with the same effects as direct calls; events to dispatch sinks.
#include <cstdio>
#include <set>

#include "frame/about_hook.hpp"
#include "frame/binding_check.hpp"
#include "frame/dispids.hpp"
#include "piczoom_fixture.hpp"

namespace lumora::testing {
namespace {

using Dispatch = PicZoomTest;

// DISPIDs of _ZelPicZoom used below.
constexpr int32_t kBarsWidth = 0x6803000B;
constexpr int32_t kPicture = 0x68030006;
constexpr int32_t kPicturePosition = 0x68030005;
constexpr int32_t kPictureSize = 0x68030004;
constexpr int32_t kZoomPercent = 0x68030002;
constexpr int32_t kGo = 0x60030023;
constexpr int32_t kScroll = 0x60030026;
constexpr int32_t kZoomIn = 0x60030029;
constexpr int32_t kAboutBox = -552;
constexpr int32_t kHwnd = 0x68030000;

TEST_F(Dispatch, EveryMemberOfTheInterfaceIsBoundWithItsKindAndType) {
  EXPECT_TRUE(BindingsMatchInterface(ZelPicZoom::Dispatch()));
  EXPECT_EQ(ZelPicZoom::Dispatch().Bindings().size(), 38u);
  auto z = Place(200, 150);
  EXPECT_EQ(DispatchTableOf(*z), &ZelPicZoom::Dispatch());
}

TEST_F(Dispatch, PropertiesByNameAndByDispid) {
  auto z = Place(200, 150);
  z->SetProperty("barswidth", Variant(int16_t{5}));
  EXPECT_EQ(z->BarsWidth(), 13);
  Variant twenty[] = {Variant(int32_t{20})};
  z->Invoke(kBarsWidth, MemberKind::Let, twenty);
  EXPECT_EQ(z->GetProperty("BarsWidth"), Variant(int16_t{20}));
  EXPECT_EQ(HBar(*z).Height(), 20);

  const PicturePtr picture = SolidPicture(400, 100);
  Variant set[] = {Variant(picture)};
  z->Invoke(kPicture, MemberKind::Set, set);
  EXPECT_EQ(z->Picture(), picture);
  EXPECT_EQ(Count("PictureSizeChanged"), 1);
  EXPECT_EQ(z->Invoke(kPicture, MemberKind::Get, {}).ToPicture(), picture);

  EXPECT_EQ(z->Invoke(kHwnd, MemberKind::Get, {}), Variant(Pic(*z).hWnd()));
  EXPECT_EQ(z->GetProperty("MousePointer"), Variant(int32_t{99}));
  // Names outside the interface reach the extender.
  EXPECT_EQ(z->GetProperty("Left"), Variant(0.0f));
  z->SetProperty("Top", Variant(int32_t{150}));
  EXPECT_EQ(z->Control::Top(), 150);
  // Reading a method or writing a read-only member fails as dispatch does.
  EXPECT_THROW(z->SetProperty("ZoomPercent", Variant(int16_t{50})), Failure);
}

TEST_F(Dispatch, MethodsByNameAndByDispid) {
  auto z = Place(200, 150);
  z->SetProperty("Picture", Variant(SolidPicture(333, 250)));
  z->Invoke(kZoomIn, MemberKind::Method, {});
  EXPECT_EQ(z->Invoke(kZoomPercent, MemberKind::Get, {}), Variant(uint8_t{125}));
  EXPECT_EQ(Pic(*z).Width(), 416);
  z->CallMethod("zoomreal", {});
  EXPECT_EQ(Pic(*z).Width(), 333);

  const Variant size = z->Invoke(kPictureSize, MemberKind::Get, {});
  EXPECT_EQ(size.ToObject()->GetProperty("psWidth"), Variant(333.0f));
  EXPECT_EQ(size.ToObject()->GetProperty("psHeight"), Variant(250.0f));

  Variant corner[] = {Variant(int32_t{gdBottomRight})};
  z->Invoke(kGo, MemberKind::Method, corner);
  EXPECT_EQ(corner[0], Variant(int32_t{gdBottomRight}));
  const Variant position = z->Invoke(kPicturePosition, MemberKind::Get, {});
  EXPECT_EQ(position.ToObject()->GetProperty("ppBottom"), Variant(true));
  EXPECT_EQ(position.ToObject()->GetProperty("ppRight"), Variant(true));
  EXPECT_EQ(position.ToObject()->GetProperty("ppTop"), Variant(false));

  // A step below 1 returns normally through dispatch too.
  Variant args[] = {Variant(int32_t{sdcUp}), Variant(int16_t{0})};
  EXPECT_NO_THROW(z->Invoke(kScroll, MemberKind::Method, args));
  EXPECT_EQ(VBar(*z).Value(), VBar(*z).Max());
  Variant up[] = {Variant(int32_t{sdcUp}), Variant(int16_t{10})};
  z->CallMethod("Scroll", up);
  EXPECT_EQ(VBar(*z).Value(), VBar(*z).Max() - 10);
  EXPECT_EQ(up[1], Variant(int16_t{10}));
}

TEST_F(Dispatch, AboutBoxRunsTheInstalledHook) {
  auto z = Place(200, 150);
  EXPECT_NO_THROW(z->Invoke(kAboutBox, MemberKind::Method, {}));  // none yet: nothing
  int shown = 0;
  const AboutBoxHook previous = SetAboutBoxHook([&] { ++shown; });
  z->Invoke(kAboutBox, MemberKind::Method, {});
  z->CallMethod("AboutBox", {});
  SetAboutBoxHook(previous);
  EXPECT_EQ(shown, 2);
}

TEST_F(Dispatch, EventsReachDispatchSinksWithTheirDispids) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(400, 300));
  form->Click(190, 140);
  ASSERT_GE(events.size(), 4u);
  EXPECT_EQ(events[0].dispid, PicZoomEvent::PictureSizeChanged);
  EXPECT_EQ(events[1].dispid, PicZoomEvent::PictureScrolled);
  EXPECT_EQ(events.back().dispid, PicZoomEvent::ButtonClick);
  EXPECT_EQ(events.back().name, "ButtonClick");
}

TEST_F(Dispatch, EveryEventIsRaisedAsItsInterfaceDeclaresIt) {
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
      const Variant::Kind want = declared->params[i].type.code == TypeCode::Int16
                                     ? Variant::Kind::Integer
                                     : Variant::Kind::Single;
      EXPECT_EQ(e.args[i].GetKind(), want) << e.name << " argument " << i;
    }
    raised.insert(e.name);
  }
  EXPECT_EQ(raised.size(), iface.members.size());  // all 11
}

TEST_F(Dispatch, QueriesAndServicesByName) {
  auto z = Place(200, 150);
  z->SetProperty("Picture", Variant(PatternPicture(120, 80)));
  z->CallMethod("ZoomIn", {});
  const Variant image = z->GetProperty("Image");
  EXPECT_EQ(image.ToPicture()->PixelWidth(), 150);
  EXPECT_EQ(z->GetProperty("PictureSize").ToObject()->GetProperty("psHeight"), Variant(100.0f));
  const std::string path = ::testing::TempDir() + "piczoom_dispatch_save.gif";
  Variant args[] = {Variant(path)};
  z->CallMethod("SaveTo", args);
  EXPECT_EQ(args[0], Variant(path));
  EXPECT_EQ(LoadPictureFile(path)->Pixels(), image.ToPicture()->Pixels());
  std::remove(path.c_str());
  z->CallMethod("Clear", {});
  EXPECT_TRUE(z->GetProperty("Picture").IsNothing());
  EXPECT_EQ(z->GetProperty("PictureSize").ToObject()->GetProperty("psWidth"), Variant(0.0f));
  // Without a picture the answer is whatever the bars still hold.
  const Variant position = z->GetProperty("PicturePosition");
  ASSERT_NE(VBar(*z).Value(), 0);
  EXPECT_EQ(position.ToObject()->GetProperty("ppTop"), Variant(false));
}

}  // namespace
}  // namespace lumora::testing
