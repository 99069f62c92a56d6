// The one place that binds every member of _ZelPicZoom to ZelPicZoom's
// functions, and late-bound access through that table.
#include "frame/binding.hpp"
#include "piczoom/zel_pic_zoom.hpp"

namespace lumora {

const DispatchTable& ZelPicZoom::Dispatch() {
  using Z = ZelPicZoom;
  static const DispatchTable table =
      Bindings<Z>(PicZoomInterface())
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
  return table;
}

Variant ZelPicZoom::Invoke(int32_t dispid, MemberKind kind, std::span<Variant> args) {
  return Dispatch().Invoke(*this, dispid, kind, args);
}

Variant ZelPicZoom::GetProperty(std::string_view name) {
  if (Dispatch().HasMember(name)) return Dispatch().GetProperty(*this, name);
  return UserControl::GetProperty(name);
}

void ZelPicZoom::SetProperty(std::string_view name, const Variant& value) {
  if (Dispatch().HasMember(name)) return Dispatch().SetProperty(*this, name, value);
  UserControl::SetProperty(name, value);
}

Variant ZelPicZoom::CallMethod(std::string_view name, std::span<Variant> args) {
  if (Dispatch().HasMember(name)) return Dispatch().CallMethod(*this, name, args);
  return UserControl::CallMethod(name, args);
}

}  // namespace lumora
