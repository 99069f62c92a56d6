// The user control base: its scale and sizes (outer in twips, inner in its
// scale, the border between), Resize on size changes, drawing on its own
// surface, pop-up menus, PropertyChanged and events raised by reference.
#include <gtest/gtest.h>

#include "platform/controls/menu.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/gdi.hpp"
#include "runtime_fixtures.hpp"

namespace lumora::testing {
namespace {

using Strings = std::vector<std::string>;

class Viewer : public UserControl {
 public:
  Viewer() : UserControl("Viewer", ScaleUnit::Pixels, false) {
    surface = AddConstituent<PictureBox>("surface");
  }
  std::shared_ptr<PictureBox> surface;
  int resizes = 0;
  float minimumTwips = 0;
  void UserControl_Resize() override {
    ++resizes;
    if (Width() < minimumTwips) Width(minimumTwips);  // grows itself back
  }
};

class UserControlTest : public RuntimeTest {
 protected:
  std::shared_ptr<Form> form = Form::Create("UcForm", 640, 480);
};

TEST_F(UserControlTest, TheBorderAndTheScaleDecideTheInnerSize) {
  auto v = form->Add<Viewer>("v", 0, 0, 3000, 1500);  // 200 x 100 px
  EXPECT_EQ(v->ScaleMode(), kScalePixels);
  EXPECT_FLOAT_EQ(v->ScaleWidth(), 200);
  EXPECT_FLOAT_EQ(v->ScaleHeight(), 100);
  v->BorderStyle(1);  // 3D: two pixels each side
  EXPECT_FLOAT_EQ(v->ScaleWidth(), 196);
  v->Appearance(0);  // flat: one pixel
  EXPECT_FLOAT_EQ(v->ScaleHeight(), 98);
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, v->BorderStyle(2));
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, v->Appearance(-1));
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, v->BackStyle(5));
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, v->BackColor(0x800000FFu));
  v->BackColor(0x8000000C);
  EXPECT_EQ(v->BackColor(), 0x8000000Cu);
}

TEST_F(UserControlTest, OuterSizeIsInTwipsAndSettingItRunsResize) {
  auto v = form->Add<Viewer>("v", 0, 0, 3000, 1500);
  EXPECT_EQ(v->resizes, 1);  // the host's Resize of the lifecycle
  EXPECT_FLOAT_EQ(v->Width(), 3000);
  v->Width(4500);
  EXPECT_EQ(v->resizes, 2);
  EXPECT_FLOAT_EQ(static_cast<Control&>(*v).Width(), 4500);  // the extender follows
  EXPECT_FLOAT_EQ(v->ScaleWidth(), 300);
  v->Width(4500);  // no change, no Resize
  EXPECT_EQ(v->resizes, 2);
  v->Move(150, 150);  // moving is no resize
  EXPECT_EQ(v->resizes, 2);
  // A control that grows itself back inside Resize gets one more Resize.
  v->minimumTwips = 600;
  v->Width(300);
  EXPECT_FLOAT_EQ(v->Width(), 600);
  EXPECT_EQ(v->resizes, 4);
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, v->Height(-1));
}

TEST_F(UserControlTest, WindowHandlesAreUniqueAndContainersKnowTheirs) {
  auto v = form->Add<Viewer>("v", 0, 0, 3000, 1500);
  auto w = form->Add<Viewer>("w", 0, 1500, 3000, 1500);
  EXPECT_NE(v->hWnd(), 0);
  EXPECT_NE(v->hWnd(), w->hWnd());
  EXPECT_NE(v->hWnd(), v->surface->hWnd());
  EXPECT_NE(v->hWnd(), form->hWnd());
  EXPECT_EQ(v->ContainerHwnd(), form->hWnd());
  EXPECT_EQ(v->surface->ContainerHwnd(), v->hWnd());
  EXPECT_EQ(form->FindPath("V.Surface"), v->surface.get());
  EXPECT_EQ(form->FindPath("v.nothing"), nullptr);
  EXPECT_EQ(form->FindPath("v.surface.deeper"), nullptr);
  EXPECT_EQ(form->Find("surface"), nullptr);  // constituents are not placed controls
}

TEST_F(UserControlTest, PaintPictureDrawsOnItsOwnSurfaceInItsScale) {
  auto v = form->Add<Viewer>("v", 0, 0, 3000, 1500);
  v->BackColor(Rgb(0, 0, 255));
  v->PaintPicture(SolidPicture(10, 10, 0xFFFF0000u), 5, 5);
  ASSERT_EQ(v->Surface().Width(), 200);
  EXPECT_EQ(v->Surface().At(5, 5), 0xFFFF0000u);
  EXPECT_EQ(v->Surface().At(14, 14), 0xFFFF0000u);
  EXPECT_EQ(v->Surface().At(15, 15), 0xFF0000FFu);
  // Destination size and a source part: the picture's left half, doubled.
  v->PaintPicture(SolidPicture(10, 10, 0xFF00FF00u), 100, 0, 20, Missing{}, 0, 0, 5, Missing{});
  EXPECT_EQ(v->Surface().At(119, 9), 0xFF00FF00u);
  EXPECT_EQ(v->Surface().At(120, 9), 0xFF0000FFu);
  // Raster operations: inverting twice gives back what was there.
  const PicturePtr pattern = SolidPicture(4, 4, 0xFF0F0F0Fu);
  v->PaintPicture(pattern, 0, 50, Missing{}, Missing{}, Missing{}, Missing{}, Missing{}, Missing{},
                  static_cast<int32_t>(kSrcInvert));
  EXPECT_EQ(v->Surface().At(1, 51), 0xFF0F0FF0u);
  v->PaintPicture(pattern, 0, 50, Missing{}, Missing{}, Missing{}, Missing{}, Missing{}, Missing{},
                  static_cast<int32_t>(kSrcInvert));
  EXPECT_EQ(v->Surface().At(1, 51), 0xFF0000FFu);
  EXPECT_FAILS_WITH(kErrInvalidCall, v->PaintPicture(pattern, 0, 0, Missing{}, Missing{}, Missing{},
                                                     Missing{}, Missing{}, Missing{}, 0x42));
  EXPECT_FAILS_WITH(kErrNoObject, v->PaintPicture(nullptr, 0, 0));
  EXPECT_FAILS_WITH(kErrInvalidPicture, v->PaintPicture(Picture::Empty(), 0, 0));
  EXPECT_FAILS_WITH(kErrInvalidCall, v->PaintPicture(Missing{}, 0, 0));
  EXPECT_FAILS_WITH(kErrTypeMismatch, v->PaintPicture(SolidPicture(2, 2), "left", 0));
}

TEST_F(UserControlTest, PopupMenuIsRecordedOnTheForm) {
  auto v = form->Add<Viewer>("v", 1500, 1500, 3000, 1500);  // at 100,100 px
  auto menu = form->AddObject<Menu>("mnuEdit");
  form->Show();
  form->MouseMove(130, 140);
  v->PopupMenu(ObjectPtr(menu));
  v->PopupMenu(ObjectPtr(menu), int16_t{2}, 7.5f, 8.0f);
  ASSERT_EQ(form->ShownMenus().size(), 2u);
  EXPECT_EQ(form->ShownMenus()[0].menu, "mnuEdit");
  EXPECT_EQ(form->ShownMenus()[0].control, "v");
  EXPECT_FLOAT_EQ(form->ShownMenus()[0].x, 30);  // the pointer, in the control's pixels
  EXPECT_FLOAT_EQ(form->ShownMenus()[0].y, 40);
  EXPECT_EQ(form->ShownMenus()[1].flags, 2);
  EXPECT_FLOAT_EQ(form->ShownMenus()[1].x, 7.5f);
  EXPECT_FAILS_WITH(kErrNoObject, v->PopupMenu(nullptr));
  EXPECT_FAILS_WITH(kErrTypeMismatch, v->PopupMenu(ObjectPtr(v->surface)));
}

TEST_F(UserControlTest, PropertyChangedMarksTheFormForSaving) {
  auto v = form->Add<Viewer>("v", 0, 0, 3000, 1500);
  EXPECT_FALSE(form->Dirty());
  v->PropertyChanged("BarsWidth");
  v->PropertyChanged("Picture");
  v->PropertyChanged("barswidth");  // each name is listed once
  EXPECT_TRUE(form->Dirty());
  EXPECT_EQ(form->ChangedProperties(), (Strings{"v.BarsWidth", "v.Picture"}));
  v->ClearChangedProperties();
  EXPECT_FALSE(form->Dirty());
}

TEST_F(UserControlTest, RaiseEventPassesArgumentsByReference) {
  auto v = form->Add<Viewer>("v", 0, 0, 3000, 1500);
  auto log = EventLog::On({v.get()});
  log->edit = [](std::string_view, std::span<Variant> args) {
    if (!args.empty()) args[0] = int16_t{0};
  };
  std::array<Variant, 2> args{int16_t{40}, int16_t{1}};
  v->RaiseEvent(4, "KeyDown", args);
  EXPECT_EQ(args[0].ToInt16(), 0);  // the handler cleared the key code
  v->RaiseEvent(10, "PictureScrolled");
  EXPECT_EQ(log->entries, (Strings{"v.KeyDown", "v.PictureScrolled"}));
}

}  // namespace
}  // namespace lumora::testing
