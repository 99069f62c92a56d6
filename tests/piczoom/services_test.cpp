// Picture queries and services (which edges are in view, the shown size and
// image, saving it, clearing the picture) and the control as a late-bound
// client reaches it: by name and by DISPID, events to dispatch sinks.
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

TEST_F(Services, PicturePositionTellsWhichEdgesAreInView) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(400, 300));      // both bars, Max 213 and 163
  std::vector<std::vector<int16_t>> seen;  // current while PictureScrolled runs
  onEvent = [&](std::string_view, std::span<Variant>) {
    seen.push_back(Fields(z->PicturePosition()));
  };
  for (const auto& [direction, fields] :
       std::vector<std::pair<GoDirection, std::vector<int16_t>>>{{gdTopLeft, {-1, 0, -1, 0}},
                                                                 {gdCenter, {0, 0, 0, 0}},
                                                                 {gdBottomRight, {0, -1, 0, -1}}}) {
    GoDirection d = direction;
    z->Go(d);
    EXPECT_EQ(Fields(z->PicturePosition()), fields) << direction;
  }
  EXPECT_EQ(seen[0], (std::vector<int16_t>{0, 0, -1, 0}));
  // A bar with Max 0 touches both edges.
  onEvent = nullptr;
  z->Picture(SolidPicture(200, 150));
  EXPECT_EQ(Fields(z->PicturePosition()), (std::vector<int16_t>{-1, -1, -1, -1}));
  z->Picture(SolidPicture(400, 137));  // VScroll.Max 137 - 137 = 0
  GoDirection d = gdBottomRight;
  z->Go(d);
  EXPECT_EQ(Fields(z->PicturePosition()), (std::vector<int16_t>{-1, -1, 0, -1}));
}

TEST_F(Services, SizeImageAndSaveToAreOfTheShownPicture) {
  ScratchDir dir;
  auto z = Place(200, 150);
  EXPECT_EQ(z->PictureSize().psWidth + z->PictureSize().psHeight, 0);  // picScroll is 200 wide
  const PicturePtr picture = PatternPicture(120, 80);
  z->Picture(picture);
  z->ZoomIn();
  EXPECT_EQ(z->PictureSize().psWidth, 150);
  EXPECT_EQ(z->PictureSize().psHeight, 100);
  const PicturePtr image = z->Image();
  EXPECT_EQ(image->PixelWidth(), 150);
  EXPECT_EQ(image->Pixels(), Pic(*z).ShownImage()->Whole());
  EXPECT_EQ(z->Image(), image);  // the object the picture box hands out, no copy of ours
  EXPECT_EQ(z->Picture(), picture);
  // Bitmap data under exactly the path given, replacing what was there.
  std::string path = dir / "shown.gif";
  WriteFileAtomically(path, std::string("GIF"));
  z->SaveTo(path);
  EXPECT_EQ(path, dir / "shown.gif");
  const PicturePtr saved = LoadPictureFile(path);
  EXPECT_EQ(saved->Format(), PictureFormat::Bmp);
  EXPECT_EQ(saved->Pixels(), image->Pixels());
  // A path that cannot be written gets nothing, and the caller sees success.
  std::string missing = dir / "no/out.bmp";
  EXPECT_NO_THROW(z->SaveTo(missing));
  EXPECT_FALSE(std::filesystem::exists(dir / "no"));
  EXPECT_NE(Err().Number(), 0);  // absorbed, not lost
  // A folder under the name stays a folder, with nothing left beside it.
  std::filesystem::create_directory(dir / "taken.bmp");
  std::string taken = dir / "taken.bmp";
  EXPECT_NO_THROW(z->SaveTo(taken));
  EXPECT_TRUE(std::filesystem::is_directory(taken));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);  // and the GIF
}

TEST_F(Services, LateBoundCallsReachTheControlAndNamesOutsideItTheExtender) {
  EXPECT_TRUE(BindingsMatchInterface(ZelPicZoom::Dispatch()));
  auto z = Place(200, 150);
  EXPECT_EQ(DispatchTableOf(*z), &ZelPicZoom::Dispatch());
  z->SetProperty("barswidth", Variant(int16_t{20}));
  EXPECT_EQ(HBar(*z).Height(), 20);
  z->SetProperty("Picture", Variant(SolidPicture(333, 250)));
  z->CallMethod("ZoomIn", {});
  EXPECT_EQ(z->GetProperty("PictureSize").ToObject()->GetProperty("psWidth"), Variant(416.0f));
  Variant corner[] = {Variant(int32_t{gdBottomRight})};
  z->Invoke(0x60030023, MemberKind::Method, corner);  // Go
  EXPECT_EQ(corner[0], Variant(int32_t{gdBottomRight}));
  const ObjectPtr position = z->GetProperty("PicturePosition").ToObject();
  EXPECT_EQ(position->GetProperty("ppRight"), Variant(true));
  EXPECT_EQ(position->GetProperty("ppTop"), Variant(false));
  Variant up[] = {Variant(int32_t{sdcUp}), Variant(int16_t{0})};
  EXPECT_NO_THROW(z->Invoke(0x60030026, MemberKind::Method, up));  // Scroll, a step below 1
  EXPECT_EQ(z->Invoke(0x68030000, MemberKind::Get, {}), Variant(Pic(*z).hWnd()));  // hWnd
  EXPECT_EQ(z->GetProperty("Left"), Variant(0.0f));
  z->SetProperty("Top", Variant(int32_t{150}));
  EXPECT_EQ(z->Control::Top(), 150);
  EXPECT_THROW(z->SetProperty("ZoomPercent", Variant(int16_t{50})), Failure);
  int shown = 0;
  const AboutBoxHook previous = SetAboutBoxHook([&] { ++shown; });
  z->Invoke(-552, MemberKind::Method, {});
  z->CallMethod("AboutBox", {});
  SetAboutBoxHook(previous);
  EXPECT_EQ(shown, 2);
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
