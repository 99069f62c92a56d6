// Picture queries and services (which edges are in view, the shown size and
// image, saving it) and the control as a late-bound client reaches it: by
// name and by DISPID, events to dispatch sinks.
#include <set>

#include "frame/about_hook.hpp"
#include "frame/binding_check.hpp"
#include "piczoom_fixture.hpp"
#include "platform/file_io.hpp"

namespace lumora::testing {
namespace {

using Services = PicZoomTest;

std::vector<int16_t> Fields(const PicturePositions& p) {
  return {p.ppTop, p.ppBottom, p.ppLeft, p.ppRight};
}

// Both bars (Max 213 and 163), then one with Max 0, which touches both edges.
TEST_F(Services, PicturePositionTellsWhichEdgesAreInView) {
  auto z = Place(200, 150);
  for (const auto& [width, height, direction, fields] :
       {std::tuple{400, 300, gdTopLeft, std::vector<int16_t>{-1, 0, -1, 0}},
        {400, 300, gdCenter, {0, 0, 0, 0}},
        {400, 300, gdBottomRight, {0, -1, 0, -1}},
        {400, 137, gdBottomRight, {-1, -1, 0, -1}},
        {200, 150, gdCenter, {-1, -1, -1, -1}}}) {
    z->Picture(SolidPicture(width, height));
    GoDirection d = direction;
    z->Go(d);
    EXPECT_EQ(Fields(z->PicturePosition()), fields) << width << " x " << height << " " << d;
  }
}

TEST_F(Services, SizeImageAndSaveToAreOfTheShownPicture) {
  ScratchDir dir;
  auto z = Place(200, 150);
  EXPECT_EQ(z->PictureSize().psWidth + z->PictureSize().psHeight, 0);  // picScroll is 200 wide
  z->Picture(PatternPicture(120, 80));
  z->ZoomIn();
  EXPECT_EQ(z->PictureSize().psHeight, 100);
  const PicturePtr image = z->Image();
  EXPECT_EQ(image->Pixels(), Pic(*z).ShownImage()->Whole());
  // Bitmap data under exactly the path given, replacing what was there.
  std::string path = dir / "shown.gif";
  WriteFileAtomically(path, std::string("GIF"));
  z->SaveTo(path);
  EXPECT_EQ(LoadPictureFile(path)->Pixels(), image->Pixels());
  // A path that cannot be written gets nothing, and the caller sees success.
  std::string missing = dir / "no/out.bmp";
  EXPECT_NO_THROW(z->SaveTo(missing));
  EXPECT_NE(Err().Number(), 0);  // absorbed, not lost
}

TEST_F(Services, LateBoundCallsReachTheControlAndNamesOutsideItTheExtender) {
  EXPECT_TRUE(BindingsMatchInterface(ZelPicZoom::Dispatch()));
  auto z = Place(200, 150);
  z->SetProperty("barswidth", Variant(int16_t{20}));
  EXPECT_EQ(HBar(*z).Height(), 20);
  z->SetProperty("Picture", Variant(SolidPicture(333, 250)));
  z->CallMethod("ZoomIn", {});
  EXPECT_EQ(z->GetProperty("PictureSize").ToObject()->GetProperty("psWidth"), Variant(416.0f));
  EXPECT_EQ(z->GetProperty("Left"), Variant(0.0f));
  z->SetProperty("Top", Variant(int32_t{150}));
  EXPECT_EQ(z->Control::Top(), 150);
  int shown = 0;
  const AboutBoxHook previous = SetAboutBoxHook([&] { ++shown; });
  z->CallMethod("AboutBox", {});
  SetAboutBoxHook(previous);
  EXPECT_EQ(shown, 1);
}

TEST_F(Services, EveryEventIsRaisedAsItsInterfaceDeclaresIt) {
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
      const bool integer = declared->params[i].type.code == TypeCode::Int16;
      EXPECT_EQ(e.args[i].GetKind(), integer ? Variant::Kind::Integer : Variant::Kind::Single)
          << e.name << " argument " << i;
    }
    raised.insert(e.name);
  }
  EXPECT_EQ(raised.size(), iface.members.size());  // all 11
}

}  // namespace
}  // namespace lumora::testing
