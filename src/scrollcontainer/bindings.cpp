// The one table that binds every member of _ZelScrollContainer to the
// container's member functions, and late-bound access by name through it.
#include "frame/binding.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {

const DispatchTable& ZelScrollContainer::Dispatch() {
  using Z = ZelScrollContainer;
  static const DispatchTable table = Bindings<Z>(ScrollContainerInterface())
                                         .Method("AboutBox", &Z::AboutBox)
                                         .Property("UpperMargin", &Z::UpperMargin, &Z::UpperMargin)
                                         .Property("LowerMargin", &Z::LowerMargin, &Z::LowerMargin)
                                         .Property("BackColor", &Z::BackColor, &Z::BackColor)
                                         .Property("Appearance", &Z::Appearance, &Z::Appearance)
                                         .Property("BorderStyle", &Z::BorderStyle, &Z::BorderStyle)
                                         .Property("BackStyle", &Z::BackStyle, &Z::BackStyle)
                                         .Property("ContainerHwnd", &Z::ContainerHwnd)
                                         .Property("Enabled", &Z::Enabled, &Z::Enabled)
                                         .Property("hWnd", &Z::hWnd)
                                         .Method("PaintPicture", &Z::PaintPicture)
                                         .Method("PopupMenu", &Z::PopupMenu)
                                         .Method("ScrollToControl", &Z::ScrollToControl)
                                         .Method("Refresh", &Z::Refresh)
                                         .Build();
  return table;
}

Variant ZelScrollContainer::GetProperty(std::string_view name) {
  if (Dispatch().HasMember(name)) return Dispatch().GetProperty(*this, name);
  return UserControl::GetProperty(name);
}

void ZelScrollContainer::SetProperty(std::string_view name, const Variant& value) {
  if (Dispatch().HasMember(name)) return Dispatch().SetProperty(*this, name, value);
  UserControl::SetProperty(name, value);
}

Variant ZelScrollContainer::CallMethod(std::string_view name, std::span<Variant> args) {
  if (Dispatch().HasMember(name)) return Dispatch().CallMethod(*this, name, args);
  return UserControl::CallMethod(name, args);
}

}  // namespace lumora
