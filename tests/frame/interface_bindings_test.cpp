// Stand-ins with the C++ shape the controls give their public members, bound
// to the real interfaces: the binding API covers every signature the type
// library uses, and the check catches each way a table can drift.
#include <gtest/gtest.h>

#include "frame/binding.hpp"
#include "frame/binding_check.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {
namespace {

struct PicZoomShape : Object {
  std::string TypeName() const override { return "ZelPicZoom"; }
  int16_t Appearance() const { return 0; }
  void Appearance(int16_t) {}
  OleColor BackColor() const { return 0; }
  void BackColor(OleColor) {}
  int16_t BarsWidth() const { return m_BarsWidth; }
  void BarsWidth(int16_t v) { m_BarsWidth = v; }
  int16_t BorderStyle() const { return 0; }
  void BorderStyle(int16_t) {}
  bool Enabled() const { return true; }
  void Enabled(bool) {}
  PicturePtr MouseIcon() const { return nullptr; }
  void MouseIcon(PicturePtr) {}
  PointerShape MousePointer() const { return m_Pointer; }
  void MousePointer(PointerShape v) { m_Pointer = v; }
  bool MouseScrolling() const { return false; }
  void MouseScrolling(bool) {}
  PicturePtr MouseScrollingIcon() const { return nullptr; }
  void MouseScrollingIcon(PicturePtr) {}
  PicturePtr Picture() const { return nullptr; }
  void Picture(PicturePtr) {}
  PicturePositions PicturePosition() const { return {}; }
  PictureSizes PictureSize() const { return {.psWidth = 4, .psHeight = 3}; }
  lumora::ScrollBars ScrollBars() const { return m_ScrollBars; }
  void ScrollBars(lumora::ScrollBars v) { m_ScrollBars = v; }
  Variant ZoomPercent() const { return Variant(int16_t{100}); }
  void Clear() {}
  void Go(GoDirection&) {}
  void FeedBest() {}
  PicturePtr Image() const { return nullptr; }
  void SaveTo(std::string&) {}
  void Scroll(ScrollDirection&, int16_t& PixelsStep) { PixelsStep = 0; }
  void ScrollLoop(ScrollDirection&, int16_t&) {}
  void Stretch() {}
  void ZoomIn() {}
  void ZoomOut() {}
  void ZoomReal() {}
  void AboutBox() {}
  int32_t hWnd() const { return 5; }

  int16_t m_BarsWidth = 13;
  PointerShape m_Pointer = mpDefault;
  lumora::ScrollBars m_ScrollBars = sbAutomatic;
};

DispatchTable PicZoomShapeTable() {
  using Z = PicZoomShape;
  return Bindings<Z>(PicZoomInterface())
      .Property("Appearance", &Z::Appearance, &Z::Appearance)
      .Property("BackColor", &Z::BackColor, &Z::BackColor)
      .Property("BarsWidth", &Z::BarsWidth, &Z::BarsWidth)
      .Property("BorderStyle", &Z::BorderStyle, &Z::BorderStyle)
      .Property("Enabled", &Z::Enabled, &Z::Enabled)
      .Property("MouseIcon", &Z::MouseIcon, &Z::MouseIcon)
      .Property("MousePointer", &Z::MousePointer, &Z::MousePointer)
      .Property("MouseScrolling", &Z::MouseScrolling, &Z::MouseScrolling)
      .Property("MouseScrollingIcon", &Z::MouseScrollingIcon, &Z::MouseScrollingIcon)
      .Property("Picture", &Z::Picture, &Z::Picture)
      .Property("PicturePosition", &Z::PicturePosition)
      .Property("PictureSize", &Z::PictureSize)
      .Property("ScrollBars", &Z::ScrollBars, &Z::ScrollBars)
      .Property("ZoomPercent", &Z::ZoomPercent)
      .Method("Clear", &Z::Clear)
      .Method("Go", &Z::Go)
      .Method("FeedBest", &Z::FeedBest)
      .Property("Image", &Z::Image)
      .Method("SaveTo", &Z::SaveTo)
      .Method("Scroll", &Z::Scroll)
      .Method("ScrollLoop", &Z::ScrollLoop)
      .Method("Stretch", &Z::Stretch)
      .Method("ZoomIn", &Z::ZoomIn)
      .Method("ZoomOut", &Z::ZoomOut)
      .Method("ZoomReal", &Z::ZoomReal)
      .Method("AboutBox", &Z::AboutBox)
      .Property("hWnd", &Z::hWnd)
      .Build();
}

// Members inherited from a base, as from the runtime's control.
struct ContainerBase : Object {
  void Refresh() { ++m_Refreshes; }
  bool Enabled() const { return m_Enabled; }
  int m_Refreshes = 0;
  bool m_Enabled = true;
};

struct ContainerShape : ContainerBase {
  std::string TypeName() const override { return "ZelScrollContainer"; }
  void AboutBox() {}
  int32_t UpperMargin() const { return 0; }
  void UpperMargin(int32_t) {}
  int32_t LowerMargin() const { return 0; }
  void LowerMargin(int32_t) {}
  OleColor BackColor() const { return 0; }
  void BackColor(OleColor) {}
  int16_t Appearance() const { return 0; }
  void Appearance(int16_t) {}
  int16_t BorderStyle() const { return 0; }
  void BorderStyle(int16_t) {}
  int16_t BackStyle() const { return 0; }
  void BackStyle(int16_t) {}
  int32_t ContainerHwnd() const { return 0; }
  using ContainerBase::Enabled;  // the getter is the base's, the setter this class's
  void Enabled(bool v) { m_Enabled = v; }
  int32_t hWnd() const { return 0; }
  void PaintPicture(PicturePtr, float, float, const Variant&, const Variant&, const Variant&,
                    const Variant&, const Variant&, const Variant&, const Variant& Opcode) {
    m_Opcode = Opcode;
  }
  void PopupMenu(ObjectPtr, const Variant&, const Variant&, const Variant&, const Variant&) {}
  void ScrollToControl(ObjectPtr& ContainedControl) { m_Scrolled = ContainedControl; }

  Variant m_Opcode;
  ObjectPtr m_Scrolled;
};

DispatchTable ContainerShapeTable() {
  using C = ContainerShape;
  return Bindings<C>(ScrollContainerInterface())
      .Method("AboutBox", &C::AboutBox)
      .Property("UpperMargin", &C::UpperMargin, &C::UpperMargin)
      .Property("LowerMargin", &C::LowerMargin, &C::LowerMargin)
      .Property("BackColor", &C::BackColor, &C::BackColor)
      .Property("Appearance", &C::Appearance, &C::Appearance)
      .Property("BorderStyle", &C::BorderStyle, &C::BorderStyle)
      .Property("BackStyle", &C::BackStyle, &C::BackStyle)
      .Property("ContainerHwnd", &C::ContainerHwnd)
      .Property("Enabled", &C::Enabled, &C::Enabled)
      .Property("hWnd", &C::hWnd)
      .Method("PaintPicture", &C::PaintPicture)
      .Method("PopupMenu", &C::PopupMenu)
      .Method("ScrollToControl", &C::ScrollToControl)
      .Method("Refresh", &C::Refresh)
      .Build();
}

TEST(InterfaceBindings, CompleteTablesMatchBothInterfaces) {
  EXPECT_TRUE(BindingsMatchInterface(PicZoomShapeTable()));
  EXPECT_TRUE(BindingsMatchInterface(ContainerShapeTable()));
}

TEST(InterfaceBindings, PublishedMembersAreReachable) {
  const DispatchTable pz = PicZoomShapeTable();
  PicZoomShape shape;
  pz.SetProperty(shape, "mousepointer", Variant(int32_t{99}));
  EXPECT_EQ(shape.m_Pointer, mpCustom);
  pz.SetProperty(shape, "ScrollBars", Variant(int16_t{1}));
  EXPECT_EQ(shape.m_ScrollBars, sbNone);
  EXPECT_EQ(pz.Invoke(shape, 0x68030004, MemberKind::Get, {}).ToObject()->GetProperty("psWidth"),
            Variant(4.0f));
  Variant scroll[] = {Variant(int32_t{sdDown}), Variant(int16_t{5})};
  pz.CallMethod(shape, "Scroll", scroll);
  EXPECT_EQ(scroll[1], Variant(int16_t{0}));
  // Appearance has the standard DISPID on both classes.
  EXPECT_EQ(pz.GetIDsOfNames("Appearance"), -520);

  const DispatchTable sc = ContainerShapeTable();
  ContainerShape container;
  // The container's default member is Refresh, inherited from its base.
  sc.Invoke(container, kDispidValue, MemberKind::Method, {});
  EXPECT_EQ(container.m_Refreshes, 1);
  sc.SetProperty(container, "Enabled", Variant(false));
  EXPECT_FALSE(container.m_Enabled);
  EXPECT_EQ(sc.GetProperty(container, "Enabled"), Variant(false));
  Variant paint[] = {Variant(Picture::FromRaster(Raster(1, 1))), Variant(1.0f), Variant(2.0f)};
  sc.CallMethod(container, "PaintPicture", paint);
  EXPECT_TRUE(container.m_Opcode.IsMissing());
  auto target = std::make_shared<ContainerShape>();
  Variant control[] = {Variant(ObjectPtr(target))};
  sc.CallMethod(container, "ScrollToControl", control);
  EXPECT_EQ(container.m_Scrolled, target);
}

// A class whose members drifted away from the published interface.
struct Drifted : Object {
  std::string TypeName() const override { return "Drifted"; }
  int32_t BarsWidth() const { return 0; }  // published as int16
  void BarsWidth(int32_t) {}
  void Go(GoDirection) {}  // published by reference
  int32_t hWnd() const { return 0; }
  void hWnd(int32_t) {}  // published read-only
  PicturePtr Picture() const { return nullptr; }
  void Picture(int16_t) {}  // published as an object assignment
  void Nope() {}
  void Clear() {}
};

TEST(InterfaceBindings, TheCheckReportsEachKindOfDrift) {
  const DispatchTable table = Bindings<Drifted>(PicZoomInterface())
                                  .Property("BarsWidth", &Drifted::BarsWidth, &Drifted::BarsWidth)
                                  .Method("Go", &Drifted::Go)
                                  .Property("hWnd", &Drifted::hWnd, &Drifted::hWnd)
                                  .Property("Picture", &Drifted::Picture, &Drifted::Picture)
                                  .Method("Nope", &Drifted::Nope)
                                  .Method("clear", &Drifted::Clear)
                                  .Method("Clear", &Drifted::Clear)
                                  .Build();
  const ::testing::AssertionResult r = BindingsMatchInterface(table);
  ASSERT_FALSE(r);
  const std::string message = r.message();
  for (const char* expected : {
           "slot 4 BarsWidth (get): declared () -> int16, bound () -> int32",
           "slot 5 BarsWidth (let): declared (int16) -> none, bound (int32) -> none",
           "slot 26 Go (method): declared (GoDirection&) -> none, bound (GoDirection) -> none",
           "'hWnd' (let) is bound but not declared",
           "slot 19 Picture (set): not bound",
           "'Picture' (let) is bound but not declared",
           "'Nope' (method) is bound but not declared",
           "slot 25 Clear (method): bound as 'clear'",
           "'Clear' (method) is bound twice",
           "slot 0 Appearance (get): not bound",
       })
    EXPECT_NE(message.find(expected), std::string::npos) << expected << "\n" << message;
}

TEST(InterfaceBindings, ADriftedArgumentCountFailsInsteadOfCrashing) {
  struct Short : Object {
    std::string TypeName() const override { return "Short"; }
    void Scroll(ScrollDirection&) {}  // published with two parameters
  } shortOne;
  const DispatchTable table =
      Bindings<Short>(PicZoomInterface()).Method("Scroll", &Short::Scroll).Build();
  Variant args[] = {Variant(int32_t{0}), Variant(int16_t{1})};
  try {
    table.CallMethod(shortOne, "Scroll", args);
    ADD_FAILURE();
  } catch (const Failure& f) {
    EXPECT_EQ(f.Number(), 450);
    EXPECT_NE(f.Description().find("implementation of 'Scroll' takes 1 argument"),
              std::string::npos)
        << f.Description();
  }
}

}  // namespace
}  // namespace lumora
