// ZelPicZoom's persisted form: the keys, defaults and order in which it loads
// itself from and saves itself to the host's property store.
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/errors.hpp"
#include "platform/picture/picture.hpp"
#include "platform/property_bag.hpp"

namespace lumora {

namespace {

constexpr OleColor kDefaultBackColor = 0x8000000F;  // the system colour of button faces

}  // namespace

void ZelPicZoom::UserControl_ReadProperties(PropertyBag& PropBag) {
  Step([&] { m_BarsWidth = PropBag.ReadProperty("BarsWidth", int16_t{13}).ToInt16(); });
  Step([&] { m_MouseScrolling = PropBag.ReadProperty("MouseScrolling", true).ToBool(); });
  Step([&] { m_ScrollBars = PropBag.ReadProperty("ScrollBars", int32_t{0}).ToInt32(); });
  Step([&] { UserControl::Appearance(PropBag.ReadProperty("Appearance", int16_t{1}).ToInt16()); });
  Step([&] {
    UserControl::BackColor(
        static_cast<OleColor>(PropBag.ReadProperty("BackColor", kDefaultBackColor).ToInt32()));
  });
  Step(
      [&] { UserControl::BorderStyle(PropBag.ReadProperty("BorderStyle", int16_t{0}).ToInt16()); });
  Step([&] { UserControl::Enabled(PropBag.ReadProperty("Enabled", Variant()).ToBool()); });
  Step([&] {
    picScroll->BackColor(
        static_cast<OleColor>(PropBag.ReadProperty("BackColor", kDefaultBackColor).ToInt32()));
  });
  Step(
      [&] { picScroll->MousePointer(PropBag.ReadProperty("MousePointer", int16_t{0}).ToInt16()); });
  Step([&] { picScroll->MouseIcon(PropBag.ReadProperty("MouseIcon", nullptr).ToPicture()); });
  // Kept before the picture is set: the layout that setting it runs restores
  // the kept pointer, which must be the stored one and not that of before.
  Step([&] { m_SavedMousePointer = picScroll->MousePointer(); });
  Step([&] { m_SavedMouseIcon = Variant(picScroll->MouseIcon()); });
  Step([&] { Picture(PropBag.ReadProperty("Picture", nullptr).ToPicture()); });
  Step([&] {
    UserControl::MouseIcon(PropBag.ReadProperty("MouseScrollingIcon", nullptr).ToPicture());
  });
}

void ZelPicZoom::UserControl_WriteProperties(PropertyBag& PropBag) {
  Step([&] { PropBag.WriteProperty("Appearance", UserControl::Appearance(), int16_t{1}); });
  Step([&] { PropBag.WriteProperty("BackColor", picScroll->BackColor(), kDefaultBackColor); });
  Step([&] { PropBag.WriteProperty("BackColor", UserControl::BackColor(), kDefaultBackColor); });
  Step([&] { PropBag.WriteProperty("BarsWidth", m_BarsWidth, int16_t{13}); });
  Step([&] { PropBag.WriteProperty("BorderStyle", UserControl::BorderStyle(), int16_t{0}); });
  Step([&] { PropBag.WriteProperty("Enabled", UserControl::Enabled(), Variant()); });
  Step([&] { PropBag.WriteProperty("MouseIcon", Variant(picScroll->MouseIcon()), nullptr); });
  Step([&] { PropBag.WriteProperty("MousePointer", picScroll->MousePointer(), int16_t{0}); });
  Step([&] { PropBag.WriteProperty("MouseScrolling", m_MouseScrolling, true); });
  Step([&] {
    PropBag.WriteProperty("MouseScrollingIcon", Variant(UserControl::MouseIcon()), nullptr);
  });
  Step([&] { PropBag.WriteProperty("Picture", Variant(Picture()), nullptr); });
  Step([&] { PropBag.WriteProperty("ScrollBars", m_ScrollBars, int32_t{0}); });
}

}  // namespace lumora
